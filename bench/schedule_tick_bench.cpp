// The online schedule runner's tick for a schedule of 10,000 entries (daily, once and
// weekly, spread over the day), ticked once a second through a whole simulated day, and
// late ticks that catch up three seconds. Target: at most 50 us per tick.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>
#include <vector>

#include "schedule/schedule_runner.h"
#include "support/fake_clock.h"

namespace {

using Steady = std::chrono::steady_clock;

constexpr int kEntries = 10000;

kov::Schedule ManyEntries() {
    std::mt19937 random(7);
    kov::Schedule schedule(kEntries);
    for (kov::ScheduleEntry& e : schedule) {
        const int second = static_cast<int>(random() % 86400);
        e.hour = second / 3600;
        e.minute = second / 60 % 60;
        e.second = second % 60;
        e.cycle = static_cast<int>(random() % 3) + 1;
        e.year = 2026;
        e.month = 12;
        e.day = 10 + static_cast<int>(random() % 3);
        e.monday = e.wednesday = e.friday = 1;
        e.method = kov::kMethodChannelSwitch;
        e.cardKey = 129;
        e.picture = 1;
        e.source = 8;
    }
    // The last entry ends the run when it fires: it is due on no day of the measurement.
    schedule.back().cycle = kov::kCycleOnce;
    schedule.back().year = 2030;
    return schedule;
}

void Report(const char* what, std::vector<double>& us) {
    std::sort(us.begin(), us.end());
    const auto over = us.end() - std::upper_bound(us.begin(), us.end(), 50.0);
    std::printf(
        "%s: %zu ticks, median %.2f us, p99.9 %.2f us, max %.2f us, %td over 50 us "
        "(target 50 us)\n",
        what, us.size(), us[us.size() / 2], us[us.size() * 999 / 1000], us.back(), over);
}

}  // namespace

int main() {
    kov::test::FakeClock clock;
    clock.SetLocal(2026, 12, 10, 0, 0, 0);
    kov::ScheduleRunner runner(ManyEntries());
    runner.Begin(clock.Now());
    std::vector<double> every, late;
    std::size_t events = 0;
    for (int s = 0; s < 86400 - 1; ++s) {
        clock.now += std::chrono::seconds(s % 600 == 599 ? 3 : 1);
        const auto start = Steady::now();
        events += runner.Tick(clock.Now()).size();
        const double us = std::chrono::duration<double, std::micro>(Steady::now() - start).count();
        (s % 600 == 599 ? late : every).push_back(us);
    }
    if (runner.Ended())
        std::printf("the run ended early: the figures are not valid\n");
    std::printf("%d entries, %zu events in one day\n", kEntries, events);
    Report("tick every second", every);
    Report("tick three seconds late", late);
    return 0;
}
