// Saves pictures of the three tabs of the input and the output card page, and of the main
// window after a save, in English and Chinese for the README and the manuals:
// page-shots DATA_DIR OUTPUT_DIR. Run it on a display (Xvfb in scripts/page-shots.sh) so
// that the pictures show the real fonts.

#include <QApplication>
#include <QTabWidget>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "input/input_page.h"
#include "link/serial_comm.h"
#include "output/output_page.h"
#include "platform/open_document.h"
#include "platform/posix_serial_port.h"
#include "shell/app_context.h"
#include "shell/kov_window.h"
#include "shell/operator_dialogs.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/language.h"
#include "store/settings.h"
#include "widgets/relabel.h"

namespace fs = std::filesystem;

namespace {

// Shows cardId on a page of type Page and saves each of its tabs as
// OUTPUT_DIR/<prefix>-<language>-<tab>.png; the number of pictures, or -1 on a failure.
template <class Page>
int SaveTabs(kov::ui::AppContext& context, const char* language, const char* prefix,
             int showMessage, int cardId, const fs::path& outputDir) {
    Page page(context);
    page.setFixedWidth(kov::ui::kCardPageWidth);
    kov::ui::RelabelDialog(&page, 102, context.language);
    page.ApplyTexts();
    kov::ui::PostKovMessage(&page, showMessage, cardId);
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents();
    page.show();
    int saved = 0;
    for (int tab = 0; tab < page.SubPages()->count(); ++tab) {
        page.SubPages()->setCurrentIndex(tab);
        QCoreApplication::processEvents();
        const fs::path file = outputDir / (std::string(prefix) + "-" + language + "-" +
                                           std::to_string(tab + 1) + ".png");
        if (!page.grab().save(QString::fromStdString(file.string()))) {
            std::fprintf(stderr, "page-shots: cannot write %s\n", file.c_str());
            return -1;
        }
        ++saved;
    }
    return saved;
}

// The operator of the main-window picture: every file chooser answers with one project
// file, every question with OK, and nothing is ever shown.
class PictureOperator final : public kov::ui::OperatorDialogs {
public:
    explicit PictureOperator(QString file) : file_(std::move(file)) {}
    void Message(QWidget*, const QString&, kov::ui::MessageIcon) override {}
    bool Question(QWidget*, const QString&) override { return true; }
    QString OpenFile(QWidget*, const QString&, const QString&) override { return file_; }
    QString SaveFile(QWidget*, const QString&, const QString&) override { return file_; }
    int ShowModal(QDialog&) override { return 0; }
    void Beep() override {}

private:
    QString file_;
};

// The main window on a pseudo-terminal listed as COM7, with the sample wall opened and
// saved again, as
// OUTPUT_DIR/main-window-<language>.png; false on a failure.
bool SaveMainWindow(const fs::path& work, const char* language, const fs::path& outputDir) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("page-shots: pseudo-terminal");
        return false;
    }
    std::error_code ec;
    fs::create_directories(work / "ports", ec);
    fs::remove(work / "ports" / "COM7", ec);
    fs::create_symlink(ptsname(master), work / "ports" / "COM7", ec);
    kov::Settings(work).WriteLinkSettings(7, "1");
    kov::Settings(work).WriteExitMarker(1);
    kov::Settings(work).WriteLanguageName(language);

    kov::Language texts(work);
    texts.Load(language);
    kov::CSerialComm link;
    link.SetPort(std::make_unique<kov::PosixSerialPort>(work));
    kov::CardConfiguration config;
    kov::CardRecords records;
    kov::AutoResetEvent stateChanged;
    PictureOperator dialogs(QString::fromStdString((work / "2x2 wall.scpx").string()));
    kov::DesktopDocumentOpener documents;  // never asked: no help is opened here
    kov::ui::AppContext context{work,  work,         link,    records,  config,
                                texts, stateChanged, dialogs, documents};
    bool saved = false;
    {
        kov::ui::CKovDlg window(context);
        window.Initialise();
        window.show();
        window.OpenProject(false);  // the sample wall
        window.SelectCard(2);
        window.SaveProject();
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
        const fs::path file = outputDir / ("main-window-" + std::string(language) + ".png");
        saved = window.grab().save(QString::fromStdString(file.string()));
        if (!saved)
            std::fprintf(stderr, "page-shots: cannot write %s\n", file.c_str());
        link.Close();
    }
    close(master);
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: page-shots DATA_DIR OUTPUT_DIR\n");
        return 2;
    }
    const fs::path work = fs::temp_directory_path() / "kov-page-shots";
    fs::remove_all(work);
    fs::copy(argv[1], work, fs::copy_options::recursive);
    kov::CardConfiguration config;
    kov::ReadCardConfiguration(work / kov::kBoardConfigFileName, config);
    kov::CardRecords records;
    records.Load(config, work);
    kov::CSerialComm link;  // never opened: the pictures send nothing
    kov::AutoResetEvent stateChanged;
    kov::ui::QtOperatorDialogs dialogs;
    int saved = 0;
    for (const char* name : {"english", "chinese"}) {
        kov::Language language(work);
        language.Load(name);
        language.LoadNamedTexts();
        kov::DesktopDocumentOpener documents;
        kov::ui::AppContext context{work,     work,         link,    records,  config,
                                    language, stateChanged, dialogs, documents};
        const int input =
            SaveTabs<kov::ui::CInPutPage>(context, name, "input-page", kov::ui::WM_INPUT_CARD_SHOW,
                                          kov::kFirstInputCardId, argv[2]);
        const int output = SaveTabs<kov::ui::CPageDlg>(context, name, "output-page",
                                                       kov::ui::WM_OUTPUT_CARD_SHOW, 1, argv[2]);
        if (input < 0 || output < 0)
            return 1;
        if (!SaveMainWindow(work, name, argv[2]))
            return 1;
        saved += input + output + 1;
    }
    fs::remove_all(work);
    std::printf("page-shots: %d pictures written to %s\n", saved, argv[2]);
    return 0;
}
