// Saves pictures of the three tabs of the input and the output card page in English and
// Chinese for the README and the manuals: page-shots DATA_DIR OUTPUT_DIR. Run it on a display (Xvfb
// in scripts/page-shots.sh) so that the pictures show the real fonts.

#include <QApplication>
#include <QTabWidget>

#include <cstdio>
#include <filesystem>

#include "input/input_page.h"
#include "link/serial_comm.h"
#include "output/output_page.h"
#include "platform/open_document.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/language.h"
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
        saved += input + output;
    }
    fs::remove_all(work);
    std::printf("page-shots: %d pictures written to %s\n", saved, argv[2]);
    return 0;
}
