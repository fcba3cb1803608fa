#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kov {

// The bytes of a file, or nothing when it cannot be read.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// Writes bytes to a temporary file in the same folder, flushes it to disk and renames it
// over path, so path holds either its old or its new complete content. False on failure,
// with path untouched.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// True when path can be opened for reading.
bool IsReadable(const std::filesystem::path& path);

}  // namespace kov
