// The shipped user manuals against the program's texts: the text of each PDF, as pdftotext
// extracts it, mentions every text of section [String] of its language file (every menu
// command, every message, every caption and title), so a manual that falls behind the
// program is caught, with a list of what it is missing.
//
// How a text counts as mentioned:
//  - white space is dropped on both sides, since the PDF breaks lines and pages anywhere
//    (and Chinese text has no spaces to keep);
//  - a message with placeholders ("%1 of 128 tasks could not be read ...") cannot appear
//    word for word, because the manual shows it without a number; it is matched by its
//    fixed parts, the pieces between the placeholders, each of which must appear;
//  - a message of several lines (written "\n" in the file) is matched line by line, as a
//    table cell of the manual may join the lines.

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "support/ini_file.h"
#include "support/subprocess.h"

namespace kov::test {
namespace {

namespace fs = std::filesystem;

fs::path DataDir() {
    return KOV_DATA_DIR;
}

// text without ASCII white space, no-break spaces (U+00A0) and ideographic spaces (U+3000).
std::string WithoutSpaces(const std::string& text) {
    static const std::regex spaces("[ \t\r\n\f\v]|\xC2\xA0|\xE3\x80\x80");
    return std::regex_replace(text, spaces, "");
}

// The pieces of a language text that must appear: split at line breaks ("\n" in the file)
// and at placeholders (%1, %2, ...), without spaces, empty pieces left out.
std::vector<std::string> FixedParts(const std::string& text) {
    static const std::regex separators(R"(\\n|%[0-9])");
    std::vector<std::string> parts;
    for (std::sregex_token_iterator it(text.begin(), text.end(), separators, -1), end; it != end;
         ++it) {
        std::string part = WithoutSpaces(*it);
        if (!part.empty())
            parts.push_back(std::move(part));
    }
    return parts;
}

TEST(ManualFixedParts, SplitAtLineBreaksAndPlaceholders) {
    EXPECT_EQ(FixedParts("Rows %1 were not sent."),
              (std::vector<std::string>{"Rows", "werenotsent."}));
    EXPECT_EQ(FixedParts(R"(The port could not be opened.\nCheck it.)"),
              (std::vector<std::string>{"Theportcouldnotbeopened.", "Checkit."}));
    EXPECT_EQ(FixedParts("%1"), std::vector<std::string>{});
    EXPECT_EQ(FixedParts("设备时钟与本机相差 %1 秒"),
              (std::vector<std::string>{"设备时钟与本机相差", "秒"}));
}

struct Manual {
    const char* languageFile;
    const char* pdf;
};

constexpr Manual kManuals[] = {
    {"English.ini", "KOV-Q730A User Manual.pdf"},
    {"Chinese.ini", "KOV-Q730A User Manual-chinese.pdf"},
};

void PrintTo(const Manual& manual, std::ostream* out) {
    *out << manual.pdf;
}

class ManualTextTest : public testing::TestWithParam<Manual> {};

TEST_P(ManualTextTest, MentionsEveryTextOfItsLanguageFile) {
    const fs::path pdf = DataDir() / GetParam().pdf;
    ASSERT_TRUE(fs::is_regular_file(pdf)) << pdf << " is missing (scripts/build-manuals.sh)";
    const RunResult extracted =
        test::Run("/usr/bin/pdftotext", {"-enc", "UTF-8", pdf.string(), "-"});
    ASSERT_EQ(extracted.exitCode, 0)
        << "pdftotext failed (poppler-utils, installed by scripts/deps.sh): " << extracted.err;
    const std::string manual = WithoutSpaces(extracted.out);

    const IniFile language = ReadIni(DataDir() / "Language" / GetParam().languageFile);
    const auto strings = language.sections.find("string");
    ASSERT_NE(strings, language.sections.end()) << GetParam().languageFile;
    std::string missing;
    for (const auto& [key, text] : strings->second) {
        for (const std::string& part : FixedParts(text)) {
            if (manual.find(part) == std::string::npos) {
                missing += "\n  " + key + ": " + part;
            }
        }
    }
    EXPECT_TRUE(missing.empty()) << GetParam().pdf << " does not mention these texts of "
                                 << GetParam().languageFile
                                 << " (key: text without spaces):" << missing;
}

INSTANTIATE_TEST_SUITE_P(Shipped, ManualTextTest, testing::ValuesIn(kManuals),
                         [](const testing::TestParamInfo<Manual>& info) {
                             return info.index == 0 ? "english" : "chinese";
                         });

}  // namespace
}  // namespace kov::test
