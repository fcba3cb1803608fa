#pragma once
// A clock that only moves when told to; sleeping advances it and is recorded.

#include <chrono>
#include <ctime>
#include <vector>

#include "platform/clock.h"

namespace kov::test {

class FakeClock final : public Clock {
public:
    TimePoint Now() const override { return now; }
    void Sleep(std::chrono::milliseconds duration) override {
        sleeps.push_back(duration);
        now += duration;
    }

    // Sets the clock to a local date and time.
    void SetLocal(int year, int month, int day, int hour, int minute, int second) {
        std::tm tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        tm.tm_hour = hour;
        tm.tm_min = minute;
        tm.tm_sec = second;
        tm.tm_isdst = -1;
        now = std::chrono::system_clock::from_time_t(std::mktime(&tm));
    }

    TimePoint now = std::chrono::system_clock::from_time_t(1700000000);
    std::vector<std::chrono::milliseconds> sleeps;
};

}  // namespace kov::test
