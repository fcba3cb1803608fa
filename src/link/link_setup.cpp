#include "link/link_setup.h"

#include <algorithm>

#include "link/serial_comm.h"
#include "store/profile.h"

namespace kov {

int ChoosePort(const std::vector<PortEntry>& table, int configured) {
    int chosen = 0;
    for (const PortEntry& entry : table) {
        chosen = entry.number;
        if (entry.number == configured)
            break;
    }
    return chosen;
}

int LinkTimeoutOf(std::string_view text) {
    return std::clamp(DecimalValue(text), kMinLinkTimeout, kMaxLinkTimeout);
}

void ApplyLinkSettings(CSerialComm& link, const std::vector<PortEntry>& ports,
                       const LinkSettings& settings) {
    const std::size_t count = std::min(ports.size(), kPortTableSize);
    const std::vector<PortEntry> table(ports.begin(),
                                       ports.begin() + static_cast<std::ptrdiff_t>(count));
    link.portNumber = ChoosePort(table, settings.port);
    link.baudRate = kBaudRate;
    link.timeout = LinkTimeoutOf(settings.timeoutText);
}

}  // namespace kov
