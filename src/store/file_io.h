#pragma once
// Whole-file reads and crash-safe whole-file writes.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace kov {

// No file the program reads comes near this size (a full project file is about 17 kB);
// anything larger is refused rather than read into memory.
inline constexpr std::uintmax_t kMaxReadBytes = 64u << 20;

// The bytes of a regular file (symbolic links followed), or nothing when it cannot be
// read: missing, not a regular file (a folder, a device, a pipe), larger than
// kMaxReadBytes, or a read that fails part way.
std::optional<std::string> ReadWholeFile(const std::filesystem::path& path);

// How the finished temporary file replaces the old one; std::rename unless a test
// simulates a crash at that moment.
using RenameFunction = int (*)(const char* from, const char* to);

// Writes bytes to a temporary file in the same folder, flushes it to disk and renames it
// over path, so path holds either its old or its new complete content. A symbolic link
// is written through: its final target is replaced, in the target's folder, and the link
// stays. A target that exists but is not a regular file is refused. Temporary files that
// an earlier, interrupted write of the same file left behind are removed first. False on
// failure, with path untouched and no temporary file left behind.
bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                         RenameFunction rename = std::rename);

// The file a write of path replaces: path itself, or the final target of the symbolic
// links it names. Nothing when the links loop or the target is not a regular file.
std::optional<std::filesystem::path> WriteTarget(const std::filesystem::path& path);

// True when the name could be one of WriteFileAtomically's temporary files for target.
bool IsTemporaryNameOf(const std::string& name, const std::string& targetName);

// True when ReadWholeFile can read path.
bool IsReadable(const std::filesystem::path& path);

}  // namespace kov
