// diagram-viewer: a development window that shows the input and the output diagram of a
// program directory side by side, every cell shown, on the link configured in
// normalStart.ini. Run it against a directory served by kov-sim to watch the frames a drag
// sends. Not part of the program directory.
//
// Usage: diagram-viewer [--dir PROGRAM_DIR]   (default: the directory of the executable)

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "diagram/cell_binding.h"
#include "input/input_field_host.h"
#include "link/link_setup.h"
#include "link/serial_comm.h"
#include "output/output_field_host.h"
#include "platform/open_document.h"
#include "platform/port_list.h"
#include "platform/posix_serial_port.h"
#include "platform/program_dir.h"
#include "shell/app_context.h"
#include "shell/operator_dialogs.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_inventory.h"
#include "store/card_records.h"
#include "store/language.h"
#include "store/settings.h"
#include "store/tables.h"

namespace {

// Stands in for the main window: prints every card the diagrams report with the card's
// rectangle as its record now holds it.
class SelectionPrinter final : public QObject {
public:
    explicit SelectionPrinter(kov::CardRecords& records) : records_(records) {}

protected:
    bool event(QEvent* event) override {
        if (event->type() != kov::ui::WM_CARD_SELECTED)
            return QObject::event(event);
        const int cardId = static_cast<int>(static_cast<kov::ui::KovMessage*>(event)->wParam);
        std::cout << "card selected: " << cardId << Describe(cardId) << std::endl;
        return true;
    }

private:
    std::string Describe(int cardId) const {
        const auto lock = records_.Lock();
        std::optional<kov::diagram::DeviceRect> r;
        if (const auto* input = records_.input.Find(cardId))
            r = kov::diagram::InputCaptureWindow(*input);
        else if (const auto* output = records_.output.Find(cardId))
            r = kov::diagram::OutputSplice(*output);
        if (!r)
            return "";
        return " at (" + std::to_string(r->x) + ", " + std::to_string(r->y) + ") size " +
               std::to_string(r->w) + " x " + std::to_string(r->h);
    }

    kov::CardRecords& records_;
};

// Opens the link as the program does at start-up: the configured port, or the last listed
// one, at 9600 baud with the configured time-out.
void OpenLink(kov::CSerialComm& link, const std::filesystem::path& dir) {
    std::vector<kov::PortEntry> ports;
    kov::EnumerateComPorts(dir, ports);
    const kov::Settings settings(dir);
    kov::ApplyLinkSettings(link, ports, settings.ReadLinkSettings());
    link.SetPort(std::make_unique<kov::PosixSerialPort>(dir));
    if (link.Open())
        std::cout << "link open on COM" << link.portNumber << std::endl;
    else
        std::cerr << "link closed (COM" << link.portNumber << "): drags send nothing" << std::endl;
}

QWidget* Titled(const QString& title, QWidget* body, QWidget* extra = nullptr) {
    auto* box = new QWidget;
    auto* column = new QVBoxLayout(box);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel(title));
    if (extra != nullptr)
        row->addWidget(extra);
    row->addStretch();
    column->addLayout(row);
    column->addWidget(body, 1);
    return box;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("diagram-viewer");

    QCommandLineParser parser;
    parser.setApplicationDescription(
        "Shows the input and the output diagram of a program "
        "directory side by side.");
    parser.addHelpOption();
    const QCommandLineOption dirOption("dir", "The program directory.", "path");
    parser.addOption(dirOption);
    parser.process(app);
    const std::filesystem::path dir =
        parser.isSet(dirOption) ? std::filesystem::path(parser.value(dirOption).toStdString())
                                : kov::ProgramDirectory();

    kov::CardConfiguration config;
    if (!kov::ReadCardConfiguration(dir / kov::kBoardConfigFileName, config))
        std::cerr << "cannot read " << (dir / kov::kBoardConfigFileName) << std::endl;
    kov::CardRecords records;
    if (!records.Load(config, dir))
        std::cerr << "cannot read " << (dir / kov::kDefaultsFileName) << std::endl;

    kov::CSerialComm link;
    OpenLink(link, dir);

    kov::Language language(dir);
    kov::AutoResetEvent stateChanged;
    kov::ui::QtOperatorDialogs dialogs;
    kov::DesktopDocumentOpener documents;
    kov::ui::AppContext context{dir,      dir,          link,    records,  config,
                                language, stateChanged, dialogs, documents};
    SelectionPrinter printer(records);

    QWidget window;
    window.setWindowTitle(QString("Diagrams of %1").arg(QString::fromStdString(dir.string())));
    auto* input = new kov::ui::CInPutFieldDlg(context, &printer);
    auto* output = new kov::ui::COutPutFieldDLg(context, &printer);

    auto* resolutions = new QComboBox;
    for (const kov::ListItem& item : kov::ResolutionListItems())
        resolutions->addItem(QString::fromStdString(item.label), item.data);
    QObject::connect(resolutions, &QComboBox::currentIndexChanged, input, [input, resolutions] {
        input->SetResolutionCode(resolutions->currentData().toInt());
        input->Refresh();
    });

    kov::WholeScreen screen;
    std::vector<int> inputIds;
    std::vector<int> outputIds;
    {
        const auto lock = records.Lock();
        screen = records.screen;
        inputIds = kov::diagram::CardIds(records.input);
        outputIds = kov::diagram::CardIds(records.output);
    }

    auto* row = new QHBoxLayout(&window);
    row->addWidget(Titled("Input frame", input, resolutions), 1);
    row->addWidget(
        Titled(QString("Whole screen %1 x %2").arg(screen.width).arg(screen.height), output), 1);

    input->Build();
    output->Initialise();
    for (const int id : inputIds)
        input->Picture().SetCardHidden(id, false);
    for (const int id : outputIds)
        output->Picture().SetCardHidden(id, false);

    window.resize(1400, 640);
    window.show();
    const int result = QApplication::exec();
    link.Close();
    return result;
}
