#include "link/port_status.h"

#include "store/language.h"

namespace kov {
namespace fs = std::filesystem;

namespace {

std::string StateText(const PortStatus& status, const Language& language) {
    switch (status.state) {
        case PortState::kOpen:
            return language.Text("IDS_STATUS_OPEN");
        case PortState::kClosed:
            return language.Text("IDS_STATUS_CLOSED");
        case PortState::kFailed:
            return FillText(language.Text("IDS_STATUS_FAILED"), {status.reason});
        case PortState::kGone:
            return language.Text("IDS_STATUS_GONE");
    }
    return {};
}

std::string ShownDevice(const std::string& device, const fs::path& programDir) {
    const fs::path path(device);
    const fs::path relative = path.lexically_relative(programDir);
    if (!programDir.empty() && !relative.empty() && *relative.begin() != "..")
        return relative.generic_string();
    return device;
}

}  // namespace

PortStatus DescribePort(const std::vector<PortEntry>& ports, const fs::path& programDir,
                        int configured, int number) {
    PortStatus status;
    status.configured = configured;
    status.number = number;
    for (const PortEntry& port : ports) {
        if (port.number == number) {
            status.device = ShownDevice(port.device, programDir);
            break;
        }
    }
    return status;
}

bool IsFallbackPort(const PortStatus& status) {
    return status.configured != 0 && status.number != 0 && status.configured != status.number;
}

std::string PortStatusLine(const PortStatus& status, const Language& language) {
    if (status.number == 0)
        return language.Text("IDS_STATUS_NO_PORT");
    const std::string name = "COM" + std::to_string(status.number);
    const std::string state = StateText(status, language);
    if (IsFallbackPort(status)) {
        return FillText(language.Text("IDS_STATUS_FALLBACK"),
                        {std::to_string(status.configured), name, status.device, state});
    }
    return FillText(language.Text("IDS_STATUS_PORT"), {name, status.device, state});
}

}  // namespace kov
