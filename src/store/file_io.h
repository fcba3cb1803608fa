#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kov {

// The bytes of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// How the finished temporary file replaces the old one; std::rename unless a test
// simulates a crash at that moment.
using RenameFunction = int (*)(const char* from, const char* to);

// Writes bytes to a temporary file in the same folder, flushes it to disk and renames it
// over path, so path holds either its old or its new complete content. False on failure,
// with path untouched and no temporary file left behind.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         RenameFunction rename = std::rename);

// True when path can be opened for reading.
bool IsReadable(const std::filesystem::path& path);

}  // namespace kov
