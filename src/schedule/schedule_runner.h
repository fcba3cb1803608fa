#pragma once
// The run of an online schedule: every tick looks at each local second since the last one
// it looked at and reports which entries are due, which were skipped and whether the run
// ended. It never acts itself; the caller sends or synchronises.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "schedule/local_time.h"
#include "schedule/schedule_entry.h"

namespace kov {

// A tick that comes more than this long after the last one fires nothing in between.
inline constexpr std::int64_t kMaxCatchUpSeconds = 120;

enum class ScheduleEventKind {
    kFire,           // carry out the entry
    kMissed,         // due during a gap of more than two minutes; not carried out
    kUnrunnable,     // the entry cannot be carried out (see EntryProblem)
    kMissingScript,  // a script entry whose project file does not exist
};

struct ScheduleEvent {
    ScheduleEventKind kind = ScheduleEventKind::kFire;
    std::size_t index = 0;  // position of the entry in the schedule
    LocalSeconds due = 0;   // local second the entry was due at
    std::string reason;     // for the skips
    bool endsRun = false;   // the last entry of the schedule fired

    friend bool operator==(const ScheduleEvent&, const ScheduleEvent&) = default;
};

// One line for the command log or the console: "fired 3 ..." / "skipped 3 ...: reason".
std::string DescribeEvent(const ScheduleEvent& event, const ScheduleEntry& entry);

class ScheduleRunner {
public:
    using ScriptExists = std::function<bool(const std::string& utf8Path)>;

    // scriptExists decides whether a script entry's project file is there; by default the
    // file system is asked.
    explicit ScheduleRunner(Schedule schedule, ScriptExists scriptExists = {});

    const Schedule& Entries() const { return schedule_; }
    bool Ended() const { return ended_; }

    // Marks the moment the run starts: the first tick also looks at this second.
    void Begin(Clock::TimePoint now);

    // Everything due since the last tick, in order. After the run ended it returns nothing.
    std::vector<ScheduleEvent> Tick(Clock::TimePoint now);

    // The next count events after the local second from (not included), as the run would
    // produce them if it were ticked every second; the run itself is not changed. Looks
    // at most horizonDays ahead.
    std::vector<ScheduleEvent> Preview(LocalSeconds from, std::size_t count,
                                       int horizonDays = 400) const;

private:
    void Examine(LocalSeconds first, LocalSeconds last, bool missed,
                 std::vector<ScheduleEvent>& out, std::size_t limit);
    void ExamineSecond(LocalSeconds second, bool missed, std::vector<ScheduleEvent>& out);
    bool AllowedOn(const ScheduleEntry& entry, std::int64_t day) const;

    Schedule schedule_;
    ScriptExists scriptExists_;
    std::vector<std::optional<std::string>> problems_;   // per entry, from EntryProblem
    std::vector<std::pair<int, std::size_t>> bySecond_;  // (second of day, index), sorted
    std::vector<std::int64_t> doneDay_;  // per entry: the local day it last fired or skipped
    std::optional<LocalSeconds> lastLocal_;
    std::int64_t lastEpoch_ = 0;
    bool ended_ = false;
};

}  // namespace kov
