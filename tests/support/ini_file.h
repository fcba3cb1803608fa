#pragma once
// A profile file read the way the program reads it, for tests that look at the shipped
// files: section and key names compared without regard to case, the first entry of a key
// wins, lines starting with ';' and lines without '=' are ignored.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace kov::test {

struct IniFile {
    std::string raw;                                                     // file bytes
    std::map<std::string, std::map<std::string, std::string>> sections;  // lower-case names
    std::map<std::string, int> duplicateKeys;  // "section/key" -> extra count
    bool opened = false;

    // The value of key in section, or null when either is missing.
    const std::string* Find(std::string_view section, std::string_view key) const;
};

IniFile ReadIni(const std::filesystem::path& path);

}  // namespace kov::test
