#pragma once
// Values that change faster than the line can carry them (a slider being dragged). While
// earlier frames are still leaving the computer, a newer frame of the same kind replaces
// the one waiting instead of queueing behind it, so the device always gets the latest
// value within about two frame times. When the line is idle a frame goes out at once.
// SendCommand writes every waiting frame before its own, so the order of different
// commands never changes.

#include <cstdint>
#include <optional>

#include "link/frame.h"
#include "platform/clock.h"

namespace kov {

class CSerialComm;

// The kind of a frame: its address, command and first parameter byte.
std::uint32_t LatestKey(const CommandFrame& frame);

// Sends frame at once when the line is idle and nothing waits; otherwise it waits,
// replacing a waiting frame of the same kind. False only when a write at once failed.
bool SendLatest(CSerialComm& link, const CommandFrame& frame);

// Writes the oldest waiting frame once the line is idle. The time the next one is due,
// or nothing when none waits. Never waits for the link: while another exchange holds it,
// the pump just asks to be called again a little later.
std::optional<Clock::TimePoint> PumpLatest(CSerialComm& link);

// Writes every waiting frame now (before other commands and on shutdown).
void FlushLatest(CSerialComm& link);

}  // namespace kov
