#include "platform/port_list.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace kov {
namespace fs = std::filesystem;

std::string PortEntry::ShownName() const {
    return name + " (" + device + ")";
}

int ParseComName(const std::string& name) {
    if (name.size() < 4 || name.size() > 5)
        return 0;
    for (std::size_t i = 0; i < 3; ++i) {
        if (std::toupper(static_cast<unsigned char>(name[i])) != "COM"[i])
            return 0;
    }
    int n = 0;
    for (std::size_t i = 3; i < name.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(name[i])))
            return 0;
        n = n * 10 + (name[i] - '0');
    }
    return n >= 1 && n <= 99 ? n : 0;
}

namespace {

bool IsCharDevice(const fs::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISCHR(st.st_mode);
}

void Append(std::vector<PortEntry>& list, int number, std::string device) {
    const bool listed = std::any_of(list.begin(), list.end(),
                                    [number](const PortEntry& e) { return e.number == number; });
    if (!listed)
        list.push_back({"COM" + std::to_string(number), number, std::move(device)});
}

// ports/COM<n> links to character devices, in name order so the list is stable.
bool ScanPortLinks(const fs::path& programDir, std::vector<PortEntry>& list) {
    std::error_code ec;
    fs::directory_iterator it(programDir / "ports", ec);
    if (ec)
        return false;
    std::vector<std::pair<int, fs::path>> found;
    for (const auto& entry : it) {
        const int n = ParseComName(entry.path().filename().string());
        if (n == 0 || !entry.is_symlink(ec) || !IsCharDevice(entry.path()))
            continue;
        found.emplace_back(n, entry.path());
    }
    std::sort(found.begin(), found.end());
    for (auto& [n, path] : found)
        Append(list, n, path.string());
    return true;
}

// A ttyS device is a placeholder unless the kernel found a UART behind it: its "type"
// holds the port type, 0 (unknown) for placeholders.
bool HasUart(const fs::path& ttyDir) {
    std::ifstream in(ttyDir / "type");
    int type = 0;
    return static_cast<bool>(in >> type) && type != 0;
}

// Kernel serial devices with a driver behind them; plain pseudo consoles have none.
bool ScanKernelPorts(const fs::path& sysClassTty, std::vector<PortEntry>& list) {
    struct Family {
        const char* prefix;
        int offset;
        bool needsUart;
    };
    static constexpr Family kFamilies[] = {
        {"ttyS", 1, true}, {"ttyUSB", 33, false}, {"ttyACM", 65, false}};
    std::error_code ec;
    fs::directory_iterator it(sysClassTty, ec);
    if (ec)
        return false;
    std::vector<std::pair<int, std::string>> found;
    for (const auto& entry : it) {
        const std::string name = entry.path().filename().string();
        for (const Family& family : kFamilies) {
            const std::string prefix = family.prefix;
            if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
                continue;
            }
            const std::string digits = name.substr(prefix.size());
            if (!std::all_of(digits.begin(), digits.end(), ::isdigit) || digits.size() > 2)
                continue;
            const int k = std::stoi(digits);
            if (k >= 32 || !fs::exists(entry.path() / "device" / "driver", ec))
                continue;
            if (family.needsUart && !HasUart(entry.path()))
                continue;
            found.emplace_back(k + family.offset, "/dev/" + name);
        }
    }
    std::sort(found.begin(), found.end());
    for (auto& [n, device] : found)
        Append(list, n, device);
    return true;
}

}  // namespace

bool EnumerateComPorts(const fs::path& programDir, std::vector<PortEntry>& list,
                       const fs::path& sysClassTty) {
    list.clear();
    const bool links = ScanPortLinks(programDir, list);
    const bool kernel = ScanKernelPorts(sysClassTty, list);
    return links || kernel;
}

std::string PortDevicePath(const fs::path& programDir, int number) {
    std::vector<PortEntry> list;
    EnumerateComPorts(programDir, list);
    for (const PortEntry& e : list) {
        if (e.number == number)
            return e.device;
    }
    return {};
}

}  // namespace kov
