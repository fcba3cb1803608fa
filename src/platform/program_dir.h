#pragma once
// The directory of the program's shipped files (the one holding the executable) and the
// directory its writable files go to.

#include <filesystem>

namespace kov {

// The directory of /proc/self/exe; the current directory when that cannot be read.
std::filesystem::path ProgramDirectory();

// The two folders a run works with. For a portable program directory that can be
// written both are that directory.
struct ProgramFolders {
    // Executables, manuals, pictures and the shipped language files.
    std::filesystem::path shipped;
    // Settings, state file, card configuration, templates, command log, ports/.
    std::filesystem::path data;

    bool PerUser() const { return data != shipped; }
};

// The package puts this file into the program directory it installs. Such a directory is
// never written, not even by root, so the package manager keeps owning every file in it.
inline constexpr const char* kInstalledMarkerName = "kov-q730.installed";

// $XDG_DATA_HOME/KOV-Q730 when XDG_DATA_HOME is an absolute path, else
// $HOME/.local/share/KOV-Q730; empty when there is no home either. Both may be null.
std::filesystem::path PerUserDataDirectory(const char* xdgDataHome, const char* home);
// The same from this process's environment; the account's home directory stands in for
// an unset HOME.
std::filesystem::path PerUserDataDirectory();

// True when this process may create files in dir (judged with its effective IDs; false
// on a read-only file system).
bool IsWritableDirectory(const std::filesystem::path& dir);

using WritableCheck = bool (*)(const std::filesystem::path&);

// Both folders are programDir when it can be written and was not installed by the
// package, or when it is no directory at all (the tools report or create it as before);
// otherwise the writable files go to perUserDir, which is empty when there is none.
ProgramFolders ChooseProgramFolders(const std::filesystem::path& programDir,
                                    const std::filesystem::path& perUserDir,
                                    WritableCheck writable = IsWritableDirectory);

}  // namespace kov
