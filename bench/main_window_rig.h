#pragma once
// The desktop program's main window on a program directory, with an operator who is never
// asked anything: benchmarks of the main window run unattended. Create it after the
// QApplication; Initialise() opens the link as the program does.

#include <filesystem>
#include <memory>

#include "link/serial_comm.h"
#include "platform/open_document.h"
#include "platform/posix_serial_port.h"
#include "shell/app_context.h"
#include "shell/kov_window.h"
#include "shell/operator_dialogs.h"
#include "store/auto_reset_event.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/language.h"

namespace kov::bench {

class SilentDialogs final : public ui::OperatorDialogs {
public:
    void Message(QWidget*, const QString&, ui::MessageIcon) override {}
    bool Question(QWidget*, const QString&) override { return true; }
    QString OpenFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString SaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    int ShowModal(QDialog&) override { return 0; }
    void Beep() override {}
};

struct MainWindowRig {
    explicit MainWindowRig(const std::filesystem::path& programDir)
        : language(programDir),
          context{programDir, programDir,   link,    records,  config,
                  language,   stateChanged, dialogs, documents},
          window(context) {
        language.Load("english");
        link.SetPort(std::make_unique<PosixSerialPort>(programDir));
    }

    Language language;
    CSerialComm link;
    CardRecords records;
    CardConfiguration config;
    AutoResetEvent stateChanged;
    SilentDialogs dialogs;
    DesktopDocumentOpener documents;
    ui::AppContext context;
    ui::CKovDlg window;
};

}  // namespace kov::bench
