#include "schedule/offline_schedule_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <ctime>

#include "link/serial_comm.h"
#include "schedule/offline_task_rows.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "store/card_inventory.h"
#include "store/language.h"
#include "store/value_rules.h"
#include "widgets/digits_box.h"
#include "widgets/editor_page.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

constexpr int kDialogId = 160;
constexpr int kList = 1016;
constexpr int kReadButton = 1212;
constexpr int kCycleButtons[] = {1102, 1103, 1104, 1105};  // daily, once, weekly, invalid
constexpr int kCycleOfButton[] = {kCycleDaily, kCycleOnce, kCycleWeekly, kCycleInvalid};
constexpr int kFirstWeekdayBox = 1115;  // Monday; Sunday is 1121
constexpr const char* kColumnKeys[] = {"IDS_SCHEDULE_ID", "IDS_SCHEDULE_CYCLE",
                                       "IDS_SCHEDULE_PERIOD", "IDS_SCHEDULE_TIME",
                                       "IDS_SCHEDULE_MODELID"};
constexpr int kColumnWidths[] = {40, 90, 280, 80, 80};

// "3, 64, 127"
QString RowList(const std::vector<int>& rows) {
    QStringList names;
    for (int r : rows)
        names << QString::number(r);
    return names.join(", ");
}

}  // namespace

COffLineScheduleDLg::COffLineScheduleDLg(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("COffLineScheduleDLg");
    BuildLayout();
    cycles_->button(kCycleButtons[0])->setChecked(true);
    number_->setText("0");
    template_->SetValue(kMinTemplateNumber);
    ApplyTexts();
    ApplyCycleEnabling();
}

COffLineScheduleDLg::~COffLineScheduleDLg() {
    StopWorker();
}

void COffLineScheduleDLg::BuildLayout() {
    list_ = WithId(new QTreeWidget(this), kList);
    list_->setColumnCount(kOfflineColumnCount);
    list_->setRootIsDecorated(false);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (int c = 0; c < kOfflineColumnCount; ++c)
        list_->setColumnWidth(c, kColumnWidths[c]);

    auto* form = new QGridLayout();
    int row = 0;
    const auto caption = [&](const char* key, QWidget* control) {
        auto* label = new QLabel(this);
        SetCaptionKey(label, key);
        label->setBuddy(control);
        form->addWidget(label, row, 0);
        form->addWidget(control, row++, 1, 1, 3);
    };
    number_ = WithId(new QLineEdit(this), 1019);
    number_->setReadOnly(true);
    caption("IDS_SCHEDULE_ID", number_);

    cycles_ = new QButtonGroup(this);
    for (std::size_t i = 0; i < std::size(kCycleButtons); ++i) {
        auto* button = WithId(new QRadioButton(this), kCycleButtons[i]);
        cycles_->addButton(button, kCycleButtons[i]);
        form->addWidget(button, row + static_cast<int>(i) / 2, static_cast<int>(i) % 2 * 2, 1, 2);
    }
    row += 2;
    time_ = WithId(new QTimeEdit(QTime::currentTime(), this), 1113);
    time_->setDisplayFormat("HH:mm:ss");
    caption("IDS_1113", time_);
    date_ = WithId(new QDateEdit(QDate::currentDate(), this), 1114);
    date_->setDisplayFormat("yyyy-MM-dd");
    // The task frame carries the year in seven bits from 2000.
    date_->setDateRange(QDate(kMinTaskYear, 1, 1), QDate(kMaxTaskYear, 12, 31));
    caption("IDS_1114", date_);
    for (int d = 0; d < 7; ++d) {
        auto* box = WithId(new QCheckBox(this), kFirstWeekdayBox + d);
        form->addWidget(box, row + d / 4, d % 4);
        weekdays_.push_back(box);
    }
    row += 2;
    template_ = new DigitsBox(context_.dialogs, 1021, this);
    caption("IDS_SCHEDULE_MODELID", template_);

    const auto button = [this](int id) { return WithId(new QPushButton(this), id); };
    modify_ = button(1209);
    download_ = button(1210);
    read_ = button(kReadButton);
    setTime_ = button(1027);
    readTime_ = button(1214);
    exit_ = button(1211);
    auto* taskButtons = new QHBoxLayout();
    for (QPushButton* b : {modify_, download_, read_})
        taskButtons->addWidget(b);
    form->addLayout(taskButtons, row++, 0, 1, 4);
    deviceTime_ = WithId(new QLineEdit(this), 1020);
    deviceTime_->setReadOnly(true);
    caption("IDS_LABEL_DEVICE_TIME", deviceTime_);
    timeOffset_ = new QLabel(this);
    timeOffset_->setObjectName("deviceTimeOffset");
    form->addWidget(timeOffset_, row++, 1, 1, 3);
    auto* timeButtons = new QHBoxLayout();
    timeButtons->addWidget(setTime_);
    timeButtons->addWidget(readTime_);
    form->addLayout(timeButtons, row++, 0, 1, 4);
    form->setRowStretch(row++, 1);
    form->addWidget(exit_, row, 3);

    auto* layout = new QHBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addLayout(form);
    resize(980, 520);

    connect(cycles_, &QButtonGroup::idClicked, this, &COffLineScheduleDLg::ApplyCycleEnabling);
    connect(list_, &QTreeWidget::itemSelectionChanged, this, &COffLineScheduleDLg::OnRowChosen);
    connect(template_, &DigitsBox::applied, this, &COffLineScheduleDLg::ClampTemplate);
    connect(modify_, &QPushButton::clicked, this, &COffLineScheduleDLg::Modify);
    connect(download_, &QPushButton::clicked, this, &COffLineScheduleDLg::Download);
    connect(read_, &QPushButton::clicked, this, &COffLineScheduleDLg::OnReadClicked);
    connect(setTime_, &QPushButton::clicked, this, &COffLineScheduleDLg::SetDeviceTime);
    connect(readTime_, &QPushButton::clicked, this, &COffLineScheduleDLg::ReadDeviceTime);
    connect(exit_, &QPushButton::clicked, this, &COffLineScheduleDLg::reject);
}

void COffLineScheduleDLg::ApplyTexts() {
    RelabelDialog(this, kDialogId, context_.language);
    QStringList headings;
    for (const char* key : kColumnKeys)
        headings << ToQString(context_.language.Named(key));
    list_->setHeaderLabels(headings);
}

void COffLineScheduleDLg::ApplyCycleEnabling() {
    if (reading_ || IsBusy())
        return;
    const int cycle = ChosenCycle();
    date_->setEnabled(cycle == kCycleOnce);
    for (QCheckBox* box : weekdays_)
        box->setEnabled(cycle == kCycleWeekly);
}

int COffLineScheduleDLg::ChosenCycle() const {
    for (std::size_t i = 0; i < std::size(kCycleButtons); ++i) {
        if (cycles_->button(kCycleButtons[i])->isChecked())
            return kCycleOfButton[i];
    }
    return kCycleInvalid;
}

void COffLineScheduleDLg::SetBusy(bool busy, bool reading) {
    reading_ = busy && reading;
    for (QWidget* w : findChildren<QWidget*>()) {
        if (w != list_ && !list_->isAncestorOf(w) && ControlId(w) != 0)
            w->setEnabled(!busy);
    }
    // While a read runs its button is the way to cancel it.
    read_->setEnabled(!busy || reading);
    read_->setText(ToQString(reading_ ? context_.language.Named("IDS_OFFLINE_CANCEL")
                                      : context_.language.ControlCaption(kReadButton)));
    if (!busy)
        ApplyCycleEnabling();
}

std::uint8_t COffLineScheduleDLg::MotherBoard() const {
    return static_cast<std::uint8_t>(context_.config.motherBoardId);
}

bool COffLineScheduleDLg::PortOpen() {
    if (context_.link.IsOpen())
        return true;
    context_.dialogs.Message(this, ToQString(context_.language.Named("IDS_OPENPORT")),
                             MessageIcon::kInformation);
    return false;
}

void COffLineScheduleDLg::OnReadClicked() {
    if (reading_) {
        cancel_ = true;
        return;
    }
    StartRead();
}

void COffLineScheduleDLg::StartRead() {
    // The port is checked and the operator asked before any row is dropped.
    if (!PortOpen())
        return;
    std::vector<int> changed;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r].task.modified)
            changed.push_back(static_cast<int>(r));
    }
    if (!changed.empty() &&
        !context_.dialogs.Question(
            this,
            ToQString(context_.language.Named("IDS_OFFLINE_DISCARD")).arg(RowList(changed)))) {
        return;
    }
    rows_.clear();
    list_->clear();
    cancel_ = false;
    SetBusy(true, true);
    CSerialComm& link = context_.link;
    const std::uint8_t mb = MotherBoard();
    worker_ = std::thread([this, &link, mb] {
        const TaskReadSummary summary = ReadOfflineTasks(
            link, mb,
            [this](int n, const std::optional<OfflineTask>& task) {
                QMetaObject::invokeMethod(
                    this, [this, n, task] { AddRow(n, task); }, Qt::QueuedConnection);
            },
            [this] { return cancel_.load(); });
        // The worker never touches a widget: rows and result go to the UI thread.
        QMetaObject::invokeMethod(
            this, [this, summary] { FinishRead(summary); }, Qt::QueuedConnection);
    });
}

void COffLineScheduleDLg::AddRow(int n, const std::optional<OfflineTask>& task) {
    Row row;
    row.read = task.has_value();
    if (task)
        row.task = *task;
    row.task.index = n;
    row.task.modified = 0;
    rows_.push_back(row);
    new QTreeWidgetItem(list_);
    ShowRow(static_cast<int>(rows_.size()) - 1);
    number_->setText(QString::number(n));
}

void COffLineScheduleDLg::FinishRead(const TaskReadSummary& summary) {
    const bool cancelled = cancel_.load();
    StopWorker();
    SetBusy(false, false);
    if (!cancelled) {
        if (!summary.flushed) {
            context_.dialogs.Message(this,
                                     ToQString(context_.language.Named("IDS_OFFLINE_FLUSH_FAILED")),
                                     MessageIcon::kWarning);
        } else if (summary.answered < summary.asked) {
            context_.dialogs.Message(this,
                                     ToQString(context_.language.Named("IDS_OFFLINE_NOT_READ"))
                                         .arg(summary.asked - summary.answered),
                                     MessageIcon::kWarning);
        }
    }
    emit workFinished();
}

void COffLineScheduleDLg::ShowRow(int row) {
    const Row& r = rows_[static_cast<std::size_t>(row)];
    const OfflineRowTexts texts = r.read ? OfflineTaskRow(r.task, row, context_.language)
                                         : UnreadTaskRow(row, context_.language);
    QTreeWidgetItem* item = list_->topLevelItem(row);
    QFont font = item->font(0);
    font.setBold(r.task.modified != 0);  // changed and not downloaded yet
    for (int c = 0; c < kOfflineColumnCount; ++c) {
        item->setText(c, ToQString(texts[static_cast<std::size_t>(c)]));
        item->setFont(c, font);
    }
}

// Selecting a row brings its task into the controls, ready to be changed.
void COffLineScheduleDLg::OnRowChosen() {
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || row >= static_cast<int>(rows_.size()) || !rows_[row].read)
        return;
    OfflineTask task = rows_[static_cast<std::size_t>(row)].task;
    for (std::size_t i = 0; i < std::size(kCycleButtons); ++i) {
        if (kCycleOfButton[i] == task.cycle)
            cycles_->button(kCycleButtons[i])->setChecked(true);
    }
    const QDate date(task.year, task.month, task.day);
    if (date.isValid())
        date_->setDate(date);
    time_->setTime(QTime(task.hour, task.minute, task.second));
    const auto flags = WeekdayFields(task);
    for (std::size_t d = 0; d < flags.size(); ++d)
        weekdays_[d]->setChecked(*flags[d] != 0);
    template_->SetValue(task.templateNumber);
    number_->setText(QString::number(row));
    ApplyCycleEnabling();
}

void COffLineScheduleDLg::ClampTemplate() {
    const ClampedValue fitted =
        ClampToRange(template_->Value(), kMinTemplateNumber, kMaxTemplateNumber);
    if (fitted.changed || template_->text() != QString::number(fitted.value))
        template_->SetValue(fitted.value);
}

void COffLineScheduleDLg::Modify() {
    const int cycle = ChosenCycle();
    bool anyDay = false;
    for (QCheckBox* box : weekdays_)
        anyDay = anyDay || box->isChecked();
    if (cycle == kCycleWeekly && !anyDay) {
        context_.dialogs.Message(this, ToQString(context_.language.Named("IDS_ONEDAY")),
                                 MessageIcon::kWarning);
        return;
    }
    const int row = list_->indexOfTopLevelItem(list_->currentItem());
    if (row < 0 || row >= static_cast<int>(rows_.size()) || list_->selectedItems().isEmpty())
        return;
    // A template outside 1-15 would spill into the cycle bits: the box is brought back
    // into range first.
    ClampTemplate();
    Row& r = rows_[static_cast<std::size_t>(row)];
    OfflineTask& task = r.task;
    const QDate date = date_->date();
    const QTime time = time_->time();
    task.year = date.year();
    task.month = date.month();
    task.day = date.day();
    task.hour = time.hour();
    task.minute = time.minute();
    task.second = time.second();
    task.cycle = cycle;
    const auto flags = WeekdayFields(task);
    for (std::size_t d = 0; d < flags.size(); ++d)
        *flags[d] = weekdays_[d]->isChecked() ? 1 : 0;
    task.templateNumber = template_->Value();
    task.index = row;
    task.modified = 1;
    r.read = true;
    ShowRow(row);
}

void COffLineScheduleDLg::Download() {
    if (!PortOpen())
        return;
    std::vector<std::pair<int, OfflineTask>> changed;
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        if (rows_[r].task.modified)
            changed.emplace_back(static_cast<int>(r), rows_[r].task);
    }
    if (changed.empty())
        return;
    SetBusy(true, false);
    CSerialComm& link = context_.link;
    const std::uint8_t mb = MotherBoard();
    worker_ = std::thread([this, &link, mb, changed] {
        std::vector<int> failed;
        {
            auto lock = link.LockExchange();
            for (const auto& [row, task] : changed) {
                const bool sent = DownloadOfflineTask(link, mb, row, task);
                if (!sent)
                    failed.push_back(row);
                QMetaObject::invokeMethod(
                    this, [this, row = row, sent] { RowDownloaded(row, sent); },
                    Qt::QueuedConnection);
            }
            link.WaitUntilSent();
        }
        QMetaObject::invokeMethod(
            this, [this, failed] { FinishDownload(failed); }, Qt::QueuedConnection);
    });
}

void COffLineScheduleDLg::RowDownloaded(int row, bool sent) {
    number_->setText(QString::number(row));
    if (!sent || row >= static_cast<int>(rows_.size()))
        return;
    rows_[static_cast<std::size_t>(row)].task.modified = 0;
    ShowRow(row);
}

void COffLineScheduleDLg::FinishDownload(const std::vector<int>& failed) {
    StopWorker();
    SetBusy(false, false);
    if (!failed.empty()) {
        context_.dialogs.Message(
            this,
            ToQString(context_.language.Named("IDS_OFFLINE_DOWNLOAD_FAILED")).arg(RowList(failed)),
            MessageIcon::kWarning);
    }
    emit workFinished();
}

void COffLineScheduleDLg::SetDeviceTime() {
    if (!PortOpen())
        return;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    const ClockTime time{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                         local.tm_hour,        local.tm_min,     local.tm_sec};
    SetDeviceClock(context_.link, MotherBoard(), time);
}

void COffLineScheduleDLg::ReadDeviceTime() {
    if (!PortOpen())
        return;
    const auto time = ReadDeviceClock(context_.link, MotherBoard());
    if (!time) {
        // A failed reply is no time: nothing is shown as one.
        deviceTime_->clear();
        timeOffset_->clear();
        context_.dialogs.Message(this,
                                 ToQString(context_.language.Named("IDS_OFFLINE_TIME_FAILED")),
                                 MessageIcon::kWarning);
        return;
    }
    deviceTime_->setText(ToQString(FormatClock(*time)));
    std::tm device{};
    device.tm_year = time->year - 1900;
    device.tm_mon = time->month - 1;
    device.tm_mday = time->day;
    device.tm_hour = time->hour;
    device.tm_min = time->minute;
    device.tm_sec = time->second;
    device.tm_isdst = -1;
    const auto offset =
        static_cast<long long>(std::difftime(std::mktime(&device), std::time(nullptr)));
    timeOffset_->setText(ToQString(context_.language.Named("IDS_OFFLINE_TIME_OFFSET"))
                             .arg(QString::asprintf("%+lld", offset)));
}

void COffLineScheduleDLg::StopWorker() {
    cancel_ = true;
    if (worker_.joinable())
        worker_.join();
    reading_ = false;
}

void COffLineScheduleDLg::done(int result) {
    // A read stops at its next task; its rows are dropped with the dialog.
    StopWorker();
    QDialog::done(result);
}

void COffLineScheduleDLg::keyPressEvent(QKeyEvent* event) {
    // Enter applies the template box (the box handles it) and otherwise does nothing;
    // Escape never closes the dialog.
    if (IsSwallowedKey(*event)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace kov::ui
