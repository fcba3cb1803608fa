// The main window's online schedules: the editor and runner windows, and the run itself
// (timer 3), which fires what fell due and carries it out in order.

#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <filesystem>

#include "link/command_log.h"
#include "link/exchange.h"
#include "link/serial_comm.h"
#include "schedule/schedule_editor_dialog.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_list.h"
#include "schedule/schedule_runner_dialog.h"
#include "shell/kov_window.h"
#include "shell/operator_dialogs.h"
#include "store/language.h"
#include "store/project_file.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

// Timer 3 wakes this long after each whole second, so a due second is acted on at once.
constexpr std::chrono::milliseconds kTickAfterSecond{2};
// How soon a fired entry tries again while another worker holds the link.
constexpr int kLinkBusyRetryMs = 50;

constexpr LocalSeconds kNothingDue = INT64_MAX;

}  // namespace

void CKovDlg::BuildScheduleRun() {
    scheduleClock_ = &SystemClock();
    scheduleTimer_ = new QTimer(this);
    scheduleTimer_->setObjectName("scheduleTimer");
    scheduleTimer_->setSingleShot(true);
    scheduleTimer_->setTimerType(Qt::PreciseTimer);
    connect(scheduleTimer_, &QTimer::timeout, this, &CKovDlg::ScheduleTick);
    scheduleRetry_ = new QTimer(this);
    scheduleRetry_->setSingleShot(true);
    scheduleRetry_->setInterval(kLinkBusyRetryMs);
    connect(scheduleRetry_, &QTimer::timeout, this, &CKovDlg::RunPendingEntries);
    // A script entry's synchronisation has ended: what waited behind it runs now.
    connect(this, &CKovDlg::synchroniseFinished, this, &CKovDlg::RunPendingEntries);
    scheduleStatus_ = new QLabel(this);
    scheduleStatus_->setObjectName("scheduleStatus");
    // Between the outcome line (index 0) and the port line and clock.
    statusBar()->insertPermanentWidget(1, scheduleStatus_);
}

void CKovDlg::EditSchedule() {
    CCUSTOMSCHEDULEDLG editor(context_, this);
    context_.dialogs.ShowModal(editor);
}

void CKovDlg::RunSchedule() {
    CRunScheduleDlg runner(context_, *this, this);
    runnerWindow_ = &runner;
    context_.dialogs.ShowModal(runner);
    runnerWindow_ = nullptr;
}

bool CKovDlg::StartSchedule(const std::string& utf8Path) {
    Schedule entries;
    if (!LoadSchedule(std::filesystem::u8path(utf8Path), entries))
        return false;
    for (const PendingEntry& pending : schedulePending_)
        ScheduleLog("entry " + std::to_string(pending.index) + " dropped: a new run started");
    schedulePending_.clear();
    const std::size_t count = entries.size();
    scheduleRun_ = std::make_unique<ScheduleRunner>(std::move(entries));
    scheduleRun_->Begin(scheduleClock_->Now());
    schedulePath_ = utf8Path;
    scheduleActive_ = true;
    ScheduleLog("run started: " + utf8Path + " (" + std::to_string(count) + " entries)");
    ArmScheduleTimer();
    ShowScheduleStatus(true);
    return true;
}

void CKovDlg::StopSchedule() {
    scheduleTimer_->stop();
    if (!scheduleActive_)
        return;
    scheduleActive_ = false;
    // Stopping also stops what fired and still waited for a synchronisation.
    for (const PendingEntry& pending : schedulePending_)
        ScheduleLog("entry " + std::to_string(pending.index) + " dropped: the run was stopped");
    schedulePending_.clear();
    scheduleRetry_->stop();
    ScheduleLog("run stopped");
    ShowScheduleStatus(false);
}

void CKovDlg::ArmScheduleTimer() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto next = ceil<seconds>(now + kTickAfterSecond) + kTickAfterSecond;
    scheduleTimer_->start(ceil<milliseconds>(next - now));
}

void CKovDlg::ScheduleTick() {
    if (!scheduleActive_ || !scheduleRun_)
        return;
    const std::vector<ScheduleEvent> events = scheduleRun_->Tick(scheduleClock_->Now());
    for (const ScheduleEvent& event : events) {
        const ScheduleEntry& entry = scheduleRun_->Entries()[event.index];
        ScheduleLog(DescribeEvent(event, entry));
        if (event.kind == ScheduleEventKind::kFire)
            schedulePending_.push_back({event.index, entry});
        else
            ReportScheduleProblem("IDS_SCHEDULE_SKIPPED", event.index, {});
    }
    RunPendingEntries();
    if (scheduleRun_->Ended())
        EndScheduleRun();
    else
        ArmScheduleTimer();
    if (scheduleActive_)
        ShowScheduleStatus(!events.empty());
}

// Carries out the fired entries in order. A script entry opens its project and starts the
// synchronisation; the entries behind it wait until it has finished. Nothing here asks the
// operator anything: failures go to the command log and the status bar.
void CKovDlg::RunPendingEntries() {
    while (!schedulePending_.empty() && !syncThread_.joinable()) {
        auto linkFree = context_.link.TryLockExchange();
        if (!linkFree.owns_lock()) {  // the offline schedule dialog is reading, for example
            scheduleRetry_->start();
            return;
        }
        const PendingEntry pending = schedulePending_.front();
        schedulePending_.pop_front();
        const ScheduleEntry& entry = pending.entry;
        if (entry.method == kMethodChannelSwitch) {
            if (!SendCommand(context_.link, ChannelSwitchFrame(entry))) {
                ReportScheduleProblem("IDS_SCHEDULE_FAILED", pending.index,
                                      "the channel switch frame could not be written");
            }
            continue;
        }
        linkFree.unlock();
        if (!ReadProjectFile(std::filesystem::u8path(entry.scriptPath), context_.records).opened) {
            ReportScheduleProblem("IDS_SCHEDULE_FAILED", pending.index,
                                  "the project file cannot be read: " + entry.scriptPath);
            continue;
        }
        RefreshAfterRead();
        SynchroniseDevice();
    }
}

// The last entry of the schedule fired: the run ends as if stopped, but what fired is
// still carried out.
void CKovDlg::EndScheduleRun() {
    scheduleTimer_->stop();
    scheduleActive_ = false;
    ScheduleLog("run ended: the last entry fired");
    scheduleStatus_->setText(ToQString(context_.language.Text("IDS_SCHEDULE_ENDED")));
    if (runnerWindow_)
        runnerWindow_->ShowRunState();
}

// "Schedule running, next: ..." with the entry that fires next; the next firing is looked
// up again only when something fired, its time has come or the clock went back.
void CKovDlg::ShowScheduleStatus(bool recompute) {
    if (!scheduleActive_) {
        scheduleStatus_->clear();
        return;
    }
    const LocalSeconds now = LocalSecondsOf(scheduleClock_->Now());
    if (!recompute && now < scheduleNextDue_ && now >= scheduleShownAt_)
        return;
    scheduleShownAt_ = now;
    const auto next = scheduleRun_->Preview(now, 1);
    if (next.empty()) {
        scheduleNextDue_ = kNothingDue;
        scheduleStatus_->setText(ToQString(context_.language.Text("IDS_SCHEDULE_NONEDUE")));
        return;
    }
    scheduleNextDue_ = next.front().due;
    const ScheduleRow row =
        ScheduleRowTexts(static_cast<int>(next.front().index),
                         scheduleRun_->Entries()[next.front().index], context_.language);
    const QString what = ToQString(FormatLocalSeconds(next.front().due) + "  " + row[0] + ": " +
                                   row[4] + " " + row[5]);
    scheduleStatus_->setText(ToQString(context_.language.Text("IDS_SCHEDULE_RUNNING")).arg(what));
}

void CKovDlg::ScheduleLog(const std::string& line) {
    if (log_)
        log_->WriteLine("Schedule: " + line);
}

void CKovDlg::ReportScheduleProblem(const char* key, std::size_t index, const std::string& why) {
    if (!why.empty())
        ScheduleLog("entry " + std::to_string(index) + ": " + why);
    ReportStatus(ToQString(context_.language.Text(key)).arg(index).toStdString());
}

}  // namespace kov::ui
