// kov-sim: a virtual KOV-Q730 on a pseudo-terminal, for tests and benchmarks.

#include <cstdio>
#include <string>
#include <vector>

#include "options.h"
#include "pty_host.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    for (const std::string& arg : args) {
        if (arg == "--help" || arg == "-h") {
            std::fputs(kov::sim::Usage().c_str(), stdout);
            return 0;
        }
    }
    std::string error;
    const auto options = kov::sim::ParseOptions(args, error);
    if (!options) {
        std::fprintf(stderr, "kov-sim: %s\n%s", error.c_str(), kov::sim::Usage().c_str());
        return 2;
    }
    return kov::sim::RunHost(*options);
}
