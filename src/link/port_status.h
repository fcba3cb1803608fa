#pragma once
// What the status area says about the serial port: which port the link uses, where it
// leads, whether it is the one the settings asked for, and its state.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/port_list.h"

namespace kov {

class Language;

enum class PortState { kOpen, kClosed, kFailed, kGone };

struct PortStatus {
    int configured = 0;  // the port number of the settings (0: none asked for)
    int number = 0;      // the port number the link uses (0: no port at all)
    std::string device;  // where that port leads, as it is shown ("ports/COM7", "/dev/ttyS0")
    PortState state = PortState::kClosed;
    std::string reason;  // why the last open failed (kFailed)
};

// The status of the link's port among the listed ports. A device inside programDir is
// shown relative to it, so a ports/ link reads "ports/COM7".
PortStatus DescribePort(const std::vector<PortEntry>& ports,
                        const std::filesystem::path& programDir, int configured, int number);

// True when the configured port was not listed and the link took another one instead.
bool IsFallbackPort(const PortStatus& status);

// "COM7 — ports/COM7: open", or "COM7 not found; using COM1 /dev/ttyS0: open" after a
// fall-back, in the current language.
std::string PortStatusLine(const PortStatus& status, const Language& language);

}  // namespace kov
