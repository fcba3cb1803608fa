// The main window's commands: project files, templates, synchronisation, resets, fades,
// the serial port, the settings dialogs, the language and help.

#include <chrono>
#include <cstring>

#include <QComboBox>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>

#include "input/base_map_page.h"
#include "input/input_field_host.h"
#include "input/input_page.h"
#include "link/command_log.h"
#include "link/commands.h"
#include "link/exchange.h"
#include "link/link_setup.h"
#include "link/serial_comm.h"
#include "link/synchronise.h"
#include "output/output_field_host.h"
#include "output/output_page.h"
#include "platform/open_document.h"
#include "platform/port_list.h"
#include "platform/posix_serial_port.h"
#include "schedule/offline_schedule_dialog.h"
#include "shell/confirm_dialogs.h"
#include "shell/kov_window.h"
#include "shell/operator_dialogs.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_config_dialog.h"
#include "store/card_defaults.h"
#include "store/card_records.h"
#include "store/comm_settings_dialog.h"
#include "store/language.h"
#include "store/profile.h"
#include "store/project_file.h"
#include "store/settings.h"
#include "store/state_saver.h"
#include "store/tables.h"
#include "store/templates.h"
#include "store/user_manual.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

const QString kMenuOpenFilter = QStringLiteral("KOV-Q730 File(*.scpx)");
const QString kProjectFilter = QStringLiteral("KOV-Q730(*.scpx)");
const QString kProjectSuffix = QStringLiteral("scpx");

}  // namespace

void CKovDlg::SelectFirstInputResolution() {
    int code = 0;
    {
        auto lock = context_.records.Lock();
        if (context_.records.input.Count() > 0)
            code = context_.records.input.At(0).inputResolution.code;
    }
    resolutions_->setCurrentIndex(resolutions_->findData(code));
    // The input diagram shows the frame the cards capture from; a freshly built diagram
    // would otherwise keep its first resolution while the records hold another.
    if (code != 0)
        inputField_->SetResolutionCode(code);
}

int CKovDlg::FirstCardId(bool input) const {
    auto lock = context_.records.Lock();
    if (input)
        return context_.records.input.Count() > 0 ? context_.records.input.At(0).cardId : 0;
    return context_.records.output.Count() > 0 ? context_.records.output.At(0).cardId : 0;
}

void CKovDlg::RefreshAfterRead() {
    const int firstInput = FirstCardId(true);
    const int firstOutput = FirstCardId(false);
    PostKovMessage(inputPage_, WM_INPUT_CARD_SHOW, firstInput);
    PostKovMessage(outputPage_, WM_OUTPUT_CARD_SHOW, firstOutput);
    SelectFirstInputResolution();
    inputField_->Refresh();
    outputField_->Refresh();
    BringTreeInLine();
    // The visible page keeps its kind; its first card is now the current one everywhere.
    HighlightCard(inputPage_->isVisibleTo(this) ? firstInput : firstOutput);
}

void CKovDlg::OpenProject(bool fromMenu) {
    const QString path = context_.dialogs.OpenFile(
        this, fromMenu ? kMenuOpenFilter : kProjectFilter, kProjectSuffix);
    if (path.isEmpty())
        return;
    const bool opened = ReadProjectFile(path.toStdString(), context_.records).opened;
    if (!opened)
        FileMessage("IDS_FIND_FILE", path.toStdString());
    RefreshAfterRead();
    if (opened)
        ReportStatus(FillText(context_.language.Text("IDS_STATUS_OPENED"), {path.toStdString()}));
}

void CKovDlg::SaveProject() {
    const QString path = context_.dialogs.SaveFile(this, kProjectFilter, kProjectSuffix);
    if (path.isEmpty())
        return;
    if (!WriteProjectFile(path.toStdString(), context_.records.Snapshot())) {
        FileMessage("IDS_SAVE_FAILED", path.toStdString());
        return;
    }
    ReportStatus(FillText(context_.language.Text("IDS_STATUS_SAVED"), {path.toStdString()}));
}

void CKovDlg::AutoAdjust() {
    CAutoImprove confirm(context_, this);
    if (context_.dialogs.ShowModal(confirm) == QDialog::Accepted) {
        SendCommand(context_.link, DeviceAutoAdjustFrame());
    }
}

void CKovDlg::FactoryReset() {
    CDefaultSetup confirm(context_, this);  // its OK sends the factory-reset frame
    if (context_.dialogs.ShowModal(confirm) != QDialog::Accepted)
        return;
    context_.records.Release();
    if (!context_.records.Load(context_.config, context_.programDir))
        FileMessage("IDS_CONFIGURE_FILE", context_.programDir / kDefaultsFileName);
    inputField_->Build();
    SelectFirstInputResolution();
    inputField_->Refresh();
    outputField_->Initialise();
    inputPage_->RefreshAll(0);
    outputPage_->RefreshAll(0);
    BringTreeInLine();
    // The pages show the first records now; the first card of the visible kind becomes
    // the current one, so the page's number agrees with what it shows.
    const int first = FirstCardId(inputPage_->isVisibleTo(this));
    if (first != 0)
        ShowCurrentCard(first);
    context_.stateChanged.Set();
}

void CKovDlg::OfflineSchedule() {
    COffLineScheduleDLg dialog(context_, this);
    context_.dialogs.ShowModal(dialog);
}

void CKovDlg::InternalBusReset() {
    CIntBusDlg confirm(context_, this);  // its OK sends the internal bus reset frame
    if (context_.dialogs.ShowModal(confirm) != QDialog::Accepted)
        return;
    inputPage_->BaseMapPage()->ResetAllSources();
}

void CKovDlg::OnFadeEdited(const QString& text) {
    const int value = DecimalValue(text.toStdString());
    if (value > kMaxFadeSeconds)
        fadeTime_->setText(QString::asprintf("%d", kMaxFadeSeconds));
    if (value < 0)
        fadeTime_->setText(QString::asprintf("%d", 0));
}

void CKovDlg::Fade(int picture) {
    const auto frame = FadeFrame(picture == 0 ? FadeTarget::kPicture1 : FadeTarget::kPicture2,
                                 DecimalValue(fadeTime_->text().toStdString()));
    if (frame)
        SendCommand(context_.link, *frame);
}

void CKovDlg::TogglePort() {
    CSerialComm& link = context_.link;
    if (link.portNumber == 0 || link.portNumber >= 255) {
        context_.dialogs.Message(this, ToQString(context_.language.Text("IDS_COMEXIST")),
                                 MessageIcon::kWarning);
        return;
    }
    portFailure_.clear();
    if (link.IsOpen()) {
        link.Close();
    } else if (!link.Open()) {
        ReportOpenFailure();
    }
    ShowPortImage();
}

// The port line shows the failure before the message box, which waits for the operator.
void CKovDlg::ReportOpenFailure() {
    const CSerialComm& link = context_.link;
    const int error = link.LastOpenError();
    if (error == 0) {
        portFailure_ = context_.language.Text("IDS_OPENCOM");
        ShowPortImage();
        context_.dialogs.Message(this, ToQString(portFailure_), MessageIcon::kWarning);
        return;
    }
    static constexpr const char* kKeys[] = {"IDS_PORT_MISSING", "IDS_PORT_DENIED", "IDS_PORT_BUSY",
                                            "IDS_OPENCOM"};
    const char* key = kKeys[static_cast<int>(ClassifyOpenError(error))];
    std::string device = PortDevicePath(context_.programDir, link.portNumber);
    if (device.empty())
        device = "COM" + std::to_string(link.portNumber);
    const std::string reason = device + ": " + std::strerror(error);
    const std::string text = context_.language.Text(key);
    portFailure_ = std::strerror(error);
    ShowPortImage();
    ReportStatus(text + " (" + reason + ")");
    context_.dialogs.Message(this, ToQString(text + "\n\n" + reason), MessageIcon::kWarning);
}

void CKovDlg::WatchPort() {
    CSerialComm& link = context_.link;
    auto lock = link.TryLockExchange();
    if (!lock.owns_lock())
        return;  // a worker is using the link; look again at the next tick
    if (link.Disconnected()) {
        if (!awaitingDevice_) {
            awaitingDevice_ = true;
            ShowPortImage();
            ReportStatus(context_.language.Text("IDS_DEVICE_GONE"));
            if (log_)
                log_->WriteLine("Device disconnected");
        }
        if (!link.Open())
            return;
    }
    if (!awaitingDevice_)
        return;
    awaitingDevice_ = false;
    ShowPortImage();
    const bool open = link.IsOpen();
    lock.unlock();
    if (!open) {  // the operator closed the port meanwhile
        ReportStatus({});
        return;
    }
    if (log_)
        log_->WriteLine("Device reconnected");
    const std::string back = context_.language.Text("IDS_DEVICE_BACK");
    ReportStatus(back);
    if (context_.dialogs.Question(this, ToQString(back)))
        SynchroniseDevice();
}

void CKovDlg::WatchStorage() {
    auto report = [this](bool now, bool& said, const char* failed, const char* back) {
        if (now != said) {
            said = now;
            ReportStatus(context_.language.Text(now ? failed : back));
        }
    };
    if (saver_)
        report(saver_->Failing(), saveFailing_, "IDS_STATE_SAVE_FAILED", "IDS_STATE_SAVE_BACK");
    if (log_)
        report(log_->Dropping(), logDropping_, "IDS_LOG_DROPPED", "IDS_LOG_BACK");
}

void CKovDlg::CommunicationSettings() {
    CdlgComn dialog(context_, this);
    context_.dialogs.ShowModal(dialog);
    // The port chosen there is the one asked for from now on.
    configuredPort_ = context_.link.portNumber;
    ShowPortImage();
}

void CKovDlg::ConfigureCards() {
    CConfigCardDlg dialog(context_, this);
    connect(&dialog, &CConfigCardDlg::configurationWritten, this, [this](int cards) {
        ReportStatus(
            FillText(context_.language.Text("IDS_STATUS_CONFIGURED"), {std::to_string(cards)}));
    });
    context_.dialogs.ShowModal(dialog);
}

void CKovDlg::SwitchLanguage(const std::string& name) {
    context_.language.Load(name);
    RelabelMenu();
    menuBar()->update();
    context_.language.LoadNamedTexts();
    ApplyTexts();
    BuildTree();
    HighlightCard(CurrentCardId());  // the rebuilt tree selects the current card again
    update();
}

void CKovDlg::About() {
    CAboutDlg about(this);
    context_.dialogs.ShowModal(about);
}

void CKovDlg::UserManual() {
    const std::string name = Settings(context_.programDir).ReadLanguageName(100, "English");
    const char* file = UserManualFileName(name);
    const std::filesystem::path path = file ? context_.shippedDir / file : std::filesystem::path();
    std::error_code ec;
    if (!file || !std::filesystem::is_regular_file(path, ec)) {
        Message("IDS_Helpstr");
    } else if (!context_.documents.Open(path)) {
        context_.dialogs.Message(
            this,
            ToQString(context_.language.Text("IDS_HELP_OPEN_FAILED")).arg(ToQString(path.string())),
            MessageIcon::kWarning);
    }
}

void CKovDlg::SynchroniseDevice() {
    if (syncThread_.joinable())
        return;  // one synchronisation at a time
    const RecordsSnapshot snapshot = context_.records.Snapshot();
    const std::vector<bool> inputHidden = HiddenFlags(true);
    const std::vector<bool> outputHidden = HiddenFlags(false);
    const int total = SynchroniseFrameCount(static_cast<int>(snapshot.inputs.size()),
                                            static_cast<int>(snapshot.outputs.size()));
    auto* progress = new QProgressDialog(this);
    progress->setWindowModality(Qt::WindowModal);
    progress->setCancelButton(nullptr);
    progress->setRange(0, total);
    progress->setMinimumDuration(0);
    progress->setLabelText(ToQString(context_.language.Text("IDS_FUNCTION_SYNC")));
    progress->open();
    const auto started = std::chrono::steady_clock::now();
    // The worker owns the link until it is done (the link's lock keeps any other exchange
    // out meanwhile); it reports to the window only through queued calls.
    syncThread_ = std::thread([this, progress, snapshot, inputHidden, outputHidden, started] {
        const SyncResult result = Synchronise(
            context_.link, snapshot, inputHidden, outputHidden, [progress](int done, int) {
                QMetaObject::invokeMethod(
                    progress, [progress, done] { progress->setValue(done); }, Qt::QueuedConnection);
            });
        const auto elapsed = std::chrono::steady_clock::now() - started;
        QMetaObject::invokeMethod(
            this,
            [this, progress, result, elapsed] {
                progress->close();
                progress->deleteLater();
                WaitForSynchronisation();
                ReportSynchronisation(result, elapsed);
                emit synchroniseFinished(result.sent);
            },
            Qt::QueuedConnection);
    });
}

void CKovDlg::ReportSynchronisation(const SyncResult& result,
                                    std::chrono::steady_clock::duration elapsed) {
    const Language& language = context_.language;
    if (result.sent < result.total) {
        ReportStatus(
            FillText(language.Text("IDS_STATUS_SYNC_LOST"),
                     {std::to_string(result.total - result.sent), std::to_string(result.total)}));
        return;
    }
    const double seconds = std::chrono::duration<double>(elapsed).count();
    ReportStatus(
        FillText(language.Text("IDS_STATUS_SYNCED"),
                 {std::to_string(result.sent), QString::number(seconds, 'f', 1).toStdString()}));
}

void CKovDlg::WaitForSynchronisation() {
    if (syncThread_.joinable())
        syncThread_.join();
}

void CKovDlg::RecallTemplate(int n) {
    const bool opened =
        kov::RecallTemplate(context_.link, context_.records, context_.programDir, n).opened;
    if (!opened)
        FileMessage("IDS_FIND_FILE", TemplatePath(n));
    RefreshAfterRead();
    if (opened)
        ReportStatus(FillText(context_.language.Text("IDS_STATUS_RECALLED"), {std::to_string(n)}));
}

std::filesystem::path CKovDlg::TemplatePath(int n) const {
    return context_.programDir / TemplateFileName(n);
}

void CKovDlg::StoreTemplate(int n) {
    if (!kov::StoreTemplate(context_.link, context_.records, context_.programDir, n)) {
        FileMessage("IDS_SAVE_FAILED", TemplatePath(n));
        return;
    }
    ReportStatus(FillText(context_.language.Text("IDS_STATUS_STORED"), {std::to_string(n)}));
}

}  // namespace kov::ui
