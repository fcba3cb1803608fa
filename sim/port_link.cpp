#include "port_link.h"

#include <unistd.h>

#include <filesystem>

namespace kov::sim {

namespace fs = std::filesystem;

std::string PortLinkPath(const std::string& dir, int port) {
    return (fs::path(dir) / "ports" / ("COM" + std::to_string(port))).string();
}

bool CreatePortLink(const std::string& linkPath, const std::string& target, std::string& error) {
    const fs::path link(linkPath);
    std::error_code code;
    fs::create_directories(link.parent_path(), code);
    if (code) {
        error = "cannot create " + link.parent_path().string() + ": " + code.message();
        return false;
    }
    // A fresh link under a private name, renamed over the old one.
    const fs::path fresh =
        link.parent_path() / ("." + link.filename().string() + "." + std::to_string(getpid()));
    fs::remove(fresh, code);
    fs::create_symlink(target, fresh, code);
    if (!code)
        fs::rename(fresh, link, code);
    if (code) {
        error = "cannot link " + linkPath + " to " + target + ": " + code.message();
        fs::remove(fresh, code);
        return false;
    }
    return true;
}

void RemovePortLink(const std::string& linkPath, const std::string& target) {
    std::error_code code;
    if (fs::read_symlink(linkPath, code) == fs::path(target) && !code)
        fs::remove(linkPath, code);
}

}  // namespace kov::sim
