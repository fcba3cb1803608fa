#include "shell/kov_app.h"

#include <QApplication>

#include "link/serial_comm.h"
#include "platform/program_dir.h"
#include "platform/system_language.h"
#include "shell/control_map.h"
#include "shell/kov_window.h"
#include "shell/operator_dialogs.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "store/language.h"
#include "store/settings.h"

namespace kov::ui {

int CKovApp::Run(int argc, char** argv) {
    QApplication app(argc, argv);
    // No display name is set: Qt would append it to every window title, and the main
    // window's title already names the program. Message boxes take the application name.
    QApplication::setApplicationName("KOV-Q730");

    const std::filesystem::path programDir = ProgramDirectory();
    Settings(programDir).EnsureExists();
    Language language(programDir);
    language.Load(SystemLanguageName());

    CardConfiguration config;
    QtOperatorDialogs dialogs(QString::fromStdString(programDir.string()));
    AppContext context{programDir,
                       CSerialComm::Instance(),
                       CardRecords::Instance(),
                       config,
                       language,
                       StateChangedEvent(),
                       dialogs};
    CKovDlg window(context);
    window.Initialise();
    window.show();
    StartControlMapFromEnvironment(window);
    return app.exec();
}

}  // namespace kov::ui
