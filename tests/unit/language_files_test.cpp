// Checks the language files shipped in data/Language against the key lists of
// store/language_keys.h: both files provide every key with a non-empty text, they hold
// the same keys, they name their language exactly as the loader expects, and they keep
// the file layout the profile reader relies on (UTF-8 without byte-order mark, CR LF,
// values of at most 999 characters).

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "store/language_keys.h"

namespace {

namespace fs = std::filesystem;

// The shipped data in data/ at the repository top (an absolute path, unlike __FILE__ under a
// compiler cache that rewrites paths relative to the build folder).
fs::path LanguageDir() {
    return fs::path(KOV_DATA_DIR) / "Language";
}

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

std::string Join(const std::vector<std::string>& items) {
    std::string out;
    for (const std::string& item : items)
        out += (out.empty() ? "" : ", ") + item;
    return out;
}

// A profile file read the way the program reads it: section and key names compared
// without regard to case, the first entry of a key wins, lines starting with ';' and
// lines without '=' are ignored.
struct IniFile {
    std::string raw;                                                     // file bytes
    std::map<std::string, std::map<std::string, std::string>> sections;  // lower-case names
    std::map<std::string, int> duplicateKeys;  // "section/key" -> extra count
    bool opened = false;

    const std::string* Find(std::string_view section, std::string_view key) const {
        const auto s = sections.find(Lower(section));
        if (s == sections.end())
            return nullptr;
        const auto k = s->second.find(Lower(key));
        return k == s->second.end() ? nullptr : &k->second;
    }
};

IniFile ReadIni(const fs::path& path) {
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

// Every key the program reads from section [String].
std::vector<std::string> RequiredKeys() {
    std::vector<std::string> keys;
    for (std::string_view key : kov::kNamedTextKeys)
        keys.emplace_back(key);
    for (std::string_view key : kov::kExtraTextKeys)
        keys.emplace_back(key);
    for (std::string_view key : kov::kPortTextKeys)
        keys.emplace_back(key);
    for (std::string_view key : kov::kCaptionKeys)
        keys.emplace_back(key);
    for (const kov::MenuKey& menu : kov::kMenuKeys)
        keys.emplace_back(menu.key);
    for (const kov::RelabelledDialog& dialog : kov::kRelabelledDialogs) {
        keys.push_back("IDD" + std::to_string(dialog.id) + "_Title");
        for (int id : dialog.controlIds)
            keys.push_back("IDS_" + std::to_string(id));
    }
    std::sort(keys.begin(), keys.end());
    keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
    return keys;
}

struct LanguageFile {
    const char* fileName;
    const char* languageName;  // value of [Setting] Language, compared exactly
};

constexpr LanguageFile kLanguageFiles[] = {
    {"English.ini", "english"},
    {"Chinese.ini", "chinese"},
};

// Lets failure messages name the file instead of dumping the parameter's bytes.
void PrintTo(const LanguageFile& file, std::ostream* out) {
    *out << file.fileName;
}

std::string FileParamName(const testing::TestParamInfo<LanguageFile>& info) {
    return info.param.languageName;
}

class LanguageFileTest : public testing::TestWithParam<LanguageFile> {
protected:
    void SetUp() override {
        path_ = LanguageDir() / GetParam().fileName;
        ini_ = ReadIni(path_);
        ASSERT_TRUE(ini_.opened) << "cannot read " << path_;
    }

    fs::path path_;
    IniFile ini_;
};

TEST_P(LanguageFileTest, NamesItsLanguageExactly) {
    const std::string* name = ini_.Find("Setting", "Language");
    ASSERT_NE(name, nullptr) << path_;
    EXPECT_EQ(*name, GetParam().languageName) << path_;
}

TEST_P(LanguageFileTest, HasEveryKeyWithText) {
    for (const std::string& key : RequiredKeys()) {
        const std::string* text = ini_.Find("String", key);
        if (text == nullptr) {
            ADD_FAILURE() << path_.filename() << ": missing key " << key;
        } else {
            EXPECT_FALSE(text->empty()) << path_.filename() << ": empty text for " << key;
        }
    }
}

TEST_P(LanguageFileTest, CardNumberLabelsContainAColon) {
    // The card pages parse the card number back from the text after the first colon.
    for (std::string_view key : {"IDS_INPUTCARD", "IDS_OUTPUT"}) {
        const std::string* text = ini_.Find("String", key);
        ASSERT_NE(text, nullptr) << key;
        const bool colon = text->find(':') != std::string::npos ||
                           text->find("\xEF\xBC\x9A") != std::string::npos;  // U+FF1A
        EXPECT_TRUE(colon) << path_.filename() << ": " << key << " = \"" << *text << '"';
    }
}

TEST_P(LanguageFileTest, KeepsTheProfileLayout) {
    const std::string& raw = ini_.raw;
    ASSERT_FALSE(raw.empty());
    EXPECT_NE(raw.rfind("\xEF\xBB\xBF", 0), 0u) << "UTF-8 files carry no byte-order mark";
    EXPECT_EQ(raw.back(), '\n') << "the last line ends with CR LF";
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\n') {
            ASSERT_TRUE(i > 0 && raw[i - 1] == '\r') << "bare LF at byte " << i;
        } else if (raw[i] == '\r') {
            ASSERT_TRUE(i + 1 < raw.size() && raw[i + 1] == '\n') << "bare CR at byte " << i;
        }
    }
    std::vector<std::string> duplicates;
    for (const auto& entry : ini_.duplicateKeys)
        duplicates.push_back(entry.first);
    EXPECT_TRUE(duplicates.empty()) << "keys given more than once: " << Join(duplicates);
    const auto strings = ini_.sections.find("string");
    ASSERT_NE(strings, ini_.sections.end());
    for (const auto& [key, text] : strings->second) {
        // The program reads each text into a buffer of 1000 characters.
        EXPECT_LE(text.size(), 999u) << key;
    }
}

INSTANTIATE_TEST_SUITE_P(Shipped, LanguageFileTest, testing::ValuesIn(kLanguageFiles),
                         FileParamName);

std::set<std::string> StringKeys(const IniFile& ini) {
    std::set<std::string> keys;
    const auto strings = ini.sections.find("string");
    if (strings == ini.sections.end())
        return keys;
    for (const auto& entry : strings->second)
        keys.insert(entry.first);
    return keys;
}

TEST(LanguageFiles, HoldTheSameKeys) {
    const IniFile english = ReadIni(LanguageDir() / "English.ini");
    const IniFile chinese = ReadIni(LanguageDir() / "Chinese.ini");
    ASSERT_TRUE(english.opened && chinese.opened);
    const std::set<std::string> englishKeys = StringKeys(english);
    const std::set<std::string> chineseKeys = StringKeys(chinese);

    std::vector<std::string> onlyEnglish;
    std::vector<std::string> onlyChinese;
    std::set_difference(englishKeys.begin(), englishKeys.end(), chineseKeys.begin(),
                        chineseKeys.end(), std::back_inserter(onlyEnglish));
    std::set_difference(chineseKeys.begin(), chineseKeys.end(), englishKeys.begin(),
                        englishKeys.end(), std::back_inserter(onlyChinese));
    EXPECT_TRUE(onlyEnglish.empty()) << "only in English.ini: " << Join(onlyEnglish);
    EXPECT_TRUE(onlyChinese.empty()) << "only in Chinese.ini: " << Join(onlyChinese);
}

// The key tables themselves: sizes and the command ids of the menu.
struct MenuIdCase {
    const char* key;
    int commandId;
};

constexpr MenuIdCase kMenuIdCases[] = {
    {"IDS_FILE", 0},
    {"IDS_FILE_NEW", 32774},
    {"IDS_OPEN_MODE7", 32784},
    {"IDS_OPEN_MODE8", 32804},
    {"IDS_OPEN_MODE15", 32811},
    {"IDS_SAVE_MODE5", 32789},
    {"IDS_SAVE_MODE6", 32812},
    {"IDS_SAVE_MODE15", 32821},
    {"IDS_CONFIG_CARD", 32824},
    {"IDS_FUNCTION_RESTINTBUS", 32825},
    {"IDS_SCHEDULE_ONLINE", 0},
    {"IDS_SCHEDULE_OFFLINE", 32797},
    {"IDS_HELP_HELP", 32803},
};

TEST(LanguageKeys, MenuKeysCarryTheirCommandIds) {
    for (const MenuIdCase& expected : kMenuIdCases) {
        const auto found =
            std::find_if(kov::kMenuKeys.begin(), kov::kMenuKeys.end(),
                         [&](const kov::MenuKey& m) { return m.key == expected.key; });
        ASSERT_NE(found, kov::kMenuKeys.end()) << expected.key;
        EXPECT_EQ(found->commandId, expected.commandId) << expected.key;
    }
}

TEST(LanguageKeys, DialogTablesHaveTheirSizes) {
    const std::map<int, std::size_t> expected = {
        {102, 95}, {130, 8}, {164, 32}, {134, 3},  {158, 3}, {135, 3},
        {157, 3},  {155, 3}, {159, 31}, {160, 23}, {161, 6},
    };
    ASSERT_EQ(kov::kRelabelledDialogs.size(), expected.size());
    for (const kov::RelabelledDialog& dialog : kov::kRelabelledDialogs) {
        const auto it = expected.find(dialog.id);
        ASSERT_NE(it, expected.end()) << dialog.id;
        EXPECT_EQ(dialog.controlIds.size(), it->second) << "dialog " << dialog.id;
    }
}

}  // namespace
