#include "options.h"

#include <charconv>
#include <sstream>

namespace kov::sim {
namespace {

// A whole decimal number in [low, high], surrounding blanks allowed.
std::optional<int> ParseNumber(std::string_view text, int low, int high) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    if (value < low || value > high)
        return std::nullopt;
    return value;
}

}  // namespace

std::optional<Rack> ParseRack(const std::string& text, std::string& error) {
    Rack rack{};
    std::stringstream entries(text);
    std::string entry;
    while (std::getline(entries, entry, ',')) {
        if (entry.find_first_not_of(' ') == std::string::npos)
            continue;
        const auto colon = entry.find(':');
        const auto slot =
            colon == std::string::npos
                ? std::nullopt
                : ParseNumber(std::string_view(entry).substr(0, colon), 1, kSlotCount);
        const auto id = colon == std::string::npos
                            ? std::nullopt
                            : ParseNumber(std::string_view(entry).substr(colon + 1), 0, 255);
        if (!slot || !id) {
            error = "bad rack entry '" + entry + "' (want slot:id, slot 1-14, id 0-255)";
            return std::nullopt;
        }
        rack[*slot - 1] = static_cast<std::uint8_t>(*id);
    }
    return rack;
}

std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    SimOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--fast") {
            options.fast = true;
            continue;
        }
        const bool takesValue = arg == "--dir" || arg == "--port" || arg == "--rack" ||
                                arg == "--mb" || arg == "--fault" || arg == "--state";
        if (!takesValue) {
            error = "unknown argument '" + arg + "'";
            return std::nullopt;
        }
        if (i + 1 >= args.size()) {
            error = arg + " needs a value";
            return std::nullopt;
        }
        const std::string& value = args[++i];
        if (arg == "--dir") {
            options.dir = value;
        } else if (arg == "--port") {
            const auto port = ParseNumber(value, 1, 99);
            if (!port) {
                error = "--port wants a number from 1 to 99";
                return std::nullopt;
            }
            options.port = *port;
        } else if (arg == "--rack") {
            const auto rack = ParseRack(value, error);
            if (!rack)
                return std::nullopt;
            options.device.rack = *rack;
        } else if (arg == "--mb") {
            const auto id = ParseNumber(value, 0, 255);
            if (!id) {
                error = "--mb wants an ID from 0 to 255";
                return std::nullopt;
            }
            options.device.motherBoardId = static_cast<std::uint8_t>(*id);
        } else if (arg == "--fault") {
            const auto fault = ParseFault(value);
            if (!fault) {
                error = "--fault wants silent, bad-checksum or short";
                return std::nullopt;
            }
            options.device.fault = *fault;
        } else {
            options.statePath = value;
        }
    }
    if (options.dir.empty() || options.port == 0) {
        error = "--dir and --port are required";
        return std::nullopt;
    }
    return options;
}

std::string Usage() {
    return "usage: kov-sim --dir PROGRAM_DIR --port N [--rack \"slot:id,...\"] [--mb ID] [--fast]\n"
           "               [--fault silent|bad-checksum|short] [--state FILE]\n"
           "       kov-sim --help | --version\n"
           "  --dir    program directory; the port appears as PROGRAM_DIR/ports/COM<N>, or in\n"
           "           the per-user folder ($XDG_DATA_HOME/KOV-Q730) when PROGRAM_DIR cannot\n"
           "           be written, where the program and kovctl look for it then\n"
           "  --port   COM number, 1-99\n"
           "  --rack   card IDs by slot (1-14); unlisted slots are empty\n"
           "           (default: outputs 1-4 in slots 1-4, inputs 129-132 in slots 5-8)\n"
           "  --mb     mother board ID (default 0)\n"
           "  --fast   do not pace reception at 9600 baud\n"
           "  --fault  misbehave: never reply, corrupt reply checksums, or cut replies short\n"
           "  --state  rewrite FILE with the device state after every frame\n";
}

}  // namespace kov::sim
