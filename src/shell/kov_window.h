#pragma once
// The main window: card tree on the left, the two diagrams in the middle, the page of the
// selected card on the right, command buttons, resolution list, fades and clock on top.

#include <QDateTime>
#include <QMainWindow>
#include <QStyle>

#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "shell/app_context.h"

class QAction;
class QComboBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace kov {
class BrellLog;
class StateSaver;
}  // namespace kov

namespace kov::ui {

class CInPutFieldDlg;
class COutPutFieldDLg;
class CInPutPage;
class CPageDlg;
class DiagramCtrl;

class CKovDlg final : public QMainWindow {
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
    void ShowPortImage();
    void RefreshAfterRead();
    void SelectFirstInputResolution();
    void WaitForSynchronisation();
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
    // The one line of the status bar (the clock keeps its own place at the right).
    void ReportStatus(const std::string& text);
    void ReportOpenFailure();

    AppContext& context_;
    std::unique_ptr<BrellLog> log_;
    std::unique_ptr<StateSaver> saver_;
    bool closing_ = false;
    std::thread syncThread_;

    QComboBox* resolutions_ = nullptr;
    QLineEdit* fadeTime_ = nullptr;
    QLineEdit* clock_ = nullptr;
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
};

}  // namespace kov::ui
