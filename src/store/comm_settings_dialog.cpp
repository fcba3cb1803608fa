#include "store/comm_settings_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <vector>

#include "link/link_setup.h"
#include "link/serial_comm.h"
#include "platform/port_list.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "store/language.h"
#include "store/profile.h"
#include "store/settings.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

constexpr int kDialogId = 130;
constexpr int kPortLabelId = 1183;
constexpr int kPortListId = 1004;
constexpr int kBaudLabelId = 1184;
constexpr int kBaudRateId = 1019;
constexpr int kTimeoutLabelId = 1185;
constexpr int kTimeoutId = 1023;
constexpr int kOkId = 1186;
constexpr int kCancelId = 1187;

// The baud rate is fixed; the box only shows it.
constexpr const char* kFixedBaudRate = "9600";

}  // namespace

CdlgComn::CdlgComn(AppContext& context, QWidget* parent) : QDialog(parent), context_(context) {
    setObjectName("CdlgComn");
    setWindowTitle(QStringLiteral("通讯设置"));

    portList_ = WithId(new QComboBox(this), kPortListId);
    baudRate_ = WithId(new QLineEdit(this), kBaudRateId);
    baudRate_->setReadOnly(true);
    timeout_ = WithId(new QLineEdit(this), kTimeoutId);

    auto* fields = new QGridLayout;
    fields->addWidget(WithId(new QLabel(QStringLiteral("串口："), this), kPortLabelId), 0, 0);
    fields->addWidget(portList_, 0, 1);
    fields->addWidget(WithId(new QLabel(QStringLiteral("波特率："), this), kBaudLabelId), 1, 0);
    fields->addWidget(baudRate_, 1, 1);
    fields->addWidget(WithId(new QLabel(QStringLiteral("超时："), this), kTimeoutLabelId), 2, 0);
    fields->addWidget(timeout_, 2, 1);
    fields->setColumnStretch(1, 1);

    // OK is the default button, so Enter answers OK; Escape and the close box reject.
    auto* ok = WithId(new QPushButton(QStringLiteral("OK"), this), kOkId);
    ok->setDefault(true);
    auto* cancel = WithId(new QPushButton(QStringLiteral("Cancel"), this), kCancelId);
    connect(ok, &QPushButton::clicked, this, &CdlgComn::accept);
    connect(cancel, &QPushButton::clicked, this, &CdlgComn::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    FillPortList();
    const LinkSettings stored = Settings(context_.programDir).ReadLinkSettings();
    // Qt selects the first item of a filled list by itself; a stored port that is not
    // listed must leave the list without a selection.
    portList_->setCurrentIndex(portList_->findData(stored.port));
    baudRate_->setText(QString::fromLatin1(kFixedBaudRate));
    timeout_->setText(ToQString(stored.timeoutText));

    RelabelDialog(this, kDialogId, context_.language);
}

void CdlgComn::FillPortList() {
    portList_->clear();
    std::vector<PortEntry> ports;
    EnumerateComPorts(context_.programDir, ports);
    for (const PortEntry& port : ports) {
        portList_->addItem(ToQString(port.ShownName()), port.number);
    }
}

void CdlgComn::accept() {
    if (portList_->currentIndex() < 0) {
        context_.dialogs.Message(this, ToQString(context_.language.Named("IDS_PORT")),
                                 MessageIcon::kInformation);
        return;
    }
    context_.dialogs.Message(this, ToQString(context_.language.Named("IDS_PORT_CHANGE")),
                             MessageIcon::kInformation);
    // A typed time-out outside the sane range is stored as its nearest bound.
    const int timeout = LinkTimeoutOf(timeout_->text().toStdString());
    const int port = portList_->currentData().toInt();
    // Only the settings change; an open port stays open on its old number until reopened.
    context_.link.portNumber = port;
    context_.link.timeout = timeout;
    Settings(context_.programDir).WriteLinkSettings(port, std::to_string(timeout));
    QDialog::accept();
}

}  // namespace kov::ui
