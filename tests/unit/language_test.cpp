#include "store/language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/system_language.h"
#include "store/embedded_defaults.h"
#include "store/settings.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

class LanguageTest : public testing::Test {
protected:
    void File(const std::string& name, const std::string& language, const std::string& strings) {
        dir.Write("Language/" + name,
                  "[Setting]\r\nLanguage=" + language + "\r\n[String]\r\n" + strings);
    }
    test::TempDir dir;
};

TEST_F(LanguageTest, WantedNameIsMatchedExactly) {
    File("a.ini", "English", "IDS_X=capital\r\n");
    File("b.ini", "english", "IDS_X=lower\r\n");
    Language language(dir.Path());
    EXPECT_EQ(language.Load("english"), "english");
    EXPECT_EQ(language.Text("IDS_X"), "lower");
    EXPECT_EQ(Settings(dir.Path()).ReadLanguageName(100, ""), "english");
}

TEST_F(LanguageTest, EmptyWantedNameTakesTheStoredOne) {
    File("zh.ini", "chinese", "IDS_X=中文\r\n");
    Settings(dir.Path()).WriteLanguageName("chinese");
    Language language(dir.Path());
    EXPECT_EQ(language.Load(""), "chinese");
    EXPECT_EQ(language.Text("IDS_X"), "中文");
}

TEST_F(LanguageTest, NamedTextsBreakLinesButCaptionsKeepTheBackslash) {
    File("en.ini", "english",
         "IDS_RESTART=first\\nsecond\r\nIDS_1020=a\\nb\r\nIDD130_Title=Port\r\n");
    Language language(dir.Path());
    language.Load("english");
    language.LoadNamedTexts();
    EXPECT_EQ(language.Named("IDS_RESTART"), "first\nsecond");
    EXPECT_EQ(language.ControlCaption(1020), "a\\nb");
    EXPECT_EQ(language.DialogTitle(130), "Port");
    EXPECT_EQ(language.Named("IDS_FIND_FILE"), "");  // missing key
    EXPECT_EQ(language.Named("IDS_NOT_A_NAMED_TEXT"), "");
}

TEST_F(LanguageTest, NoFolderWritesTheShippedFilesAndFindsTheWantedLanguage) {
    Language language(dir.Path());
    EXPECT_EQ(language.Load("chinese"), "chinese");
    EXPECT_EQ(language.CurrentFile().filename(), "Chinese.ini");
    EXPECT_EQ(dir.Read("Language/English.ini"), std::string(EmbeddedBytes(kDefaultEnglishId)));
    language.LoadNamedTexts();
    EXPECT_FALSE(language.Named("IDS_OPENCOM").empty());
}

TEST_F(LanguageTest, UnknownLanguageFallsBackToEnglishWithoutOverwritingFiles) {
    File("Chinese.ini", "chinese", "IDS_X=operator's own\r\n");
    Language language(dir.Path());
    EXPECT_EQ(language.Load("klingon"), "english");
    EXPECT_EQ(language.CurrentFile().filename(), "English.ini");
    EXPECT_NE(dir.Read("Language/Chinese.ini").find("operator's own"), std::string::npos);
    EXPECT_EQ(Settings(dir.Path()).ReadLanguageName(100, ""), "english");
}

TEST(SystemLanguage, LocaleNames) {
    const std::pair<const char*, const char*> cases[] = {{"en_US.UTF-8", "english"},
                                                         {"en", "english"},
                                                         {"zh_CN.UTF-8", "chinese"},
                                                         {"zh_SG", "chinese"},
                                                         {"zh_TW.UTF-8", ""},
                                                         {"de_DE.UTF-8", ""},
                                                         {"C", ""},
                                                         {"zh_Hans_CN", "chinese"},
                                                         {"", ""}};
    for (const auto& [locale, name] : cases)
        EXPECT_EQ(LanguageNameOfLocale(locale), name) << locale;
}

}  // namespace
}  // namespace kov

TEST(FillText, ReplacesNumberedPlaceholdersInOrder) {
    struct Case {
        const char* pattern;
        std::vector<std::string> args;
        const char* expected;
    };
    const Case cases[] = {
        {"Template %1 stored", {"4"}, "Template 4 stored"},
        {"%2 秒内发送了 %1 条命令", {"121", "12.6"}, "12.6 秒内发送了 121 条命令"},
        {"%1 of %2", {"3"}, "3 of %2"},  // a missing argument leaves its placeholder
        {"100% done, %1", {"ok"}, "100% done, ok"},
        {"ends with %", {}, "ends with %"},
        {"%1", {"%2"}, "%2"},  // an argument is not searched again
    };
    for (const Case& c : cases)
        EXPECT_EQ(kov::FillText(c.pattern, c.args), c.expected) << c.pattern;
}
