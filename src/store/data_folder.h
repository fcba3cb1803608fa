#pragma once
// The folder of the program's writable files: chosen next to the executable or per user,
// and filled from the shipped files when it is the per-user one.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform/program_dir.h"

namespace kov {

// The shipped files a per-user folder gets its own copy of: the files the program
// rewrites or the operator configures (settings, card configuration, card defaults,
// state file, templates).
std::vector<std::string> CopiedFileNames();

// Creates folders.data when it is a per-user folder and copies into it each file of
// CopiedFileNames() that the shipped folder has and the per-user one lacks (an existing
// copy is never overwritten). Does nothing for a portable folder. False with a reason in
// error when the folder cannot be created or a file cannot be copied.
bool FillDataFolder(const ProgramFolders& folders, std::string& error);

// The folders for the program directory programDir, ready for use; nothing, with the
// reason in error, when the per-user folder is needed and cannot be found or filled.
std::optional<ProgramFolders> OpenProgramFolders(const std::filesystem::path& programDir,
                                                 std::string& error);

}  // namespace kov
