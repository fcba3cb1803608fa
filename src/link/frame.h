#pragma once
// The 13-byte command frame and the checks of the 25-, 26- and 29-byte replies.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace kov {

inline constexpr std::uint8_t kHeader1 = 0xED;
inline constexpr std::uint8_t kHeader2 = 0xCB;
inline constexpr std::uint8_t kFiller = 0x55;

inline constexpr std::size_t kFrameSize = 13;
inline constexpr std::size_t kShortReplySize = 25;
inline constexpr std::size_t kStatusReplySize = 26;
inline constexpr std::size_t kQueryReplySize = 29;

// Byte 0-1 header, 2 address, 3 command, 4-11 parameters, 12 checksum.
using CommandFrame = std::array<std::uint8_t, kFrameSize>;

// A frame with the header and every other byte 0x55; the checksum byte is left 0x55.
CommandFrame BlankFrame();

// Composes address and command with parameter bytes 4.. taken from params; the rest is 0x55.
CommandFrame ComposeFrame(std::uint8_t address, std::uint8_t command,
                          std::span<const std::uint8_t> params = {});

// (sum of bytes 2..11) mod 256.
std::uint8_t FrameChecksum(const CommandFrame& frame);

// Fills byte 12 with the checksum.
void CompleteChecksum(CommandFrame& frame);

// True when the header is right and byte 12 equals the checksum.
bool IsValidFrame(const CommandFrame& frame);

// Stores a 16-bit value high byte first at frame[pos], frame[pos + 1].
void PutWord(CommandFrame& frame, std::size_t pos, std::int64_t value);

// Checks a 25- or 29-byte reply: header, data length L with L + 3 <= count - 15, and
// (bytes 15, 16, 17 and the L data bytes) mod 256 == last byte.
bool IsValidReply(std::span<const std::uint8_t> reply);

// Checks a 26-byte status reply: header and both checksums (the one counted by byte 4
// from byte 2, the one counted by byte 17 from byte 15) equal byte 25.
bool IsValidStatusReply(std::span<const std::uint8_t> reply);

}  // namespace kov
