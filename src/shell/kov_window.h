#pragma once
// The main window: card tree on the left, the two diagrams in the middle, the page of the
// selected card on the right, command buttons, resolution list, fades and clock on top.

#include <QDateTime>
#include <QMainWindow>
#include <QPointer>
#include <QStyle>

#include <chrono>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "schedule/schedule_event.h"
#include "schedule/schedule_runner.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace kov {
struct SyncResult;
class BrellLog;
class StateSaver;
}  // namespace kov

namespace kov::ui {

class CInPutFieldDlg;
class COutPutFieldDLg;
class CInPutPage;
class CPageDlg;
class CRunScheduleDlg;
class DiagramCtrl;

class CKovDlg final : public QMainWindow, public IsScheduleEvent {
    Q_OBJECT

public:
    explicit CKovDlg(AppContext& context, QWidget* parent = nullptr);
    ~CKovDlg() override;

    // The start-up steps, from the language texts to the relabelled menu.
    void Initialise();

    // Controls by their ids (tests and the relabelling use them).
    QPushButton* Button(int id) const;
    QAction* MenuAction(int commandId) const;
    QTreeWidget* Tree() const { return tree_; }
    QComboBox* ResolutionList() const { return resolutions_; }
    QTabWidget* Tabs() const { return tabs_; }
    QLineEdit* FadeEdit() const { return fadeTime_; }
    QLineEdit* ClockBox() const { return clock_; }
    // The status area: what the last command did, and the port in use with its state.
    QLabel* OutcomeLine() const { return outcome_; }
    QLabel* PortLine() const { return portLine_; }
    CInPutPage* InputPage() const { return inputPage_; }
    CPageDlg* OutputPage() const { return outputPage_; }
    CInPutFieldDlg* InputDiagram() const { return inputField_; }
    COutPutFieldDLg* OutputDiagram() const { return outputField_; }
    BrellLog* CommandLog() const { return log_.get(); }

    // Commands of the buttons and the menu.
    void OpenProject(bool fromMenu);
    void SaveProject();
    void AutoAdjust();
    void FactoryReset();
    void InternalBusReset();
    // Opens the offline schedule dialog on the device's timed template recalls.
    void OfflineSchedule();
    void Fade(int picture);
    void TogglePort();
    void CommunicationSettings();
    void ConfigureCards();
    void SwitchLanguage(const std::string& name);
    void About();
    void UserManual();
    void SynchroniseDevice();
    void RecallTemplate(int n);
    void StoreTemplate(int n);

    // Card tree and selection.
    void SelectCard(int slot);
    void ToggleCard(int slot);
    // Makes cardId the current card everywhere: its page shows it and is the visible page,
    // its diagram tab is showing with the card's cell highlighted, and its tree item is
    // selected. lParam is passed on to the page.
    void ShowCurrentCard(int cardId, qintptr lParam = 0);
    // The same for a card the pages already show: everything but telling the page.
    void HighlightCard(int cardId);
    // The card the visible page shows (0 when it shows none).
    int CurrentCardId() const;
    void BringTreeInLine();
    void ChangeResolution(int index);

    // One tick of the port watcher: after the device has gone it shows the port closed,
    // says so in the status bar and reopens the same port as soon as it is back, then
    // offers to synchronise. Runs every 250 ms.
    void WatchPort();

    // Says in the status bar when the automatic save or the command log starts failing,
    // and again when it works again. Runs with the port watcher.
    void WatchStorage();

    // Clock text of a local time: "%d/%d/%d %02d:%02d:%02d".
    static QString ClockText(const QDateTime& time);

    // Online schedules: the editor (menu 32798), the runner window (menu 32799) and the run
    // itself, which this window owns. Timer 3 ticks just after every whole second; each tick
    // fires what fell due since the last one. Script entries wait for a running
    // synchronisation, and entries after them wait in order.
    void EditSchedule();
    void RunSchedule();
    bool StartSchedule(const std::string& utf8Path) override;
    void StopSchedule() override;
    bool ScheduleRunning() const override { return scheduleActive_; }
    std::string RunningSchedulePath() const override { return schedulePath_; }
    void ScheduleTick();
    // The clock the run reads (the system clock unless a test gives its own).
    void SetScheduleClock(Clock& clock) { scheduleClock_ = &clock; }
    QTimer* ScheduleTimer() const { return scheduleTimer_; }
    QLabel* ScheduleStatus() const { return scheduleStatus_; }
    // Fired entries not carried out yet (waiting for a synchronisation or the link).
    std::size_t PendingScheduleEntries() const { return schedulePending_.size(); }

signals:
    // Emitted when a synchronisation started on its worker thread has finished.
    void synchroniseFinished(int framesSent);

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildControls();
    void BuildMenu();
    QPushButton* AddButton(int id, QStyle::StandardPixmap icon);
    void ApplyTexts();
    void RelabelMenu();
    void BuildTree();
    // Shows the port's state on the serial-port button (green open, amber open on a port
    // taken instead of the configured one, red closed) and in the status area.
    void ShowPortImage();
    void RefreshAfterRead();
    // The card ID of the first input or output record (0 when there is none).
    int FirstCardId(bool input) const;
    void SelectFirstInputResolution();
    void WaitForSynchronisation();
    // Says in the status area how a synchronisation ended.
    void ReportSynchronisation(const SyncResult& result,
                               std::chrono::steady_clock::duration elapsed);
    std::filesystem::path TemplatePath(int n) const;
    void OnTreeClicked(QTreeWidgetItem* item);
    void OnTreeDoubleClicked(QTreeWidgetItem* item);
    void OnClickTimer();
    void OnTabChosen(int index);
    void OnFadeEdited(const QString& text);
    void ShowInputPage(bool input);
    void HandleMessage(int message, qintptr wParam, qintptr lParam);
    void ResendVisibleSplices();
    void Shutdown();
    std::vector<bool> HiddenFlags(bool input) const;
    DiagramCtrl& PictureOf(bool input) const;
    void ShowTab(int tab);
    // Writes the shown flag into the card's record and sends what the device needs to show
    // or hide it; false when no record has that card.
    bool SendInputShown(int cardId, bool show);
    bool SendOutputShown(int cardId, bool show);
    QTreeWidgetItem* TreeItemOfSlot(int slot) const;
    void Message(const char* key);
    // A message that names the file it is about on its second line.
    void FileMessage(const char* key, const std::filesystem::path& file,
                     MessageIcon icon = MessageIcon::kWarning);
    // What the last command did, in the status area (the port and the clock keep their own
    // places at the right).
    void ReportStatus(const std::string& text);
    void ReportOpenFailure();
    void BuildScheduleRun();
    void ArmScheduleTimer();
    void RunPendingEntries();
    void EndScheduleRun();
    void ShowScheduleStatus(bool recompute);
    void ScheduleLog(const std::string& line);
    void ReportScheduleProblem(const char* key, std::size_t index, const std::string& why);

    AppContext& context_;
    std::unique_ptr<BrellLog> log_;
    std::unique_ptr<StateSaver> saver_;
    bool closing_ = false;
    std::thread syncThread_;

    QComboBox* resolutions_ = nullptr;
    QLineEdit* fadeTime_ = nullptr;
    QLineEdit* clock_ = nullptr;
    QLabel* outcome_ = nullptr;
    QLabel* portLine_ = nullptr;
    int configuredPort_ = 0;   // the port number the settings ask for
    std::string portFailure_;  // why the last open failed, until the port opens or closes
    QTreeWidget* tree_ = nullptr;
    QTabWidget* tabs_ = nullptr;
    CInPutFieldDlg* inputField_ = nullptr;
    COutPutFieldDLg* outputField_ = nullptr;
    CInPutPage* inputPage_ = nullptr;
    CPageDlg* outputPage_ = nullptr;
    std::map<int, QPushButton*> buttons_;
    std::map<int, QAction*> actions_;
    std::vector<QMenu*> menus_;
    QMenu* onlineMenu_ = nullptr;

    QTimer* clickTimer_ = nullptr;
    QTimer* clockTimer_ = nullptr;
    QTimer* portWatch_ = nullptr;
    bool awaitingDevice_ = false;  // the device went away and has not been reopened yet
    bool saveFailing_ = false;     // the status bar says that the state file is not saved
    bool logDropping_ = false;     // the status bar says that command-log lines are lost
    QTreeWidgetItem* pendingItem_ = nullptr;
    QTreeWidgetItem* doubleClickedItem_ = nullptr;

    // The online schedule run.
    struct PendingEntry {
        std::size_t index = 0;
        ScheduleEntry entry;
    };
    std::unique_ptr<ScheduleRunner> scheduleRun_;
    std::string schedulePath_;
    bool scheduleActive_ = false;
    std::deque<PendingEntry> schedulePending_;
    Clock* scheduleClock_ = nullptr;
    QTimer* scheduleTimer_ = nullptr;  // timer 3
    QTimer* scheduleRetry_ = nullptr;  // the link was busy with another worker
    QLabel* scheduleStatus_ = nullptr;
    LocalSeconds scheduleNextDue_ = 0;
    LocalSeconds scheduleShownAt_ = 0;
    QPointer<CRunScheduleDlg> runnerWindow_;
};

}  // namespace kov::ui
