// kov-sim's frame decoder on any byte stream. The first byte chooses how the stream is cut
// into reads (0: one byte at a time); the pieces must not depend on the cut, frames handed
// out are valid frames, and nothing stays held back after a flush.

#include <cstdint>
#include <span>
#include <vector>

#include "frame_decoder.h"
#include "fuzz_check.h"

namespace {

using kov::sim::Decoded;
using kov::sim::FrameDecoder;
using kov::sim::Piece;

std::vector<Decoded> DecodeInReads(std::span<const std::uint8_t> stream, std::size_t read) {
    FrameDecoder decoder;
    std::vector<Decoded> pieces;
    for (std::size_t at = 0; at < stream.size(); at += read) {
        auto got = decoder.Push(stream.subspan(at, std::min(read, stream.size() - at)));
        pieces.insert(pieces.end(), got.begin(), got.end());
    }
    if (auto rest = decoder.Flush())
        pieces.push_back(*rest);
    kov::fuzz::Check(!decoder.HasPending(), "a flush hands out everything held back");
    return pieces;
}

bool SamePieces(const std::vector<Decoded>& a, const std::vector<Decoded>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].piece != b[i].piece || a[i].bytes != b[i].bytes)
            return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kov;
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> stream(data + 1, size - 1);
    const std::vector<Decoded> whole =
        DecodeInReads(stream, std::max<std::size_t>(stream.size(), 1));
    const std::vector<Decoded> cut = DecodeInReads(stream, data[0] == 0 ? 1 : data[0] % 29 + 1);
    fuzz::Check(SamePieces(whole, cut), "the pieces do not depend on how the stream was read");

    for (const Decoded& d : whole) {
        fuzz::Check(!d.bytes.empty() && d.bytes.size() <= kFrameSize, "a piece holds 1-13 bytes");
        const bool framed = d.bytes.size() >= 2 && d.bytes[0] == kHeader1 && d.bytes[1] == kHeader2;
        switch (d.piece) {
            case Piece::kFrame:
                fuzz::Check(d.bytes.size() == kFrameSize && IsValidFrame(sim::ToFrame(d)),
                            "a frame is a valid 13-byte frame");
                break;
            case Piece::kBadChecksum:
                fuzz::Check(
                    d.bytes.size() == kFrameSize && framed && !IsValidFrame(sim::ToFrame(d)),
                    "a bad checksum is a 13-byte frame that fails its check");
                break;
            case Piece::kBadHeader:
                fuzz::Check(!framed, "stray bytes do not start with a header");
                break;
            case Piece::kIncomplete:
                fuzz::Check(framed && d.bytes.size() < kFrameSize,
                            "a frame cut off starts with a header and is short");
                break;
        }
    }
    return 0;
}
