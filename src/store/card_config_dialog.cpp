#include "store/card_config_dialog.h"

#include <algorithm>

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "link/serial_comm.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "store/file_io.h"
#include "store/language.h"
#include "store/profile.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

constexpr int kDialogId = 164;
constexpr int kListId = 1016;
constexpr int kAutoConfigureId = 1236;
constexpr int kManualConfigureId = 1237;
constexpr int kOkId = 1239;
constexpr int kCloseId = 2;  // the dialog's cancel button: closes it like its close box
constexpr int kColumnWidth = 100;

// The control ids of the boxes of slots 1-14.
constexpr std::array<int, kSlotCount> kOutputBoxIds = {
    1240, 1241, 1242, 1243, 1244, 1245, 1246, 1247, 1248, 1056, 1057, 1058, 1059, 1060,
};
constexpr std::array<int, kSlotCount> kInputBoxIds = {
    1044, 1061, 1062, 1063, 1064, 1065, 1066, 1249, 1250, 1251, 1252, 1253, 1254, 1255,
};

// A named text, or the given caption when the language has none.
QString NamedOr(const Language& language, std::string_view key, const char* fallback) {
    const QString text = ToQString(language.Named(key));
    return text.isEmpty() ? QString::fromUtf8(fallback) : text;
}

// The number of slots that hold a card.
int ConfiguredCards(const std::array<int, kSlotCount>& ids) {
    return static_cast<int>(std::count_if(ids.begin(), ids.end(), [](int id) { return id != 0; }));
}

// Why the card configuration could not be stored: the file is missing (it is never
// created here), or it is there and could not be rewritten (a full disk, a read-only
// folder), which is no missing file.
const char* WriteFailureKey(const std::filesystem::path& file) {
    return IsReadable(file) ? "IDS_CONFIG_WRITE_FAILED" : "IDS_CONFIGURE_FILE";
}

}  // namespace

CConfigCardDlg::CConfigCardDlg(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("CConfigCardDlg");
    setWindowTitle(QStringLiteral("CardConfig"));
    BuildLayout();
    SetBoxesAndOkEnabled(false);
    ids_.fill(0);
    RelabelDialog(this, kDialogId, context_.language);
    ShowConfiguredRack();
}

void CConfigCardDlg::ShowConfiguredRack() {
    CardConfiguration configured = context_.config;
    ReadCardConfiguration(context_.programDir / kBoardConfigFileName, configured);
    std::array<int, kSlotCount> ids{};
    for (const auto& [slot, id] : configured.slotMap) {
        if (slot >= 1 && slot <= kSlotCount)
            ids[static_cast<std::size_t>(slot - 1)] = DecimalValue(id);
    }
    ShowRows(ids);
}

CConfigCardDlg::~CConfigCardDlg() {
    // The worker posts its result to this object; joining here, before the QObject part is
    // destroyed, lets that post finish first, and the destruction then discards it.
    if (worker_.joinable()) {
        worker_.join();
    }
}

void CConfigCardDlg::BuildLayout() {
    const Language& language = context_.language;

    list_ = new QTreeWidget(this);
    SetControlId(list_, kListId);
    list_->setColumnCount(3);
    list_->setHeaderLabels({ToQString(language.Named("IDS_CARD_ID")),
                            ToQString(language.Named("IDS_CARD_SLOT")),
                            ToQString(language.Named("IDS_CARD_TYPE"))});
    for (int column = 0; column < 3; ++column) {
        list_->setColumnWidth(column, kColumnWidth);
    }
    list_->setRootIsDecorated(false);
    list_->setItemsExpandable(false);
    list_->setUniformRowHeights(true);
    list_->setSelectionBehavior(QAbstractItemView::SelectRows);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->header()->setStretchLastSection(false);

    autoButton_ = new QPushButton(QStringLiteral("自动配置"), this);
    manualButton_ = new QPushButton(QStringLiteral("手动配置"), this);
    okButton_ = new QPushButton(QStringLiteral("确定"), this);
    auto* closeButton = new QPushButton(ToQString(language.Text("IDS_CARD_CLOSE")), this);
    SetControlId(closeButton, kCloseId);
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    SetControlId(autoButton_, kAutoConfigureId);
    SetControlId(manualButton_, kManualConfigureId);
    SetControlId(okButton_, kOkId);
    connect(autoButton_, &QPushButton::clicked, this, &CConfigCardDlg::OnAutoConfigure);
    connect(manualButton_, &QPushButton::clicked, this, &CConfigCardDlg::OnManualConfigure);
    connect(okButton_, &QPushButton::clicked, this, &CConfigCardDlg::OnOk);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(autoButton_);
    buttons->addWidget(manualButton_);
    buttons->addWidget(okButton_);
    buttons->addStretch(1);
    buttons->addWidget(closeButton);

    auto* top = new QHBoxLayout;
    top->addWidget(list_, 1);
    top->addLayout(buttons);

    // One row of output boxes and one row of input boxes, each box captioned with its slot.
    auto* boxes = new QGridLayout;
    const QString outputCaption = NamedOr(language, "IDS_TREE_OUTPUTCARDLIST", "输出卡");
    const QString inputCaption = NamedOr(language, "IDS_TREE_INPUTCARDLIST", "输入卡");
    boxes->addWidget(new QLabel(outputCaption, this), 0, 0);
    boxes->addWidget(new QLabel(inputCaption, this), 1, 0);
    for (int i = 0; i < kSlotCount; ++i) {
        const int slot = i + 1;
        const QString caption = QString::number(slot);
        outputBoxes_[i] = new QCheckBox(caption, this);
        inputBoxes_[i] = new QCheckBox(caption, this);
        SetControlId(outputBoxes_[i], kOutputBoxIds[i]);
        SetControlId(inputBoxes_[i], kInputBoxIds[i]);
        boxes->addWidget(outputBoxes_[i], 0, slot);
        boxes->addWidget(inputBoxes_[i], 1, slot);
        connect(outputBoxes_[i], &QCheckBox::clicked, this,
                [this, slot](bool checked) { OnBoxClicked(slot, true, checked); });
        connect(inputBoxes_[i], &QCheckBox::clicked, this,
                [this, slot](bool checked) { OnBoxClicked(slot, false, checked); });
    }

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(boxes);
}

void CConfigCardDlg::done(int result) {
    if (detecting_) {
        return;
    }
    QDialog::done(result);
}

void CConfigCardDlg::SetBoxesAndOkEnabled(bool enabled) {
    for (QCheckBox* box : outputBoxes_) {
        box->setEnabled(enabled);
    }
    for (QCheckBox* box : inputBoxes_) {
        box->setEnabled(enabled);
    }
    okButton_->setEnabled(enabled);
}

void CConfigCardDlg::OnBoxClicked(int slot, bool output, bool checked) {
    // A slot holds one kind of card: ticking one box of a slot clears and locks the other.
    QCheckBox* other = output ? inputBoxes_[slot - 1] : outputBoxes_[slot - 1];
    if (checked) {
        other->setChecked(false);
    }
    other->setEnabled(!checked);
}

void CConfigCardDlg::OnManualConfigure() {
    SetBoxesAndOkEnabled(true);
    list_->clear();
}

void CConfigCardDlg::OnOk() {
    std::array<bool, kSlotCount> outputs{};
    std::array<bool, kSlotCount> inputs{};
    for (int i = 0; i < kSlotCount; ++i) {
        outputs[i] = outputBoxes_[i]->isChecked();
        inputs[i] = inputBoxes_[i]->isChecked();
    }
    ids_ = ManualConfiguration(outputs, inputs);
    const std::filesystem::path file = context_.programDir / kBoardConfigFileName;
    if (!WriteCardConfiguration(file, ids_)) {
        context_.dialogs.Message(
            this, ToQString(TextWithFile(context_.language.Text(WriteFailureKey(file)), file)),
            MessageIcon::kError);
        return;
    }
    emit configurationWritten(ConfiguredCards(ids_));
}

void CConfigCardDlg::OnAutoConfigure() {
    SetBoxesAndOkEnabled(false);
    list_->clear();
    if (!context_.link.IsOpen()) {
        context_.dialogs.Message(this, ToQString(context_.language.Named("IDS_OPENPORT")),
                                 MessageIcon::kInformation);
        return;
    }
    // Only one detection at a time, and no manual writing of the same file meanwhile.
    detecting_ = true;
    autoButton_->setEnabled(false);
    manualButton_->setEnabled(false);
    if (worker_.joinable()) {
        worker_.join();
    }
    CSerialComm& link = context_.link;
    const std::filesystem::path file = context_.programDir / kBoardConfigFileName;
    worker_ = std::thread([this, &link, file] {
        const DetectionOutcome outcome = DetectAndWriteConfiguration(link, file);
        // The worker never touches a widget: the result goes to the UI thread.
        QMetaObject::invokeMethod(
            this, [this, outcome] { FinishDetection(outcome); }, Qt::QueuedConnection);
    });
}

void CConfigCardDlg::FinishDetection(const DetectionOutcome& outcome) {
    if (worker_.joinable()) {
        worker_.join();
    }
    detecting_ = false;
    autoButton_->setEnabled(true);
    manualButton_->setEnabled(true);
    if (outcome.result != DetectResult::kOk) {
        // Nothing usable came back; "Board Config.ini" was left as it was.
        context_.dialogs.Message(this, ToQString(context_.language.Named("IDS_DETECT_FAILED")),
                                 MessageIcon::kWarning);
    } else {
        ids_ = outcome.ids;
        ShowRows(ids_);
        if (!outcome.written) {
            const std::filesystem::path file = context_.programDir / kBoardConfigFileName;
            context_.dialogs.Message(
                this, ToQString(TextWithFile(context_.language.Text(WriteFailureKey(file)), file)),
                MessageIcon::kError);
        } else {
            emit configurationWritten(ConfiguredCards(ids_));
        }
    }
    emit detectionFinished();
}

void CConfigCardDlg::ShowRows(const std::array<int, kSlotCount>& ids) {
    list_->clear();
    for (const DetectedRow& row : DetectedRows(ids)) {
        auto* item = new QTreeWidgetItem(list_);
        item->setText(0, QString::number(row.shownId));
        item->setText(1, QString::number(row.slot));
        item->setText(
            2, ToQString(context_.language.Text(row.input ? "IDS_CARD_INPUT" : "IDS_CARD_OUTPUT")));
    }
}

}  // namespace kov::ui
