// kovctl: drives a KOV-Q730 from the shell through the program's own core.

#include <iostream>

#include "context.h"
#include "link_commands.h"
#include "platform/program_dir.h"
#include "platform/version.h"
#include "project_commands.h"
#include "schedule_commands.h"
#include "store/data_folder.h"
#include "sync_commands.h"
#include "task_commands.h"

namespace {

constexpr const char* kUsage =
    "usage: kovctl [--dir PROGRAM_DIR] [--mb ID] COMMAND\n"
    "       kovctl --help | --version\n"
    "The files are those of PROGRAM_DIR (the directory of kovctl unless --dir says\n"
    "otherwise); when it cannot be written, the writable ones are kept in\n"
    "$XDG_DATA_HOME/KOV-Q730 (~/.local/share/KOV-Q730), filled from PROGRAM_DIR.\n"
    "commands:\n"
    "  ports                      list the serial ports (number, name, device)\n"
    "  send B2 B3 ... B11         send ten bytes (hex); header and checksum are added\n"
    "  detect                     detect the cards and print the 14 slot IDs\n"
    "  clock get | clock set      read the device clock, or set it to this computer's time\n"
    "  task read N | task read all\n"
    "                             read offline task N (0-127), or all 128\n"
    "  task write N DATE TIME CYCLE DAYS TEMPLATE\n"
    "                             write offline task N, e.g. 5 2026-12-24 08:30:00 weekly\n"
    "                             mon,fri 3 (CYCLE off|daily|once|weekly, DAYS - for none)\n"
    "  task write --file FILE     write the tasks of FILE, lines as 'task read all' prints\n"
    "  config detect              detect the cards and write them to \"Board Config.ini\"\n"
    "  project show FILE          read a project file into the records and print every card\n"
    "  project convert IN OUT     read IN into the records and write them to OUT\n"
    "  project check FILE         report lines the reader ignores and an early stop\n"
    "  sync [FILE]                send the default records (FILE read into them) to the device\n"
    "  template recall|store N    recall or store device template N (1-15) and \"Mode<N>.ini\"\n"
    "  schedule show FILE         print the rows of an online schedule (.smfx) as the editor\n"
    "  schedule check FILE        report lines the reader skips and entries that cannot run\n"
    "  schedule next FILE [--from \"YYYY-MM-DD HH:MM:SS\"] [--count N]\n"
    "                             the next N (10) firings after that local time (now)\n"
    "  schedule run FILE          run the schedule until its last entry fires or SIGINT/SIGTERM\n";

int Usage() {
    std::cerr << kUsage;
    return kovctl::kExitUsage;
}

// Splits the leading options from the command; says what is wrong when they do not parse.
std::optional<kovctl::Options> ParseOptions(int argc, char** argv) {
    kovctl::Options options;
    options.dir = kov::ProgramDirectory();
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--dir" || arg == "--mb") {
            if (!hasValue) {
                kovctl::WrongArguments(arg + " needs a value");
                return std::nullopt;
            }
            const std::string value = argv[++i];
            if (arg == "--dir") {
                options.dir = value;
                continue;
            }
            const auto id = kovctl::ParseNumber(value, 0, 255);
            if (!id) {
                kovctl::WrongArguments("mother board ID " + value + " is out of range 0-255");
                return std::nullopt;
            }
            options.motherBoard = *id;
        } else if (arg.rfind("--", 0) == 0) {
            kovctl::WrongArguments("unknown option " + arg);
            return std::nullopt;
        } else {
            break;
        }
    }
    options.args.assign(argv + i, argv + argc);
    if (options.args.empty()) {
        kovctl::WrongArguments("no command given");
        return std::nullopt;
    }
    return options;
}

// A command that takes no further arguments.
bool Alone(const std::vector<std::string>& args) {
    if (args.size() == 1)
        return true;
    kovctl::WrongArguments(args[0] + " takes no arguments");
    return false;
}

int Dispatch(kovctl::Context& context) {
    const auto& args = context.options().args;
    const std::string& command = args[0];
    const std::size_t n = args.size();
    if (command == "ports")
        return Alone(args) ? kovctl::RunPorts(context) : kovctl::kExitUsage;
    if (command == "send")
        return kovctl::RunSend(context, {args.begin() + 1, args.end()});
    if (command == "detect")
        return Alone(args) ? kovctl::RunDetect(context) : kovctl::kExitUsage;
    if (command == "clock")
        return n == 2 ? kovctl::RunClock(context, args[1])
                      : kovctl::WrongArguments("clock wants get or set");
    if (command == "task")
        return kovctl::RunTask(context, {args.begin() + 1, args.end()});
    if (command == "config") {
        return n == 2 && args[1] == "detect" ? kovctl::RunConfigDetect(context)
                                             : kovctl::WrongArguments("config wants detect");
    }
    if (command == "project")
        return kovctl::RunProject(context, {args.begin() + 1, args.end()});
    if (command == "sync")
        return kovctl::RunSync(context, {args.begin() + 1, args.end()});
    if (command == "schedule")
        return kovctl::RunSchedule(context, {args.begin() + 1, args.end()});
    if (command == "template")
        return kovctl::RunTemplate(context, {args.begin() + 1, args.end()});
    return kovctl::WrongArguments("unknown command " + command);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::cout << kUsage;
        return kovctl::kExitOk;
    }
    if (argc == 2 && std::string(argv[1]) == "--version") {
        std::cout << "kovctl " << kov::ProgramVersion() << '\n';
        return kovctl::kExitOk;
    }
    const auto options = ParseOptions(argc, argv);
    if (!options)
        return Usage();
    std::string error;
    const auto folders = kov::OpenProgramFolders(options->dir, error);
    if (!folders)
        return kovctl::Fail(error);
    kovctl::Context context(*options, *folders);
    const int rc = Dispatch(context);
    return rc == kovctl::kExitUsage ? Usage() : rc;
}
