#pragma once
// The device clock: a fixed offset from the host clock, so it keeps running between commands.

#include <chrono>
#include <string>

#include "device_state.h"
#include "platform/clock.h"

namespace kov::sim {

// True for a real calendar date with a time of day in range.
bool IsValidDateTime(const DateTime& when);

// The offset that makes the device clock read `when` at host time `now`.
std::chrono::seconds OffsetFor(const DateTime& when, Clock::TimePoint now);

// The offset under which the device clock shows the host's local time at `now`.
std::chrono::seconds LocalTimeOffset(Clock::TimePoint now);

// The device clock at host time `now`.
DateTime DeviceTime(std::chrono::seconds offset, Clock::TimePoint now);

// "YYYY-MM-DD hh:mm:ss".
std::string FormatDateTime(const DateTime& when);

}  // namespace kov::sim
