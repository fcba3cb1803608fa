#pragma once
// Profile (INI) files: sections of key=value lines, names compared without regard to
// case. A file that starts with the UTF-16LE byte-order mark is read and written as
// UTF-16LE; any other file is 8-bit (UTF-8) text, and new files are created that way.

#include <filesystem>
#include <string>
#include <string_view>

namespace kov {

// True when a and b are equal apart from letter case, the way section and key names
// compare.
bool SameName(std::string_view a, std::string_view b);

// The value of key in section, cut to bufferChars - 1 characters; def when the
// section, the key or the file is missing.
std::string ReadProfileString(const std::filesystem::path& path, std::string_view section,
                              std::string_view key, std::string_view def, std::size_t bufferChars);

// Replaces the value of key in section, adding the section or the key when missing and
// creating the file when it does not exist. False when the file cannot be written.
bool WriteProfileString(const std::filesystem::path& path, std::string_view section,
                        std::string_view key, std::string_view value);

// Decimal conversion of a profile value: leading blanks and one sign allowed, stops at the
// first non-digit; empty or non-numeric text gives 0.
int DecimalValue(std::string_view text);

// Reads key as a number through a buffer of bufferChars characters.
int ReadProfileInt(const std::filesystem::path& path, std::string_view section,
                   std::string_view key, std::size_t bufferChars);

bool WriteProfileInt(const std::filesystem::path& path, std::string_view section,
                     std::string_view key, long long value);

// Cuts UTF-8 text to at most maxChars characters.
std::string CutToChars(std::string_view text, std::size_t maxChars);

}  // namespace kov
