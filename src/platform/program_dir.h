#pragma once
// The directory every file of the program lives in: the one holding the executable.

#include <filesystem>

namespace kov {

// The directory of /proc/self/exe; the current directory when that cannot be read.
std::filesystem::path ProgramDirectory();

}  // namespace kov
