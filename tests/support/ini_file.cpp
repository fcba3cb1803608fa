#include "support/ini_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

namespace kov::test {

namespace {

std::string Lower(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

const std::string* IniFile::Find(std::string_view section, std::string_view key) const {
    const auto s = sections.find(Lower(section));
    if (s == sections.end())
        return nullptr;
    const auto k = s->second.find(Lower(key));
    return k == s->second.end() ? nullptr : &k->second;
}

IniFile ReadIni(const std::filesystem::path& path) {
    IniFile ini;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return ini;
    ini.opened = true;
    ini.raw.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());

    std::istringstream lines(ini.raw);
    std::string line;
    std::string section;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == ';')
            continue;
        if (trimmed.front() == '[') {
            const auto close = trimmed.find(']');
            section = Lower(Trim(
                trimmed.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            ini.sections[section];
            continue;
        }
        const auto eq = trimmed.find('=');
        if (eq == std::string::npos)
            continue;
        const std::string key = Lower(Trim(trimmed.substr(0, eq)));
        auto& entries = ini.sections[section];
        if (entries.count(key) != 0) {
            ++ini.duplicateKeys[section + "/" + key];
            continue;
        }
        entries.emplace(key, Trim(trimmed.substr(eq + 1)));
    }
    return ini;
}

}  // namespace kov::test
