#include "schedule/schedule_runner_dialog.h"

#include <QDateTime>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

#include <filesystem>

#include "schedule/schedule_event.h"
#include "schedule/schedule_file.h"
#include "schedule/schedule_list.h"
#include "schedule/schedule_list_widget.h"
#include "shell/app_context.h"
#include "shell/kov_window.h"
#include "shell/operator_dialogs.h"
#include "store/file_io.h"
#include "store/language.h"
#include "widgets/editor_page.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

constexpr int kDialogId = 161;

}  // namespace

CRunScheduleDlg::CRunScheduleDlg(AppContext& context, IsScheduleEvent& events, QWidget* parent)
    : QDialog(parent), context_(context), events_(events) {
    setObjectName("CRunScheduleDlg");
    setWindowTitle("Run Schedule");
    BuildLayout();
    RelabelDialog(this, kDialogId, context_.language);
    LabelScheduleList(*list_, context_.language);
    if (events_.ScheduleRunning()) {
        const QString running = QString::fromStdString(events_.RunningSchedulePath());
        if (LoadDisplay(running))
            path_ = running;
    }
    ShowRunState();
    ShowClock();
    clockTimer_->start(1000);
}

void CRunScheduleDlg::BuildLayout() {
    const auto button = [this](int id) {
        auto* b = WithId(new QPushButton(this), id);
        b->setAutoDefault(false);  // Enter presses no button
        return b;
    };
    pathBox_ = WithId(new QLineEdit(this), 1019);
    pathBox_->setReadOnly(true);
    browse_ = button(1215);
    startStop_ = button(1217);
    close_ = button(1216);
    list_ = MakeScheduleList(this, 1016, kRunnerColumnWidths);
    clock_ = WithId(new QLineEdit(this), 1015);
    clock_->setReadOnly(true);
    clock_->setMinimumWidth(clock_->fontMetrics().horizontalAdvance("2026/12/31 23:59:59") + 16);

    auto* layout = new QGridLayout(this);
    layout->addWidget(pathBox_, 0, 0, 1, 3);
    layout->addWidget(browse_, 0, 3);
    layout->addWidget(list_, 1, 0, 1, 4);
    layout->addWidget(clock_, 2, 0);
    layout->setColumnStretch(1, 1);
    layout->addWidget(startStop_, 2, 2);
    layout->addWidget(close_, 2, 3);
    resize(640, 420);

    clockTimer_ = new QTimer(this);
    connect(clockTimer_, &QTimer::timeout, this, &CRunScheduleDlg::ShowClock);
    connect(browse_, &QPushButton::clicked, this, &CRunScheduleDlg::Browse);
    connect(startStop_, &QPushButton::clicked, this, &CRunScheduleDlg::StartOrStop);
    connect(close_, &QPushButton::clicked, this, [this] {
        list_->clear();
        path_.clear();
        reject();
    });
}

void CRunScheduleDlg::ShowClock() {
    clock_->setText(CKovDlg::ClockText(QDateTime::currentDateTime()));
}

void CRunScheduleDlg::ShowRunState() {
    running_ = events_.ScheduleRunning();
    startStop_->setText(
        ToQString(context_.language.Named(running_ ? "IDS_SCHEDULE_STOP" : "IDS_SCHEDULE_START")));
    browse_->setEnabled(!running_);
    close_->setEnabled(!running_);
    pathBox_->setText(path_);
}

bool CRunScheduleDlg::LoadDisplay(const QString& path) {
    Schedule loaded;
    if (!LoadSchedule(std::filesystem::u8path(path.toStdString()), loaded))
        return false;
    FillScheduleList(*list_, loaded, context_.language, -1);
    return true;
}

void CRunScheduleDlg::Browse() {
    const QString path = context_.dialogs.OpenFile(this, "KOV-Q730 Schedule File(*.smfx)", "smfx");
    if (path.isEmpty())
        return;
    // A file that cannot be read does not replace the one shown.
    if (!LoadDisplay(path))
        return Tell("IDS_FILEOPEN_FAILED");
    path_ = path;
    pathBox_->setText(path);
}

void CRunScheduleDlg::StartOrStop() {
    if (running_)
        Stop();
    else
        Start();
}

void CRunScheduleDlg::Start() {
    if (!context_.dialogs.Question(this, ToQString(context_.language.Named("IDS_SCHEDULE_START"))))
        return;
    if (path_.isEmpty())
        return Tell("IDS_SCHEDULE_SECLECT");
    if (!IsReadable(std::filesystem::u8path(path_.toStdString()))) {
        context_.dialogs.Message(
            this,
            ToQString(TextWithFile(context_.language.Text("IDS_FIND_FILE"), path_.toStdString())),
            MessageIcon::kWarning);
        return;
    }
    if (!events_.StartSchedule(path_.toStdString())) {
        Tell("IDS_FILEOPEN_FAILED");
        ShowRunState();
        return;
    }
    // The list shows the entries the run goes through, read at its start.
    LoadDisplay(path_);
    ShowRunState();
}

void CRunScheduleDlg::Stop() {
    if (!context_.dialogs.Question(this, ToQString(context_.language.Named("IDS_SCHEDULE_STOP"))))
        return;
    events_.StopSchedule();
    ShowRunState();
}

void CRunScheduleDlg::Tell(const char* key) {
    context_.dialogs.Message(this, ToQString(context_.language.Named(key)),
                             MessageIcon::kInformation);
}

void CRunScheduleDlg::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape never press a button or close the window.
    if (IsSwallowedKey(*event))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

}  // namespace kov::ui
