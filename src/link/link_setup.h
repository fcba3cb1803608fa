#pragma once
// Choosing the port and time-out of the link at start-up.

#include <string_view>
#include <vector>

#include "platform/port_list.h"
#include "store/settings.h"

namespace kov {

class CSerialComm;

inline constexpr int kBaudRate = 9600;

// The time-out setting scales every wait of the port (T x 700 ms per read); outside this
// range a read would give up at once or wait for minutes.
inline constexpr int kMinLinkTimeout = 1;
inline constexpr int kMaxLinkTimeout = 30;

// The time-out setting of a text from the settings file or the communication dialog: its
// decimal value, brought into kMinLinkTimeout..kMaxLinkTimeout.
int LinkTimeoutOf(std::string_view text);
inline constexpr std::size_t kPortTableSize = 14;

// Walks the table in order: an entry whose number equals configured is taken and ends
// the walk, any other entry's number is taken and the walk goes on. So without a match
// the last listed port is used, and an empty table gives 0.
int ChoosePort(const std::vector<PortEntry>& table, int configured);

// Applies the settings to the link: port by ChoosePort over the first 14 listed ports,
// baud 9600, time-out the time-out text brought into range (LinkTimeoutOf).
void ApplyLinkSettings(CSerialComm& link, const std::vector<PortEntry>& ports,
                       const LinkSettings& settings);

// Port numbers the serial-port toggle accepts.
inline bool IsOpenablePortNumber(int port) {
    return port >= 1 && port <= 254;
}

}  // namespace kov
