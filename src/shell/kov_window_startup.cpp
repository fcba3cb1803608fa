// The main window's start-up and shutdown.

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include "input/input_field_host.h"
#include "input/input_page.h"
#include "link/command_log.h"
#include "link/link_setup.h"
#include "link/serial_comm.h"
#include "output/output_field_host.h"
#include "output/output_page.h"
#include "platform/port_list.h"
#include "shell/confirm_dialogs.h"
#include "shell/kov_window.h"
#include "shell/operator_dialogs.h"
#include "store/card_defaults.h"
#include "store/card_records.h"
#include "store/language.h"
#include "store/project_file.h"
#include "store/settings.h"
#include "store/state_saver.h"
#include "widgets/relabel.h"

namespace kov::ui {

void CKovDlg::Initialise() {
    AppContext& c = context_;
    const Settings settings(c.programDir);
    c.language.LoadNamedTexts();
    clockTimer_->start(1000);
    portWatch_->start();
    clock_->setText(ClockText(QDateTime::currentDateTime()));

    log_ = std::make_unique<BrellLog>(c.programDir, kCommandLogName);
    c.link.SetLog(log_.get());

    if (!ReadCardConfiguration(c.programDir / kBoardConfigFileName, c.config))
        FileMessage("IDS_CONFIGURE_FILE", c.programDir / kBoardConfigFileName, MessageIcon::kError);

    ShowPortImage();
    std::vector<PortEntry> ports;
    EnumerateComPorts(c.programDir, ports);
    const LinkSettings link = settings.ReadLinkSettings();
    configuredPort_ = link.port;
    ApplyLinkSettings(c.link, ports, link);
    TogglePort();

    if (!c.records.Load(c.config, c.programDir))
        FileMessage("IDS_CONFIGURE_FILE", c.programDir / kDefaultsFileName, MessageIcon::kError);

    inputField_->Build();
    SelectFirstInputResolution();
    inputField_->Refresh();
    outputField_->Initialise();
    fadeTime_->setText("0");
    BuildTree();
    log_->WriteLine("Initsystem");

    saver_ = std::make_unique<StateSaver>(c.records, c.stateChanged, c.programDir / kStateFileName);
    saver_->Start();

    // A new installation has never saved a state: nothing to ask and nothing to report,
    // but the pages are filled as after a restore. A state file that exists but cannot be
    // read is still reported.
    const auto stateFile = c.programDir / kStateFileName;
    std::error_code ec;
    const bool stateSaved = std::filesystem::symlink_status(stateFile, ec).type() !=
                            std::filesystem::file_type::not_found;
    const bool restore = !stateSaved || settings.ReadExitMarker() != 0 ||
                         c.dialogs.Question(this, ToQString(c.language.Named("IDS_RESTART")));
    if (restore) {
        if (stateSaved && !ReadProjectFile(stateFile, c.records).opened)
            FileMessage("IDS_FIND_FILE", stateFile);
        RefreshAfterRead();
        settings.WriteExitMarker(0);
    }

    RelabelMenu();
    ApplyTexts();
}

void CKovDlg::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    CTipDlg confirm(context_, this);
    if (context_.dialogs.ShowModal(confirm) != QDialog::Accepted) {
        event->ignore();
        return;
    }
    Shutdown();
    event->accept();
}

void CKovDlg::Shutdown() {
    closing_ = true;
    StopSchedule();
    WaitForSynchronisation();
    clockTimer_->stop();
    clickTimer_->stop();
    portWatch_->stop();
    if (saver_)
        saver_->Stop();  // one last save of everything changed so far
    saver_.reset();
    Settings(context_.programDir).WriteExitMarker(1);
    if (log_)
        log_->WriteLine("ExitSystem");
    context_.records.Release();
    context_.link.Close();
    context_.link.SetLog(nullptr);
    log_.reset();
}

}  // namespace kov::ui
