#include "schedule/schedule_editor_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

#include "schedule/schedule_file.h"
#include "schedule/schedule_list.h"
#include "schedule/schedule_list_widget.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "store/file_io.h"
#include "store/language.h"
#include "store/tables.h"
#include "widgets/editor_page.h"
#include "widgets/list_fill.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

constexpr int kDialogId = 159;
constexpr int kList = 1107;
constexpr int kWeekdayIds[7] = {1109, 1049, 1050, 1051, 1052, 1053, 1054};  // Monday first

int SelectedData(const QComboBox& list, int none) {
    return list.currentIndex() < 0 ? none : list.currentData().toInt();
}

std::filesystem::path PathOf(const QString& text) {
    return std::filesystem::u8path(text.toStdString());
}

}  // namespace

CCUSTOMSCHEDULEDLG::CCUSTOMSCHEDULEDLG(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("CCUSTOMSCHEDULEDLG");
    setWindowTitle("CustomSchedule");
    BuildLayout();
    RelabelDialog(this, kDialogId, context_.language);
    LabelScheduleList(*list_, context_.language);
    Reset();
}

void CCUSTOMSCHEDULEDLG::BuildLayout() {
    const auto button = [this](int id) {
        auto* b = WithId(new QPushButton(this), id);
        b->setAutoDefault(false);  // Enter presses no button
        return b;
    };
    const auto caption = [this](const char* key, QWidget* buddy) {
        auto* label = new QLabel(this);
        SetCaptionKey(label, key);
        label->setBuddy(buddy);
        return label;
    };
    auto* newButton = button(1111);
    auto* openButton = button(1112);
    auto* saveButton = button(1213);
    auto* closeButton = button(1190);
    fileName_ = WithId(new QLineEdit(this), 1021);
    fileName_->setReadOnly(true);

    time_ = WithId(new QTimeEdit(QTime::currentTime(), this), 1108);
    time_->setDisplayFormat("HH:mm:ss");
    daily_ = WithId(new QRadioButton(this), 1102);
    once_ = WithId(new QRadioButton(this), 1103);
    weekly_ = WithId(new QRadioButton(this), 1104);
    date_ = WithId(new QDateEdit(QDate::currentDate(), this), 1101);
    date_->setDisplayFormat("yyyy-MM-dd");
    for (std::size_t d = 0; d < days_.size(); ++d)
        days_[d] = WithId(new QCheckBox(this), kWeekdayIds[d]);
    script_ = WithId(new QRadioButton(this), 1077);
    channel_ = WithId(new QRadioButton(this), 1078);
    scriptPath_ = WithId(new QLineEdit(this), 1015);
    browse_ = button(1028);
    cards_ = WithId(new QComboBox(this), 1105);
    pictures_ = WithId(new QComboBox(this), 1106);
    sources_ = WithId(new QComboBox(this), 1110);
    list_ = MakeScheduleList(this, kList, kEditorColumnWidths);
    auto* cycles = new QButtonGroup(this);
    for (QRadioButton* b : {daily_, once_, weekly_})
        cycles->addButton(b);
    auto* methods = new QButtonGroup(this);
    methods->addButton(script_);
    methods->addButton(channel_);

    auto* files = new QHBoxLayout;
    files->addWidget(newButton);
    files->addWidget(openButton);
    files->addWidget(saveButton);
    files->addWidget(fileName_, 1);

    auto* form = new QGridLayout;
    form->addWidget(caption("IDS_1108", time_), 0, 0);
    form->addWidget(time_, 0, 1);
    form->addWidget(daily_, 1, 0);
    form->addWidget(once_, 1, 1);
    form->addWidget(caption("IDS_1101", date_), 1, 2);
    form->addWidget(date_, 1, 3);
    form->addWidget(weekly_, 2, 0);
    auto* dayRow = new QHBoxLayout;
    for (QCheckBox* day : days_)
        dayRow->addWidget(day);
    form->addLayout(dayRow, 2, 1, 1, 5);
    form->addWidget(script_, 3, 0);
    form->addWidget(scriptPath_, 3, 1, 1, 4);
    form->addWidget(browse_, 3, 5);
    form->addWidget(channel_, 4, 0);
    auto* channelRow = new QHBoxLayout;
    for (auto [key, list] : {std::pair<const char*, QComboBox*>{"IDS_LABEL_SCHEDULE_CARD", cards_},
                             {"IDS_1106", pictures_},
                             {"IDS_1110", sources_}}) {
        channelRow->addWidget(caption(key, list));
        channelRow->addWidget(list, 1);
    }
    form->addLayout(channelRow, 4, 1, 1, 5);

    auto* edits = new QHBoxLayout;
    QPushButton* appendButton = button(1029);
    QPushButton* insertButton = button(1030);
    QPushButton* deleteButton = button(1031);
    QPushButton* deleteAllButton = button(1032);
    QPushButton* upButton = button(1033);
    QPushButton* downButton = button(1034);
    for (QPushButton* b :
         {appendButton, insertButton, deleteButton, deleteAllButton, upButton, downButton})
        edits->addWidget(b);
    edits->addStretch(1);
    edits->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(files);
    layout->addLayout(form);
    layout->addLayout(edits);
    layout->addWidget(list_, 1);
    resize(820, 560);

    connect(newButton, &QPushButton::clicked, this, &CCUSTOMSCHEDULEDLG::New);
    connect(openButton, &QPushButton::clicked, this, &CCUSTOMSCHEDULEDLG::Open);
    connect(saveButton, &QPushButton::clicked, this, &CCUSTOMSCHEDULEDLG::Save);
    connect(closeButton, &QPushButton::clicked, this, &CCUSTOMSCHEDULEDLG::reject);
    connect(appendButton, &QPushButton::clicked, this, [this] { Add(false); });
    connect(insertButton, &QPushButton::clicked, this, [this] { Add(true); });
    connect(deleteButton, &QPushButton::clicked, this, &CCUSTOMSCHEDULEDLG::Delete);
    connect(deleteAllButton, &QPushButton::clicked, this, &CCUSTOMSCHEDULEDLG::DeleteAll);
    connect(upButton, &QPushButton::clicked, this, [this] { Move(-1); });
    connect(downButton, &QPushButton::clicked, this, [this] { Move(1); });
    connect(browse_, &QPushButton::clicked, this, &CCUSTOMSCHEDULEDLG::Browse);
    for (QRadioButton* b : {daily_, once_, weekly_, script_, channel_})
        connect(b, &QRadioButton::clicked, this, &CCUSTOMSCHEDULEDLG::ApplyEnabling);
    connect(cards_, &QComboBox::currentIndexChanged, this, &CCUSTOMSCHEDULEDLG::FillSources);
}

void CCUSTOMSCHEDULEDLG::Reset() {
    daily_->setChecked(true);
    script_->setChecked(true);
    std::vector<ListItem> cards;
    for (const CardSlot& slot : context_.config.inputCards)
        cards.push_back({ScheduleCardName(slot.cardId), slot.cardId});
    for (const CardSlot& slot : context_.config.outputCards)
        cards.push_back({ScheduleCardName(slot.cardId), slot.cardId});
    FillList(*cards_, cards);
    cards_->setCurrentIndex(cards.empty() ? -1 : 0);
    FillList(*pictures_, {{"Picture1", 1}, {"Picture2", 2}});
    pictures_->setCurrentIndex(0);
    FillSources();
    ApplyEnabling();
    schedule_.clear();
    ShowList(-1);
}

// The sources of the chosen card's kind; with no card chosen, those of an input card.
void CCUSTOMSCHEDULEDLG::FillSources() {
    const int card = SelectedData(*cards_, 128);
    FillList(*sources_, card >= 128 ? InputSourceListItems() : OutputSourceListItems());
    sources_->setCurrentIndex(sources_->count() > 0 ? 0 : -1);
}

void CCUSTOMSCHEDULEDLG::ApplyEnabling() {
    date_->setEnabled(once_->isChecked());
    for (QCheckBox* day : days_)
        day->setEnabled(weekly_->isChecked());
    const bool script = script_->isChecked();
    scriptPath_->setEnabled(script);
    browse_->setEnabled(script);
    cards_->setEnabled(!script);
    pictures_->setEnabled(!script);
    sources_->setEnabled(!script);
}

std::optional<ScheduleEntry> CCUSTOMSCHEDULEDLG::EntryFromControls() {
    const bool anyDay =
        std::any_of(days_.begin(), days_.end(), [](const QCheckBox* d) { return d->isChecked(); });
    if (weekly_->isChecked() && !anyDay) {
        Tell("IDS_ONEDAY");
        return std::nullopt;
    }
    ScheduleEntry entry;
    if (channel_->isChecked()) {
        // The runner could not carry out a switch without a card, picture or source.
        if (cards_->currentIndex() < 0) {
            Tell("IDS_SCHEDULE_NOCARD");
            return std::nullopt;
        }
        if (sources_->currentIndex() < 0 || pictures_->currentIndex() < 0) {
            Tell("IDS_SOURCE");
            return std::nullopt;
        }
        entry.method = kMethodChannelSwitch;
        entry.source = SelectedData(*sources_, kNoSource);
        entry.cardKey = SelectedData(*cards_, 0);
        entry.picture = SelectedData(*pictures_, 0);
    } else {
        const std::string path = scriptPath_->text().toStdString();
        if (path.empty() || !IsReadable(std::filesystem::u8path(path))) {
            Tell("IDS_SCRIPT");
            return std::nullopt;
        }
        // A comma or an over-long path would not survive the file's reader.
        if (ScriptPathProblem(path)) {
            Tell("IDS_SCHEDULE_BADPATH");
            return std::nullopt;
        }
        entry.method = kMethodScript;
        entry.scriptPath = path;
    }
    const QDate date = date_->date();
    const QTime time = time_->time();
    entry.year = date.year();
    entry.month = date.month();
    entry.day = date.day();
    entry.hour = time.hour();
    entry.minute = time.minute();
    entry.second = time.second();
    entry.cycle = daily_->isChecked()  ? kCycleDaily
                  : once_->isChecked() ? kCycleOnce
                                       : kCycleWeekly;
    const auto flags = WeekdayFields(entry);
    for (std::size_t d = 0; d < flags.size(); ++d)
        *flags[d] = days_[d]->isChecked() ? 1 : 0;
    return entry;
}

int CCUSTOMSCHEDULEDLG::Mark() const {
    return list_->indexOfTopLevelItem(list_->currentItem());
}

// Append puts the entry at the end; insert puts it before the marked row, which keeps the
// mark, so repeated inserts land in order before it.
void CCUSTOMSCHEDULEDLG::Add(bool atMark) {
    const auto entry = EntryFromControls();
    if (!entry)
        return;
    int mark = Mark();
    if (atMark && mark >= 0) {
        schedule_.insert(schedule_.begin() + mark, *entry);
        ++mark;
    } else {
        schedule_.push_back(*entry);
    }
    ShowList(mark);
}

void CCUSTOMSCHEDULEDLG::Delete() {
    if (schedule_.empty())
        return Tell("IDS_LST_NOCONTENT");
    const int mark = Mark();
    if (mark < 0)
        return Tell("IDS_PLS_SELONE");
    schedule_.erase(schedule_.begin() + mark);
    ShowList(-1);
}

void CCUSTOMSCHEDULEDLG::DeleteAll() {
    if (context_.dialogs.Question(this, ToQString(context_.language.Named("IDS_SURE_DELALL"))))
        Reset();
}

void CCUSTOMSCHEDULEDLG::Move(int step) {
    const int mark = Mark();
    const int target = mark + step;
    // Moving the first row up or the last row down changes nothing.
    if (mark < 0 || target < 0 || target >= static_cast<int>(schedule_.size()))
        return;
    std::swap(schedule_[static_cast<std::size_t>(mark)],
              schedule_[static_cast<std::size_t>(target)]);
    ShowList(target);
    list_->setFocus();
}

void CCUSTOMSCHEDULEDLG::New() {
    if (!MayDiscard())
        return;
    Reset();
    saved_.clear();
    fileName_->clear();
}

void CCUSTOMSCHEDULEDLG::Open() {
    if (!MayDiscard())
        return;
    const QString path = context_.dialogs.OpenFile(this, "KOV-Q730 Schedule File(*.smfx)", "smfx");
    if (path.isEmpty())
        return;
    Schedule loaded;
    if (!LoadSchedule(PathOf(path), loaded))
        return Tell("IDS_FILEOPEN_FAILED");
    Reset();
    schedule_ = saved_ = loaded;
    ShowList(-1);
    fileName_->setText(path);
}

void CCUSTOMSCHEDULEDLG::Save() {
    if (schedule_.empty())
        return Tell("IDS_LST_NOCONTENT");
    QString path = fileName_->text();
    if (path.isEmpty()) {
        path = context_.dialogs.SaveFile(this, "KOV-Q730 Schedule File(*.smfx)", "smfx");
        if (path.isEmpty())
            return;
        path = QString::fromStdString(WithScheduleExtension(PathOf(path)).string());
    }
    if (!SaveSchedule(PathOf(path), schedule_)) {
        fileName_->clear();
        context_.dialogs.Message(
            this, ToQString(TextWithFile(context_.language.Text("IDS_SAVE_FAILED"), PathOf(path))),
            MessageIcon::kWarning);
        return;
    }
    saved_ = schedule_;
    fileName_->setText(path);
    Tell("IDS_SAVE_SUCCESS");
}

void CCUSTOMSCHEDULEDLG::Browse() {
    const QString path = context_.dialogs.OpenFile(this, "KOV-Q730 File(*.scpx)", "scpx");
    if (!path.isEmpty())
        scriptPath_->setText(path);
}

void CCUSTOMSCHEDULEDLG::reject() {
    if (MayDiscard())
        QDialog::reject();
}

bool CCUSTOMSCHEDULEDLG::MayDiscard() {
    return !Modified() || context_.dialogs.Question(
                              this, ToQString(context_.language.Text("IDS_SCHEDULE_DISCARD")));
}

void CCUSTOMSCHEDULEDLG::ShowList(int mark) {
    FillScheduleList(*list_, schedule_, context_.language, mark);
}

void CCUSTOMSCHEDULEDLG::Tell(const char* key, bool warning) {
    context_.dialogs.Message(this, ToQString(context_.language.Text(key)),
                             warning ? MessageIcon::kWarning : MessageIcon::kInformation);
}

void CCUSTOMSCHEDULEDLG::keyPressEvent(QKeyEvent* event) {
    // Enter and Escape never press a button or close the editor; Space still types into
    // the path box and presses the focused button.
    if (IsSwallowedKey(*event))
        event->accept();
    else
        QDialog::keyPressEvent(event);
}

}  // namespace kov::ui
