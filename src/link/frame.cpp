#include "link/frame.h"

#include <algorithm>

namespace kov {

CommandFrame BlankFrame() {
    CommandFrame frame;
    frame.fill(kFiller);
    frame[0] = kHeader1;
    frame[1] = kHeader2;
    return frame;
}

CommandFrame ComposeFrame(std::uint8_t address, std::uint8_t command,
                          std::span<const std::uint8_t> params) {
    CommandFrame frame = BlankFrame();
    frame[2] = address;
    frame[3] = command;
    std::copy_n(params.begin(), std::min<std::size_t>(params.size(), 8), frame.begin() + 4);
    return frame;
}

std::uint8_t FrameChecksum(const CommandFrame& frame) {
    unsigned sum = 0;
    for (std::size_t i = 2; i <= 11; ++i)
        sum += frame[i];
    return static_cast<std::uint8_t>(sum);
}

void CompleteChecksum(CommandFrame& frame) {
    frame[12] = FrameChecksum(frame);
}

bool IsValidFrame(const CommandFrame& frame) {
    return frame[0] == kHeader1 && frame[1] == kHeader2 && frame[12] == FrameChecksum(frame);
}

void PutWord(CommandFrame& frame, std::size_t pos, std::int64_t value) {
    const auto word = static_cast<std::uint16_t>(value);
    frame[pos] = static_cast<std::uint8_t>(word >> 8);
    frame[pos + 1] = static_cast<std::uint8_t>(word);
}

namespace {

bool HasHeader(std::span<const std::uint8_t> reply) {
    return reply.size() >= 2 && reply[0] == kHeader1 && reply[1] == kHeader2;
}

// Sum of `first`, `first + 1`, the count byte and `count` bytes after it, mod 256.
// `countPos` holds the count; the covered block starts at `first`.
std::uint8_t BlockSum(std::span<const std::uint8_t> reply, std::size_t first, std::size_t countPos,
                      std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = first; i <= countPos + count; ++i)
        sum += reply[i];
    return static_cast<std::uint8_t>(sum);
}

}  // namespace

bool IsValidReply(std::span<const std::uint8_t> reply) {
    const std::size_t count = reply.size();
    if (count != kShortReplySize && count != kQueryReplySize)
        return false;
    if (!HasHeader(reply))
        return false;
    const std::size_t length = reply[17];
    if (length + 3 > count - 15)
        return false;
    return BlockSum(reply, 15, 17, length) == reply[count - 1];
}

bool IsValidStatusReply(std::span<const std::uint8_t> reply) {
    if (reply.size() != kStatusReplySize || !HasHeader(reply))
        return false;
    const std::size_t m = reply[4];
    if (m + 3 > 24 || BlockSum(reply, 2, 4, m) != reply[25])
        return false;
    const std::size_t l = reply[17];
    if (l + 3 > 11 || BlockSum(reply, 15, 17, l) != reply[25])
        return false;
    return true;
}

}  // namespace kov
