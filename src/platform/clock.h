#pragma once
// Wall-clock time and pauses, behind an interface so tests can move time and never sleep.

#include <chrono>

namespace kov {

class Clock {
public:
    using TimePoint = std::chrono::system_clock::time_point;
    using duration = TimePoint::duration;

    virtual ~Clock() = default;
    virtual TimePoint Now() const = 0;
    virtual void Sleep(std::chrono::milliseconds duration) = 0;
};

// The real clock of the machine.
Clock& SystemClock();

}  // namespace kov
