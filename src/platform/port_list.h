#pragma once
// The serial ports the system offers, numbered as COM ports.

#include <filesystem>
#include <string>
#include <vector>

namespace kov {

struct PortEntry {
    std::string name;    // "COM3"
    int number = 0;      // 3
    std::string device;  // what the name leads to: "/dev/ttyUSB0" or the ports/ link

    // "COM3 (/dev/ttyS2)", the name a list shows.
    std::string ShownName() const;
};

// Fills list with the ports of programDir/ports/ (entries COM<n> that are links to
// character devices) and then the kernel's serial devices under sysClassTty
// (ttyS<k> = COM<k+1>, ttyUSB<k> = COM<k+33>, ttyACM<k> = COM<k+65>); a number
// already listed is skipped. A ttyS device counts only when its "type" names a UART
// (not 0, unknown): most PCs register placeholders without one. False, with the list empty, when
// neither source can be read.
bool EnumerateComPorts(const std::filesystem::path& programDir, std::vector<PortEntry>& list,
                       const std::filesystem::path& sysClassTty = "/sys/class/tty");

// "COM<n>" in any letter case with n from 1 to 99: n; otherwise 0.
int ParseComName(const std::string& name);

// The device path of port number n, or empty when no such port is listed.
std::string PortDevicePath(const std::filesystem::path& programDir, int number);

}  // namespace kov
