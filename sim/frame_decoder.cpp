#include "frame_decoder.h"

#include <algorithm>

namespace kov::sim {
namespace {

// Index of the first header in bytes, or of a lone 0xED at the very end that may yet become
// one; bytes.size() when there is neither.
std::size_t FindHeader(std::span<const std::uint8_t> bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] != kHeader1)
            continue;
        if (i + 1 == bytes.size() || bytes[i + 1] == kHeader2)
            return i;
    }
    return bytes.size();
}

}  // namespace

std::vector<Decoded> FrameDecoder::Push(std::span<const std::uint8_t> bytes) {
    pending_.insert(pending_.end(), bytes.begin(), bytes.end());
    std::vector<Decoded> out;
    Drain(out);
    return out;
}

std::optional<Decoded> FrameDecoder::Flush() {
    if (pending_.empty())
        return std::nullopt;
    const bool framed = pending_.size() >= 2 && pending_[0] == kHeader1 && pending_[1] == kHeader2;
    return Take(framed ? Piece::kIncomplete : Piece::kBadHeader, pending_.size());
}

void FrameDecoder::Drain(std::vector<Decoded>& out) {
    while (!pending_.empty()) {
        const std::size_t header = FindHeader(pending_);
        if (header > 0) {
            // Stray bytes: reported once a header follows them or a frame's worth has piled up,
            // so how the stream was split into reads does not change the report.
            const bool headerFollows = header + 1 < pending_.size();
            if (!headerFollows && header < kFrameSize)
                return;
            out.push_back(Take(Piece::kBadHeader, std::min(header, kFrameSize)));
            continue;
        }
        if (pending_.size() < kFrameSize)
            return;
        CommandFrame frame;
        std::copy_n(pending_.begin(), kFrameSize, frame.begin());
        if (IsValidFrame(frame)) {
            out.push_back(Take(Piece::kFrame, kFrameSize));
            continue;
        }
        // Resynchronise: a frame cut short is often followed at once by a whole one, so a
        // header inside the rejected bytes (after its own) starts the next frame.
        const std::size_t next = 2 + FindHeader(std::span(frame).subspan(2));
        Decoded bad{Piece::kBadChecksum, {frame.begin(), frame.end()}};
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(next));
        out.push_back(std::move(bad));
    }
}

Decoded FrameDecoder::Take(Piece piece, std::size_t count) {
    Decoded decoded{piece,
                    {pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count)}};
    pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(count));
    return decoded;
}

CommandFrame ToFrame(const Decoded& decoded) {
    CommandFrame frame{};
    std::copy_n(decoded.bytes.begin(), std::min(decoded.bytes.size(), kFrameSize), frame.begin());
    return frame;
}

}  // namespace kov::sim
