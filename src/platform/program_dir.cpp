#include "platform/program_dir.h"

#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

namespace kov {

namespace fs = std::filesystem;

namespace {

constexpr const char* kPerUserFolderName = "KOV-Q730";

// The home directory of the account this process runs as, from the password database.
std::string AccountHome() {
    long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir)
        return {};
    return found->pw_dir;
}

}  // namespace

fs::path ProgramDirectory() {
    std::error_code ec;
    const auto exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return fs::current_path(ec);
    return exe.parent_path();
}

fs::path PerUserDataDirectory(const char* xdgDataHome, const char* home) {
    // Relative values are invalid and to be ignored, as the XDG base directories say.
    if (xdgDataHome && xdgDataHome[0] == '/')
        return fs::path(xdgDataHome) / kPerUserFolderName;
    if (home && home[0] == '/')
        return fs::path(home) / ".local" / "share" / kPerUserFolderName;
    return {};
}

fs::path PerUserDataDirectory() {
    const char* home = std::getenv("HOME");
    const std::string account = home && home[0] ? std::string() : AccountHome();
    return PerUserDataDirectory(std::getenv("XDG_DATA_HOME"),
                                home && home[0] ? home : account.c_str());
}

bool IsWritableDirectory(const fs::path& dir) {
    return ::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

ProgramFolders ChooseProgramFolders(const fs::path& programDir, const fs::path& perUserDir,
                                    WritableCheck writable) {
    std::error_code ec;
    if (!fs::is_directory(programDir, ec))
        return {programDir, programDir};
    const bool installed = fs::exists(programDir / kInstalledMarkerName, ec);
    if (!installed && writable(programDir))
        return {programDir, programDir};
    return {programDir, perUserDir};
}

}  // namespace kov
