#include "shell/confirm_dialogs.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "link/commands.h"
#include "link/exchange.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

constexpr ConfirmTemplate kAutoAdjust = {
    .dialogId = 134,
    .textId = 1203,
    .okId = 1204,
    .cancelId = 1205,
    .title = "自动调整",
    .text = "将进行自动调整，请确认!",
};
constexpr ConfirmTemplate kCardReset = {
    .dialogId = 158,
    .textId = 1200,
    .okId = 1201,
    .cancelId = 1202,
    .title = "板卡复位",
    .text = "板卡复位,请确认！",
};
constexpr ConfirmTemplate kFactoryReset = {
    .dialogId = 135,
    .textId = 1191,
    .okId = 1192,
    .cancelId = 1193,
    .title = "恢复出厂设置",
    .text = "恢复出厂设置，请确认！",
};
constexpr ConfirmTemplate kInternalBus = {
    .dialogId = 157,
    .textId = 1197,
    .okId = 1198,
    .cancelId = 1199,
    .title = "内部通道复位",
    .text = "内部通道复位，请确认！",
};
constexpr ConfirmTemplate kExit = {
    .dialogId = 155,
    .textId = 1194,
    .okId = 1195,
    .cancelId = 1196,
    .title = "退出系统",
    .text = "系统将退出,请确认！",
};

constexpr int kAboutOkId = 1;
constexpr int kAboutIconSize = 32;

// Puts a button row (stretch first, so the buttons sit on the right) under layout.
QHBoxLayout* ButtonRow(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    layout->addLayout(row);
    return row;
}

}  // namespace

ConfirmDialog::ConfirmDialog(AppContext& context, const ConfirmTemplate& form,
                             std::optional<CommandFrame> okFrame, QWidget* parent)
    : QDialog(parent), context_(context), dialogId_(form.dialogId), okFrame_(okFrame) {
    setWindowTitle(QString::fromUtf8(form.title));

    auto* text = new QLabel(QString::fromUtf8(form.text), this);
    SetControlId(text, form.textId);
    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    SetControlId(ok, form.okId);
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("取消"), this);
    SetControlId(cancel, form.cancelId);
    connect(ok, &QPushButton::clicked, this, &ConfirmDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &ConfirmDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    QHBoxLayout* buttons = ButtonRow(layout);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    Relabel();
}

void ConfirmDialog::Relabel() {
    RelabelDialog(this, dialogId_, context_.language);
}

void ConfirmDialog::showEvent(QShowEvent* event) {
    Relabel();
    QDialog::showEvent(event);
}

void ConfirmDialog::accept() {
    if (okFrame_) {
        SendCommand(context_.link, *okFrame_);
    }
    QDialog::accept();
}

CAutoImprove::CAutoImprove(AppContext& context, QWidget* parent)
    : ConfirmDialog(context, kAutoAdjust, std::nullopt, parent) {
    setObjectName("CAutoImprove");
}

CCardDefaultDlg::CCardDefaultDlg(AppContext& context, QWidget* parent)
    : ConfirmDialog(context, kCardReset, std::nullopt, parent) {
    setObjectName("CCardDefaultDlg");
}

CDefaultSetup::CDefaultSetup(AppContext& context, QWidget* parent)
    : ConfirmDialog(context, kFactoryReset, FactoryResetFrame(), parent) {
    setObjectName("CDefaultSetup");
}

CIntBusDlg::CIntBusDlg(AppContext& context, QWidget* parent)
    : ConfirmDialog(context, kInternalBus, InternalBusResetFrame(), parent) {
    setObjectName("CIntBusDlg");
}

CTipDlg::CTipDlg(AppContext& context, QWidget* parent)
    : ConfirmDialog(context, kExit, std::nullopt, parent) {
    setObjectName("CTipDlg");
}

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setObjectName("CAboutDlg");
    setWindowTitle(QStringLiteral("关于 KOV-Q730"));

    // The program's icon; the style's information icon until the application has one.
    QIcon icon = QApplication::windowIcon();
    if (icon.isNull()) {
        icon = style()->standardIcon(QStyle::SP_MessageBoxInformation);
    }
    auto* picture = new QLabel(this);
    picture->setPixmap(icon.pixmap(kAboutIconSize, kAboutIconSize));

    auto* lines = new QVBoxLayout;
    lines->addWidget(new QLabel(QStringLiteral("KOV-Q730，V2.0"), this));
    lines->addWidget(new QLabel(QStringLiteral("KOV video wall splicing processor"), this));

    auto* top = new QHBoxLayout;
    top->addWidget(picture, 0, Qt::AlignTop);
    top->addLayout(lines, 1);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    SetControlId(ok, kAboutOkId);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &CAboutDlg::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    ButtonRow(layout)->addWidget(ok);
}

bool ConfirmCardReset(AppContext& context, QWidget* parent) {
    CCardDefaultDlg confirm(context, parent);
    return context.dialogs.ShowModal(confirm) == QDialog::Accepted;
}

void AutoAdjustCard(AppContext& context, QWidget* parent, int cardId) {
    CAutoImprove confirm(context, parent);
    if (context.dialogs.ShowModal(confirm) == QDialog::Accepted && cardId != 0)
        SendCommand(context.link, AutoAdjustFrame(static_cast<std::uint8_t>(cardId)));
}

}  // namespace kov::ui
