#include "schedule/schedule_runner.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <set>

#include "support/fake_clock.h"

namespace kov {
namespace {

// Central European time: CET, CEST from the last Sunday of March 02:00 to the last Sunday
// of October 03:00. Fixed here so the daylight-saving cases do not depend on the machine.
constexpr const char* kZoneRule = "CET-1CEST,M3.5.0,M10.5.0/3";

class FixedZone {
public:
    FixedZone() {
        if (const char* tz = std::getenv("TZ"))
            old_ = tz;
        setenv("TZ", kZoneRule, 1);
        tzset();
    }
    ~FixedZone() {
        if (old_)
            setenv("TZ", old_->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> old_;
};

ScheduleEntry Daily(int hour, int minute, int second) {
    ScheduleEntry e;
    e.year = 2024;
    e.month = 5;
    e.day = 1;
    e.hour = hour;
    e.minute = minute;
    e.second = second;
    e.method = kMethodChannelSwitch;
    e.cardKey = 131;
    e.picture = 1;
    e.source = 8;
    return e;
}

ScheduleEntry Once(int year, int month, int day, int hour, int minute, int second) {
    ScheduleEntry e = Daily(hour, minute, second);
    e.cycle = kCycleOnce;
    e.year = year;
    e.month = month;
    e.day = day;
    return e;
}

// Weekly on one weekday, counted from Monday = 1 to Sunday = 7.
ScheduleEntry Weekly(int weekday, int hour, int minute, int second) {
    ScheduleEntry e = Daily(hour, minute, second);
    e.cycle = kCycleWeekly;
    std::int32_t* flags[] = {&e.monday, &e.tuesday,  &e.wednesday, &e.thursday,
                             &e.friday, &e.saturday, &e.sunday};
    *flags[weekday - 1] = 1;
    return e;
}

ScheduleEntry Script(int hour, int minute, int second, std::string path) {
    ScheduleEntry e = Daily(hour, minute, second);
    e.method = kMethodScript;
    e.source = kNoSource;
    e.cardKey = 0;
    e.picture = 0;
    e.scriptPath = std::move(path);
    return e;
}

ScheduleEntry Unrunnable(int hour, int minute, int second) {
    ScheduleEntry e = Daily(hour, minute, second);
    e.cardKey = 0;
    return e;
}

// A tick: a local time "YYYY-MM-DD HH:MM:SS", or a UTC time with a trailing "Z" for the
// hours that daylight saving makes missing or ambiguous, plus milliseconds.
struct TickAt {
    const char* time;
    int ms = 0;
};

Clock::TimePoint ToTimePoint(const TickAt& tick) {
    std::tm tm{};
    const std::string text = tick.time;
    std::sscanf(text.c_str(), "%d-%d-%d %d:%d:%d", &tm.tm_year, &tm.tm_mon, &tm.tm_mday,
                &tm.tm_hour, &tm.tm_min, &tm.tm_sec);
    tm.tm_year -= 1900;
    tm.tm_mon -= 1;
    tm.tm_isdst = -1;
    const std::time_t t = text.back() == 'Z' ? timegm(&tm) : std::mktime(&tm);
    return std::chrono::system_clock::from_time_t(t) + std::chrono::milliseconds(tick.ms);
}

// "fire 0 2024-05-01 08:00:00", "missed 1 ...", "unrunnable 2 ...", "noscript 3 ...",
// with " end" when the run ends.
std::string Brief(const ScheduleEvent& e) {
    static const char* kinds[] = {"fire", "missed", "unrunnable", "noscript"};
    return std::string(kinds[static_cast<int>(e.kind)]) + ' ' + std::to_string(e.index) + ' ' +
           FormatLocalSeconds(e.due) + (e.endsRun ? " end" : "");
}

struct RunCase {
    const char* name;
    Schedule schedule;
    std::vector<TickAt> ticks;  // the first one starts the run
    std::vector<std::string> events;
};

class ScheduleRunnerTest : public testing::TestWithParam<RunCase> {
protected:
    FixedZone zone;
};

TEST_P(ScheduleRunnerTest, ReportsWhatIsDue) {
    ScheduleRunner runner(GetParam().schedule,
                          [](const std::string& path) { return path != "/gone.scpx"; });
    std::vector<std::string> events;
    for (std::size_t i = 0; i < GetParam().ticks.size(); ++i) {
        const Clock::TimePoint now = ToTimePoint(GetParam().ticks[i]);
        if (i == 0)
            runner.Begin(now);
        for (const ScheduleEvent& e : runner.Tick(now))
            events.push_back(Brief(e));
    }
    EXPECT_EQ(events, GetParam().events);
}

// 1 May 2024 is a Wednesday (weekday 3).
INSTANTIATE_TEST_SUITE_P(
    Cases, ScheduleRunnerTest,
    testing::Values(
        RunCase{"TwoTicksInOneSecondFireOnce",
                {Daily(8, 0, 0), Daily(9, 0, 0)},
                {{"2024-05-01 07:59:59", 500},
                 {"2024-05-01 08:00:00", 100},
                 {"2024-05-01 08:00:00", 900},
                 {"2024-05-01 08:00:01", 100}},
                {"fire 0 2024-05-01 08:00:00"}},
        RunCase{"EntryInASkippedSecondStillFires",
                {Daily(8, 0, 0), Daily(9, 0, 0)},
                {{"2024-05-01 07:59:58"}, {"2024-05-01 07:59:59"}, {"2024-05-01 08:00:01"}},
                {"fire 0 2024-05-01 08:00:00"}},
        RunCase{"ThreeSecondSynchronisationCatchesUpInOrder",
                {Daily(8, 0, 0), Daily(8, 0, 1), Daily(8, 0, 2), Daily(9, 0, 0)},
                {{"2024-05-01 07:59:59"}, {"2024-05-01 08:00:00"}, {"2024-05-01 08:00:03"}},
                {"fire 0 2024-05-01 08:00:00", "fire 1 2024-05-01 08:00:01",
                 "fire 2 2024-05-01 08:00:02"}},
        RunCase{"StartSecondItselfIsExamined",
                {Daily(8, 0, 0), Daily(9, 0, 0)},
                {{"2024-05-01 08:00:00", 300}, {"2024-05-01 08:00:01", 300}},
                {"fire 0 2024-05-01 08:00:00"}},
        RunCase{"TenMinuteGapSkipsStaleEntriesButNotTheCurrentSecond",
                {Daily(8, 0, 0), Daily(8, 3, 0), Daily(8, 5, 0), Daily(9, 0, 0)},
                {{"2024-05-01 07:55:00"}, {"2024-05-01 08:05:00"}},
                {"missed 0 2024-05-01 08:00:00", "missed 1 2024-05-01 08:03:00",
                 "fire 2 2024-05-01 08:05:00"}},
        RunCase{"TwoMinuteGapStillCatchesUp",
                {Daily(8, 0, 0), Daily(9, 0, 0)},
                {{"2024-05-01 07:59:00"}, {"2024-05-01 08:01:00"}},
                {"fire 0 2024-05-01 08:00:00"}},
        RunCase{"ClockSetBackAnHourDoesNotFireAgain",
                {Daily(8, 0, 0), Daily(8, 30, 0), Daily(10, 0, 0)},
                {{"2024-05-01 07:59:59"},
                 {"2024-05-01 08:00:00"},
                 {"2024-05-01 08:30:00"},
                 {"2024-05-01 08:40:00"},
                 {"2024-05-01 07:40:00"},
                 {"2024-05-01 07:40:01"},
                 {"2024-05-01 07:59:59"},
                 {"2024-05-01 08:00:00"},
                 {"2024-05-01 08:00:01"}},
                {"fire 0 2024-05-01 08:00:00", "fire 1 2024-05-01 08:30:00"}},
        RunCase{"DailyThenWeeklyForAnotherDayFiresTheDaily",
                {Daily(8, 0, 0), Weekly(4, 8, 0, 0), Daily(9, 0, 0)},
                {{"2024-05-01 07:59:59"}, {"2024-05-01 08:00:00"}},
                {"fire 0 2024-05-01 08:00:00"}},
        RunCase{"SameSecondLastAllowedWins",
                {Daily(8, 0, 0), Weekly(3, 8, 0, 0), Daily(9, 0, 0)},
                {{"2024-05-01 07:59:59"}, {"2024-05-01 08:00:00"}},
                {"fire 1 2024-05-01 08:00:00"}},
        RunCase{"OnceInThePastNeverFiresOnceTodayDoes",
                {Once(2024, 4, 30, 8, 0, 0), Once(2024, 5, 1, 8, 0, 1), Daily(9, 0, 0)},
                {{"2024-05-01 07:59:59"}, {"2024-05-01 08:00:00"}, {"2024-05-01 08:00:01"}},
                {"fire 1 2024-05-01 08:00:01"}},
        RunCase{"DailyLastEntryFiresOnceAndEndsTheRun",
                {Daily(7, 0, 0), Daily(8, 0, 0)},
                {{"2024-05-01 07:59:59"},
                 {"2024-05-01 08:00:00"},
                 {"2024-05-02 06:59:59"},
                 {"2024-05-02 07:00:00"},
                 {"2024-05-02 08:00:00"}},
                {"fire 1 2024-05-01 08:00:00 end"}},
        RunCase{"EarlierEntryWithTheSameNumbersDoesNotEndTheRun",
                {Weekly(3, 8, 0, 0), Daily(9, 0, 0), Weekly(3, 8, 0, 0)},
                {{"2024-05-01 07:59:59"}, {"2024-05-01 08:00:00"}},
                {"fire 2 2024-05-01 08:00:00 end"}},
        RunCase{"UnrunnableEntryIsReportedAndTheEarlierOneFires",
                {Daily(8, 0, 0), Unrunnable(8, 0, 0), Daily(9, 0, 0)},
                {{"2024-05-01 07:59:59"}, {"2024-05-01 08:00:00"}, {"2024-05-01 08:00:00", 600}},
                {"unrunnable 1 2024-05-01 08:00:00", "fire 0 2024-05-01 08:00:00"}},
        RunCase{"TimesOfDayBeyondAnyClockAreReportedAtTheEdgesOfTheDay",
                {Daily(INT32_MAX, 59, 59), Daily(INT32_MIN, 0, 0)},
                {{"2024-05-01 23:59:58"}, {"2024-05-01 23:59:59"}, {"2024-05-02 00:00:00"}},
                {"unrunnable 0 2024-05-01 23:59:59", "unrunnable 1 2024-05-02 00:00:00"}},
        RunCase{"MissingScriptDoesNothingAndDoesNotEndTheRun",
                {Daily(7, 0, 0), Script(8, 0, 0, "/gone.scpx")},
                {{"2024-05-01 07:59:59"},
                 {"2024-05-01 08:00:00"},
                 {"2024-05-02 06:59:59"},
                 {"2024-05-02 07:00:00"}},
                {"noscript 1 2024-05-01 08:00:00", "fire 0 2024-05-02 07:00:00"}},
        RunCase{"SpringChangeFiresTheMissingHourAtThreeOClock",
                // 31 March 2024: 02:00 CET becomes 03:00 CEST (01:00 UTC).
                {Daily(2, 30, 0), Daily(3, 0, 0), Daily(4, 0, 0)},
                {{"2024-03-31 00:59:58Z"},
                 {"2024-03-31 00:59:59Z"},
                 {"2024-03-31 01:00:00Z"},
                 {"2024-03-31 01:00:01Z"}},
                {"fire 0 2024-03-31 02:30:00", "fire 1 2024-03-31 03:00:00"}},
        RunCase{"AutumnChangeFiresTheRepeatedHourOnce",
                // 27 October 2024: 03:00 CEST becomes 02:00 CET (01:00 UTC); 02:30 comes twice.
                {Daily(2, 30, 0), Daily(4, 0, 0)},
                {{"2024-10-27 00:29:59Z"},
                 {"2024-10-27 00:30:00Z"},
                 {"2024-10-27 00:59:59Z"},
                 {"2024-10-27 01:00:00Z"},
                 {"2024-10-27 01:29:59Z"},
                 {"2024-10-27 01:30:00Z"},
                 {"2024-10-27 01:30:01Z"}},
                {"fire 0 2024-10-27 02:30:00"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ScheduleRunnerTest, TickingEverySecondOfADayFiresEachEntryOnce) {
    FixedZone zone;
    ScheduleRunner runner({Daily(0, 0, 0), Daily(12, 34, 56), Weekly(3, 23, 59, 59),
                           Daily(23, 59, 59), Weekly(4, 0, 0, 1)});
    test::FakeClock clock;
    clock.SetLocal(2024, 4, 30, 23, 59, 59);
    runner.Begin(clock.Now());
    std::multiset<std::size_t> fired;
    for (int i = 0; i < 86400 + 2; ++i) {
        clock.now += std::chrono::seconds(1);
        for (const ScheduleEvent& e : runner.Tick(clock.Now()))
            fired.insert(e.index);
    }
    // From Tuesday 23:59:59 to Thursday 00:00:01: entry 2 (Wednesday) is shadowed by entry 3
    // at the same second, and entry 4 (Thursday) ends the run.
    EXPECT_EQ(fired, (std::multiset<std::size_t>{0, 0, 1, 3, 3, 4}));
    EXPECT_TRUE(runner.Ended());
}

TEST(ScheduleRunnerTest, PreviewListsTheNextFiringsWithoutChangingTheRun) {
    FixedZone zone;
    ScheduleRunner runner(
        {Daily(8, 0, 0), Weekly(5, 12, 0, 0), Once(2024, 5, 2, 7, 0, 0), Daily(20, 0, 0)});
    const LocalSeconds from = MakeLocalSeconds(2024, 5, 1, 8, 0, 0);
    std::vector<std::string> events;
    for (const ScheduleEvent& e : runner.Preview(from, 6))
        events.push_back(Brief(e));
    EXPECT_EQ(events, (std::vector<std::string>{"fire 3 2024-05-01 20:00:00 end"}));
    ScheduleRunner open({Daily(8, 0, 0), Weekly(5, 12, 0, 0), Once(2024, 5, 2, 7, 0, 0),
                         Once(2023, 1, 1, 0, 0, 0)});
    events.clear();
    for (const ScheduleEvent& e : open.Preview(from, 5))
        events.push_back(Brief(e));
    EXPECT_EQ(events,
              (std::vector<std::string>{"fire 2 2024-05-02 07:00:00", "fire 0 2024-05-02 08:00:00",
                                        "fire 0 2024-05-03 08:00:00", "fire 1 2024-05-03 12:00:00",
                                        "fire 0 2024-05-04 08:00:00"}));
}

}  // namespace
}  // namespace kov
