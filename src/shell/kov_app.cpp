#include "shell/kov_app.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

#include "link/serial_comm.h"
#include "platform/open_document.h"
#include "platform/posix_serial_port.h"
#include "platform/program_dir.h"
#include "platform/system_language.h"
#include "platform/version.h"
#include "shell/control_map.h"
#include "shell/kov_window.h"
#include "shell/operator_dialogs.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"
#include "store/data_folder.h"
#include "store/language.h"
#include "store/settings.h"
#include "widgets/relabel.h"

namespace kov::ui {
namespace {

void PrintUsage() {
    const ProgramFolders folders = ChooseProgramFolders(ProgramDirectory(), PerUserDataDirectory());
    std::printf(
        "usage: kov-q730 [--help | --version]\n"
        "The desktop control program of the KOV-Q730 video-wall splicing processor.\n"
        "Shipped files (manuals, pictures, language files): %s\n"
        "Settings, state, card configuration, templates, command log, ports/: %s\n"
        "Qt's own options (-platform NAME, ...) are accepted.\n",
        folders.shipped.c_str(), folders.data.c_str());
}

}  // namespace

int CKovApp::Run(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            PrintUsage();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("kov-q730 %s\n", ProgramVersion());
            return 0;
        }
    }
    QApplication app(argc, argv);
    // No display name is set: Qt would append it to every window title, and the main
    // window's title already names the program. Message boxes take the application name.
    QApplication::setApplicationName("KOV-Q730");
    QGuiApplication::setDesktopFileName("kov-q730");

    QtOperatorDialogs dialogs;
    std::string error;
    const std::optional<ProgramFolders> folders = OpenProgramFolders(ProgramDirectory(), error);
    if (!folders) {
        // Without a folder to write to the program could keep nothing; it says so in the
        // shipped language of the system and ends.
        std::fprintf(stderr, "kov-q730: %s\n", error.c_str());
        Language language(ProgramDirectory());
        language.Load(SystemLanguageName());
        dialogs.Message(nullptr,
                        ToQString(language.Text("IDS_DATA_FOLDER_FAILED")).arg(ToQString(error)),
                        MessageIcon::kError);
        return 1;
    }
    Settings(folders->data).EnsureExists();
    Language language(*folders);
    language.Load(SystemLanguageName());

    CSerialComm& link = CSerialComm::Instance();
    link.SetPort(std::make_unique<PosixSerialPort>(folders->data));
    CardConfiguration config;
    DesktopDocumentOpener documents;
    dialogs.SetStartFolder(QString::fromStdString(folders->data.string()));
    AppContext context{folders->data,           folders->shipped, link,
                       CardRecords::Instance(), config,           language,
                       StateChangedEvent(),     dialogs,          documents};
    CKovDlg window(context);
    window.Initialise();
    window.show();
    StartControlMapFromEnvironment(window);
    return app.exec();
}

}  // namespace kov::ui
