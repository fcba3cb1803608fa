#pragma once
// The exchanges with the device. None of them throws; each returns true on success.

#include <cstddef>
#include <cstdint>
#include <span>

#include "link/frame.h"

namespace kov {

class CSerialComm;

inline constexpr std::uint8_t kSelectorReadTask = 0x09;
inline constexpr std::uint8_t kSelectorReadClock = 0x0A;
inline constexpr int kStatusReplyAttempts = 20;

// Copies frame into the link's frame buffer, completes its checksum, writes the 13
// bytes and logs them. False (and no log line) unless all 13 bytes went out.
// Frames waiting as latest values (latest_frames.h) are written first.
bool SendCommand(CSerialComm& link, const CommandFrame& frame);

// SendCommand without writing the waiting latest values first.
bool WriteFrame(CSerialComm& link, const CommandFrame& frame);

// Reads a 25- or 29-byte reply into buffer (zeroed first by the caller) and checks it;
// an accepted reply is logged.
bool ReadReply(CSerialComm& link, std::span<std::uint8_t> buffer);

// Reads a 26-byte status reply into buffer: logged once on arrival and again when accepted.
bool ReadStatusReply(CSerialComm& link, std::span<std::uint8_t> buffer);

// Sends a device query (command 0x00) and, for selector 0x09 or 0x0A, reads its reply
// into the query or short reply buffer after an 80 ms pause.
bool QueryDevice(CSerialComm& link, std::uint8_t cardId, std::uint8_t selector, std::uint8_t p5,
                 std::uint8_t p6);

// Up to 20 attempts at the status reply, 1000 ms apart; none after the port has closed.
bool ReadStatusReplyRetrying(CSerialComm& link);

}  // namespace kov
