#pragma once
// What the runner window asks of the window that owns a run: start it on a schedule file,
// stop it, and say whether one is active, so a window opened during a run shows it.

#include <string>

namespace kov {

class IsScheduleEvent {
public:
    virtual ~IsScheduleEvent() = default;

    // Loads the file and starts the run; false, with nothing started, when it cannot be read.
    virtual bool StartSchedule(const std::string& /*utf8Path*/) { return false; }
    // Stops the run; its schedule stays loaded.
    virtual void StopSchedule() {}
    virtual bool ScheduleRunning() const { return false; }
    // The file the active (or last) run was started from.
    virtual std::string RunningSchedulePath() const { return {}; }
};

}  // namespace kov
