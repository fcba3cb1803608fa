#pragma once
// Choosing the port and time-out of the link at start-up.

#include <vector>

#include "platform/port_list.h"
#include "store/settings.h"

namespace kov {

class CSerialComm;

inline constexpr int kBaudRate = 9600;
inline constexpr std::size_t kPortTableSize = 14;

// Walks the table in order: an entry whose number equals configured is taken and ends
// the walk, any other entry's number is taken and the walk goes on. So without a match
// the last listed port is used, and an empty table gives 0.
int ChoosePort(const std::vector<PortEntry>& table, int configured);

// Applies the settings to the link: port by ChoosePort over the first 14 listed ports,
// baud 9600, time-out the decimal value of the time-out text.
void ApplyLinkSettings(CSerialComm& link, const std::vector<PortEntry>& ports,
                       const LinkSettings& settings);

// Port numbers the serial-port toggle accepts.
inline bool IsOpenablePortNumber(int port) {
    return port >= 1 && port <= 254;
}

}  // namespace kov
