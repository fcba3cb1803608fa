// kov-sim: a virtual KOV-Q730 on a pseudo-terminal, for tests and benchmarks.

#include <cstdio>
#include <string>
#include <vector>

#include "options.h"
#include "platform/program_dir.h"
#include "platform/version.h"
#include "pty_host.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kov::sim::Usage().c_str(), stdout);
            return 0;
        }
        if (arg == "--version") {
            std::printf("kov-sim %s\n", kov::ProgramVersion());
            return 0;
        }
    }
    std::string error;
    auto options = kov::sim::ParseOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "kov-sim: %s\n%s", error.c_str(), kov::sim::Usage().c_str());
        return 2;
    }
    // The port link goes where the program looks for it: the per-user folder when the
    // program directory cannot be written.
    const kov::ProgramFolders folders =
        kov::ChooseProgramFolders(options->dir, kov::PerUserDataDirectory());
    if (folders.data.empty()) {
        std::fprintf(stderr, "kov-sim: %s cannot be written and HOME is not set\n",
                     options->dir.c_str());
        return 1;
    }
    options->dir = folders.data.string();
    return kov::sim::RunHost(*options);
}
