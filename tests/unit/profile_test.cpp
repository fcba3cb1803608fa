#include "store/profile.h"

#include <gtest/gtest.h>

#include "store/settings.h"
#include "store/text_codec.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

class ProfileTest : public testing::Test {
protected:
    test::TempDir dir;
};

TEST_F(ProfileTest, NamesAreFoundInAnyLetterCase) {
    const auto file = dir.Write("a.ini", "[Card Slot 1]\r\nCard ID=129\r\n[com]\r\nPORT = 7 \r\n");
    EXPECT_EQ(ReadProfileString(file, "card slot 1", "card id", "", 10), "129");
    EXPECT_EQ(ReadProfileString(file, "COM", "port", "", 10), "7");
    EXPECT_EQ(ReadProfileString(file, "COM", "missing", "dflt", 10), "dflt");
    EXPECT_EQ(ReadProfileString(dir / "none.ini", "COM", "port", "dflt", 10), "dflt");
}

TEST_F(ProfileTest, BufferOfNGivesAtMostNMinusOneCharacters) {
    const auto file = dir.Write("a.ini", "[S]\nk=10000\nzh=标准模式\nname=ab cd\n");
    EXPECT_EQ(ReadProfileString(file, "S", "k", "", 5), "1000");
    EXPECT_EQ(ReadProfileString(file, "S", "zh", "", 3), "标准");
    // Cut after the blank, the value still does not end in one: written back and read
    // again it is the same.
    EXPECT_EQ(ReadProfileString(file, "S", "name", "", 4), "ab");
    EXPECT_EQ(ReadProfileInt(file, "S", "k", 5), 1000);
}

struct DecimalCase {
    const char* text;
    int value;
};

class Decimal : public testing::TestWithParam<DecimalCase> {};

TEST_P(Decimal, ConvertsLikeTheDeviceSoftwareDoes) {
    EXPECT_EQ(DecimalValue(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Texts, Decimal,
                         testing::Values(DecimalCase{"", 0}, DecimalCase{"abc", 0},
                                         DecimalCase{"  42", 42}, DecimalCase{"-17", -17},
                                         DecimalCase{"+5", 5}, DecimalCase{"1920x", 1920},
                                         DecimalCase{"--1", 0},
                                         DecimalCase{"99999999999", 2147483647},
                                         DecimalCase{"-99999999999", -2147483647 - 1}));

TEST_F(ProfileTest, WritingReplacesAddsAndCreates) {
    const auto file = dir / "new.ini";
    ASSERT_TRUE(WriteProfileString(file, "COM", "port", "3"));
    ASSERT_TRUE(WriteProfileString(file, "com", "TIMEOUT", "1"));
    ASSERT_TRUE(WriteProfileString(file, "Com", "Port", "5"));
    ASSERT_TRUE(WriteProfileString(file, "Restart", "normal", "1"));
    EXPECT_EQ(dir.Read("new.ini"), "[COM]\r\nport=5\r\nTIMEOUT=1\r\n[Restart]\r\nnormal=1\r\n");
}

TEST_F(ProfileTest, KeyIsAddedToItsSectionNotToTheEndOfTheFile) {
    const auto file = dir.Write("a.ini", "; comment\r\n[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");
    ASSERT_TRUE(WriteProfileString(file, "A", "z", "3"));
    EXPECT_EQ(dir.Read("a.ini"), "; comment\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
}

TEST_F(ProfileTest, Utf16FileStaysUtf16) {
    const std::string original =
        std::string(kUtf16Bom) + Utf8ToUtf16Le("[Setting]\r\nLanguage=chinese\r\n");
    const auto file = dir.Write("u.ini", original);
    EXPECT_EQ(ReadProfileString(file, "setting", "language", "", 100), "chinese");
    ASSERT_TRUE(WriteProfileString(file, "Setting", "Language", "中文"));
    EXPECT_EQ(dir.Read("u.ini"),
              std::string(kUtf16Bom) + Utf8ToUtf16Le("[Setting]\r\nLanguage=中文\r\n"));
}

TEST_F(ProfileTest, UnwritableFileReportsFalseAndKeepsNothingHalfWritten) {
    EXPECT_FALSE(WriteProfileString(dir / "no" / "such" / "dir.ini", "A", "b", "c"));
}

TEST_F(ProfileTest, SettingsRoundTripAndFiveDigitTimeoutReadsAsFour) {
    Settings settings(dir.Path());
    ASSERT_TRUE(settings.WriteLinkSettings(12, "12345"));
    ASSERT_TRUE(settings.WriteExitMarker(1));
    ASSERT_TRUE(settings.WriteLanguageName("chinese"));
    const LinkSettings link = settings.ReadLinkSettings();
    EXPECT_EQ(link.port, 12);
    EXPECT_EQ(link.timeoutText, "1234");
    EXPECT_EQ(settings.ReadExitMarker(), 1);
    EXPECT_EQ(settings.ReadLanguageName(1000, "English"), "chinese");
    EXPECT_NE(dir.Read("normalStart.ini").find("timeout=12345"), std::string::npos);
}

TEST_F(ProfileTest, MissingSettingsGiveDefaultsAndEnsureExistsWritesTheEmbeddedFile) {
    Settings settings(dir.Path());
    EXPECT_EQ(settings.ReadLinkSettings().port, 0);
    EXPECT_EQ(settings.ReadLinkSettings().timeoutText, "");
    EXPECT_EQ(settings.ReadExitMarker(), 0);
    EXPECT_EQ(settings.ReadLanguageName(100, "English"), "English");
    settings.EnsureExists();
    EXPECT_EQ(settings.ReadExitMarker(), 1);
    EXPECT_GT(settings.ReadLinkSettings().port, 0);
}

}  // namespace
}  // namespace kov
