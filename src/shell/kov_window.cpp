#include "shell/kov_window.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "input/input_field_host.h"
#include "input/input_page.h"
#include "link/command_log.h"
#include "link/port_status.h"
#include "link/serial_comm.h"
#include "output/output_field_host.h"
#include "output/output_page.h"
#include "platform/port_list.h"
#include "shell/operator_dialogs.h"
#include "shell/window_messages.h"
#include "store/language.h"
#include "store/language_keys.h"
#include "store/state_saver.h"
#include "store/tables.h"
#include "widgets/editor_page.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

// Control ids of the main window.
constexpr int kResolutionGroup = 1122;
constexpr int kResolutionList = 1004;
constexpr int kFadeTime = 1015;
constexpr int kSecondsLabel = 1233;
constexpr int kOutputLabel = 1256;
constexpr int kTabArea = 1017;
constexpr int kCardTree = 1026;
constexpr int kClockBox = 1232;

constexpr int kTreeIconSize = 32;

// A plain round lamp: the serial-port button shows red while the port is closed and
// green while it is open.
QIcon Lamp(const QColor& colour) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(QPen(colour.darker(160), 2));
    painter.drawEllipse(QRectF(3, 3, 18, 18));
    return QIcon(pixmap);
}

}  // namespace

CKovDlg::CKovDlg(AppContext& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setObjectName("CKovDlg");
    setWindowTitle("KOV-Q730");
    BuildControls();
    BuildMenu();
    BuildScheduleRun();
}

CKovDlg::~CKovDlg() {
    // A window destroyed without the confirmed exit (a test, a crash path) still lets a
    // running synchronisation finish, stops the saver cleanly, and the link must no longer
    // log into a deleted log.
    WaitForSynchronisation();
    if (saver_)
        saver_->Stop();
    if (context_.link.Log() == log_.get())
        context_.link.SetLog(nullptr);
}

QPushButton* CKovDlg::AddButton(int id, QStyle::StandardPixmap icon) {
    auto* button = new QPushButton(this);
    SetControlId(button, id);
    button->setIcon(style()->standardIcon(icon));
    buttons_[id] = button;
    return button;
}

void CKovDlg::BuildControls() {
    auto* central = new QWidget(this);
    auto* top = new QHBoxLayout;

    auto* group = new QGroupBox(central);
    SetControlId(group, kResolutionGroup);
    resolutions_ = new QComboBox(group);
    SetControlId(resolutions_, kResolutionList);
    for (const ListItem& item : ResolutionListItems()) {
        resolutions_->addItem(ToQString(item.label), item.data);
    }
    resolutions_->setCurrentIndex(-1);
    connect(resolutions_, &QComboBox::activated, this, &CKovDlg::ChangeResolution);
    (new QHBoxLayout(group))->addWidget(resolutions_);
    top->addWidget(group);

    connect(AddButton(1006, QStyle::SP_DialogSaveButton), &QPushButton::clicked, this,
            &CKovDlg::SaveProject);
    connect(AddButton(1007, QStyle::SP_DialogOpenButton), &QPushButton::clicked, this,
            [this] { OpenProject(false); });
    connect(AddButton(1008, QStyle::SP_BrowserReload), &QPushButton::clicked, this,
            &CKovDlg::AutoAdjust);
    connect(AddButton(1009, QStyle::SP_DialogResetButton), &QPushButton::clicked, this,
            &CKovDlg::FactoryReset);
    connect(AddButton(1010, QStyle::SP_ComputerIcon), &QPushButton::clicked, this,
            &CKovDlg::CommunicationSettings);
    connect(AddButton(1011, QStyle::SP_DriveNetIcon), &QPushButton::clicked, this,
            &CKovDlg::TogglePort);
    for (int id : {1006, 1007, 1008, 1009, 1010, 1011})
        top->addWidget(buttons_[id]);

    auto* outputLabel = new QLabel(central);
    SetControlId(outputLabel, kOutputLabel);
    top->addWidget(outputLabel);
    connect(AddButton(1013, QStyle::SP_MediaPlay), &QPushButton::clicked, this,
            [this] { Fade(0); });
    connect(AddButton(1014, QStyle::SP_MediaSeekForward), &QPushButton::clicked, this,
            [this] { Fade(1); });
    top->addWidget(buttons_[1013]);
    top->addWidget(buttons_[1014]);
    fadeTime_ = new QLineEdit(central);
    SetControlId(fadeTime_, kFadeTime);
    fadeTime_->setValidator(new QIntValidator(0, 99, fadeTime_));
    fadeTime_->setMaximumWidth(40);
    connect(fadeTime_, &QLineEdit::textEdited, this, &CKovDlg::OnFadeEdited);
    top->addWidget(fadeTime_);
    auto* seconds = new QLabel(central);
    SetControlId(seconds, kSecondsLabel);
    top->addWidget(seconds);
    top->addStretch(1);
    // The clock sits at the right end of the status bar, where it takes no room from the
    // buttons.
    clock_ = new QLineEdit(this);
    clock_->setReadOnly(true);
    clock_->setFrame(false);
    clock_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    clock_->setFixedWidth(clock_->fontMetrics().horizontalAdvance("2026/12/31 23:59:59") + 24);
    SetControlId(clock_, kClockBox);
    outcome_ = new QLabel(this);
    outcome_->setObjectName("OutcomeLine");
    portLine_ = new QLabel(this);
    portLine_->setObjectName("PortLine");
    statusBar()->addWidget(outcome_, 1);
    statusBar()->addPermanentWidget(portLine_);
    statusBar()->addPermanentWidget(clock_);

    tree_ = new QTreeWidget(central);
    SetControlId(tree_, kCardTree);
    tree_->setHeaderHidden(true);
    tree_->setIconSize(QSize(kTreeIconSize, kTreeIconSize));
    tree_->setMinimumWidth(170);
    tree_->setMaximumWidth(220);
    connect(tree_, &QTreeWidget::itemClicked, this, &CKovDlg::OnTreeClicked);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, &CKovDlg::OnTreeDoubleClicked);

    tabs_ = new QTabWidget(central);
    SetControlId(tabs_, kTabArea);
    inputField_ = new CInPutFieldDlg(context_, this, tabs_);
    outputField_ = new COutPutFieldDLg(context_, this, tabs_);
    tabs_->addTab(inputField_, QString());
    tabs_->addTab(outputField_, QString());
    connect(tabs_, &QTabWidget::tabBarClicked, this, &CKovDlg::OnTabChosen);

    inputPage_ = new CInPutPage(context_, central);
    outputPage_ = new CPageDlg(context_, central);
    inputPage_->setFixedWidth(kCardPageWidth);
    outputPage_->setFixedWidth(kCardPageWidth);
    outputPage_->hide();

    auto* body = new QHBoxLayout;
    body->addWidget(tree_);
    body->addWidget(tabs_, 1);
    body->addSpacing(5);
    body->addWidget(inputPage_);
    body->addWidget(outputPage_);
    auto* layout = new QVBoxLayout(central);
    layout->addLayout(top);
    layout->addLayout(body, 1);
    setCentralWidget(central);
    resize(1200, 760);

    clickTimer_ = new QTimer(this);
    clickTimer_->setSingleShot(true);
    connect(clickTimer_, &QTimer::timeout, this, &CKovDlg::OnClickTimer);
    portWatch_ = new QTimer(this);
    portWatch_->setInterval(250);
    connect(portWatch_, &QTimer::timeout, this, &CKovDlg::WatchPort);
    connect(portWatch_, &QTimer::timeout, this, &CKovDlg::WatchStorage);
    clockTimer_ = new QTimer(this);
    connect(clockTimer_, &QTimer::timeout, this,
            [this] { clock_->setText(ClockText(QDateTime::currentDateTime())); });
}

void CKovDlg::BuildMenu() {
    // The menu's shape follows its key table: titles (command 0) open menus or submenus,
    // every other key is an item.
    for (const MenuKey& key : kMenuKeys) {
        if (key.commandId == 0 && key.submenu < 0) {
            menus_.push_back(menuBar()->addMenu(QString()));
        } else if (key.commandId == 0) {
            onlineMenu_ = menus_[key.menu]->addMenu(QString());
        } else {
            QMenu* menu = key.submenu < 0 ? menus_[key.menu] : onlineMenu_;
            QAction* action = menu->addAction(QString());
            actions_[key.commandId] = action;
        }
    }
    auto on = [this](int id, auto&& handler) {
        connect(actions_.at(id), &QAction::triggered, this, handler);
    };
    on(32774, [this] { OpenProject(true); });
    on(32775, [this] { SaveProject(); });
    on(32776, [this] { close(); });
    const int recall[] = {32778, 32779, 32780, 32781, 32782, 32783, 32784, 32804,
                          32805, 32806, 32807, 32808, 32809, 32810, 32811};
    const int store[] = {32785, 32786, 32787, 32788, 32789, 32812, 32813, 32814,
                         32815, 32816, 32817, 32818, 32819, 32820, 32821};
    for (int n = 1; n <= 15; ++n) {
        on(recall[n - 1], [this, n] { RecallTemplate(n); });
        on(store[n - 1], [this, n] { StoreTemplate(n); });
    }
    // Keyboard shortcuts for the commands an operator runs most.
    actions_.at(32774)->setShortcut(QKeySequence::Open);
    actions_.at(32775)->setShortcut(QKeySequence::Save);
    actions_.at(32791)->setShortcut(Qt::Key_F5);
    actions_.at(32803)->setShortcut(Qt::Key_F1);
    on(32790, [this] { CommunicationSettings(); });
    on(32824, [this] { ConfigureCards(); });
    on(32791, [this] { SynchroniseDevice(); });
    on(32792, [this] { FactoryReset(); });
    on(32794, [this] { AutoAdjust(); });
    on(32825, [this] { InternalBusReset(); });
    on(32797, [this] { OfflineSchedule(); });
    on(32798, [this] { EditSchedule(); });
    on(32799, [this] { RunSchedule(); });
    on(32800, [this] { SwitchLanguage("chinese"); });
    on(32801, [this] { SwitchLanguage("english"); });
    on(32802, [this] { About(); });
    on(32803, [this] { UserManual(); });
}

QPushButton* CKovDlg::Button(int id) const {
    const auto it = buttons_.find(id);
    return it == buttons_.end() ? nullptr : it->second;
}

QAction* CKovDlg::MenuAction(int commandId) const {
    const auto it = actions_.find(commandId);
    return it == actions_.end() ? nullptr : it->second;
}

void CKovDlg::RelabelMenu() {
    for (const MenuKey& key : kMenuKeys) {
        const QString text = ToQString(context_.language.Text(key.key));
        if (key.commandId != 0) {
            actions_.at(key.commandId)->setText(text);
        } else if (key.submenu < 0) {
            menus_[key.menu]->setTitle(text);
        } else {
            onlineMenu_->setTitle(text);
        }
    }
}

void CKovDlg::ApplyTexts() {
    const Language& language = context_.language;
    RelabelDialog(this, 102, language);
    RelabelDialog(inputPage_, 102, language);
    RelabelDialog(outputPage_, 102, language);
    inputPage_->ApplyTexts();
    outputPage_->ApplyTexts();
    tabs_->setTabText(0, ToQString(language.Named("IDS_TABLE_INPUT")));
    tabs_->setTabText(1, ToQString(language.Named("IDS_TABLE_OUTPUT")));
    buttons_.at(1011)->setToolTip(ToQString(language.Named("IDS_BNT_COM")));
    setWindowTitle(ToQString(language.DialogTitle(102)).isEmpty()
                       ? QStringLiteral("KOV-Q730")
                       : ToQString(language.DialogTitle(102)));
}

void CKovDlg::ShowPortImage() {
    const CSerialComm& link = context_.link;
    std::vector<PortEntry> ports;
    EnumerateComPorts(context_.programDir, ports);
    PortStatus status = DescribePort(ports, context_.programDir, configuredPort_, link.portNumber);
    if (link.IsOpen()) {
        status.state = PortState::kOpen;
    } else if (awaitingDevice_) {
        status.state = PortState::kGone;
    } else if (!portFailure_.empty()) {
        status.state = PortState::kFailed;
        status.reason = portFailure_;
    }
    const bool warn = IsFallbackPort(status);
    const QColor colour = !link.IsOpen() ? QColor(200, 40, 40)
                          : warn         ? QColor(230, 160, 20)
                                         : QColor(40, 180, 60);
    buttons_.at(1011)->setIcon(Lamp(colour));
    portLine_->setText(ToQString(PortStatusLine(status, context_.language)));
    portLine_->setStyleSheet(warn ? QStringLiteral("color: rgb(160, 100, 0);") : QString());
}

QString CKovDlg::ClockText(const QDateTime& time) {
    const QDate d = time.date();
    const QTime t = time.time();
    return QString::asprintf("%d/%d/%d %02d:%02d:%02d", d.year(), d.month(), d.day(), t.hour(),
                             t.minute(), t.second());
}

void CKovDlg::keyPressEvent(QKeyEvent* event) {
    // Enter never presses a button here and Escape never closes the window.
    if (IsSwallowedKey(*event))
        event->accept();
    else
        QMainWindow::keyPressEvent(event);
}

void CKovDlg::ReportStatus(const std::string& text) {
    QString line = ToQString(text);
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    outcome_->setText(line);
}

void CKovDlg::Message(const char* key) {
    context_.dialogs.Message(this, ToQString(context_.language.Text(key)),
                             MessageIcon::kInformation);
}

void CKovDlg::FileMessage(const char* key, const std::filesystem::path& file, MessageIcon icon) {
    context_.dialogs.Message(this, ToQString(TextWithFile(context_.language.Text(key), file)),
                             icon);
}

}  // namespace kov::ui
