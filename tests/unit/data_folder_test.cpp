// Where the writable files go: next to the executable when that directory can be
// written, else in the per-user folder, which is filled from the shipped files.

#include "store/data_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <optional>

#include "store/file_io.h"
#include "store/language.h"
#include "store/settings.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

bool Writable(const fs::path&) {
    return true;
}
bool ReadOnly(const fs::path&) {
    return false;
}

TEST(PerUserDataDirectory, FollowsTheXdgRules) {
    struct Case {
        const char* xdgDataHome;
        const char* home;
        const char* expected;
    };
    const Case cases[] = {
        {"/data", "/home/op", "/data/KOV-Q730"},
        {nullptr, "/home/op", "/home/op/.local/share/KOV-Q730"},
        {"", "/home/op", "/home/op/.local/share/KOV-Q730"},
        {"relative/data", "/home/op", "/home/op/.local/share/KOV-Q730"},  // invalid: ignored
        {nullptr, nullptr, ""},
        {nullptr, "", ""},
        {nullptr, "relative", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PerUserDataDirectory(c.xdgDataHome, c.home), fs::path(c.expected))
            << (c.xdgDataHome ? c.xdgDataHome : "(unset)") << " / "
            << (c.home ? c.home : "(unset)");
    }
}

class ChooseFoldersTest : public testing::Test {
protected:
    test::TempDir program;
    const fs::path perUser = "/home/op/.local/share/KOV-Q730";
};

TEST_F(ChooseFoldersTest, WritableProgramDirectoryIsUsedAsItIs) {
    const ProgramFolders folders = ChooseProgramFolders(program.Path(), perUser, Writable);
    EXPECT_EQ(folders.shipped, program.Path());
    EXPECT_EQ(folders.data, program.Path());
    EXPECT_FALSE(folders.PerUser());
}

TEST_F(ChooseFoldersTest, ReadOnlyProgramDirectoryKeepsItsFilesPerUser) {
    const ProgramFolders folders = ChooseProgramFolders(program.Path(), perUser, ReadOnly);
    EXPECT_EQ(folders.shipped, program.Path());
    EXPECT_EQ(folders.data, perUser);
    EXPECT_TRUE(folders.PerUser());
}

TEST_F(ChooseFoldersTest, InstalledProgramDirectoryIsNeverWrittenEvenWhenItCouldBe) {
    program.Write(kInstalledMarkerName, "installed\n");
    EXPECT_EQ(ChooseProgramFolders(program.Path(), perUser, Writable).data, perUser);
}

TEST_F(ChooseFoldersTest, MissingDirectoryIsLeftToTheCallerAsBefore) {
    const fs::path missing = program / "no-such-dir";
    EXPECT_EQ(ChooseProgramFolders(missing, perUser, ReadOnly).data, missing);
}

TEST_F(ChooseFoldersTest, ReadOnlyWithoutAHomeLeavesNoDataFolder) {
    EXPECT_TRUE(ChooseProgramFolders(program.Path(), {}, ReadOnly).data.empty());
}

// The real check, on a directory without write permission, as an unprivileged user.
TEST(IsWritableDirectory, SeesPermissionsOfTheProcess) {
    test::TempDir dir;
    fs::create_directory(dir / "open");
    fs::create_directory(dir / "closed");
    fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::group_exec |
                                    fs::perms::group_read | fs::perms::others_exec |
                                    fs::perms::others_read);
    fs::permissions(dir / "open", fs::perms::all);
    fs::permissions(dir / "closed", fs::perms::owner_read | fs::perms::owner_exec |
                                        fs::perms::group_read | fs::perms::group_exec |
                                        fs::perms::others_read | fs::perms::others_exec);
    auto check = [&] {
        return (IsWritableDirectory(dir / "open") ? 1 : 0) |
               (IsWritableDirectory(dir / "closed") ? 2 : 0) |
               (IsWritableDirectory(dir / "missing") ? 4 : 0);
    };
    const int result = test::RunUnprivileged(check);
    if (result == test::kNoUnprivilegedUser)
        GTEST_SKIP() << "cannot become an unprivileged user to test permissions";
    EXPECT_EQ(result, 1) << "bit 1: open writable, 2: closed writable, 4: missing writable";
}

class FillDataFolderTest : public testing::Test {
protected:
    void SetUp() override {
        shipped.Write(kSettingsFileName, "[COM]\r\nport=3\r\n");
        shipped.Write("Board Config.ini", "[Slot]\r\n");
        shipped.Write("InitInfo.ini", "[Input]\r\n");
        shipped.Write("Mode3.ini", "template 3");
        shipped.Write("pinjie.bmp", "BM");
        shipped.Write("KOV-Q730A User Manual.pdf", "%PDF");
        shipped.Write("Language/English.ini", "[Setting]\r\nLanguage=english\r\n");
        for (const auto& entry : fs::recursive_directory_iterator(shipped.Path()))
            if (entry.is_regular_file())
                fs::permissions(entry.path(), fs::perms::owner_read | fs::perms::group_read |
                                                  fs::perms::others_read);
    }

    ProgramFolders Folders() const { return {shipped.Path(), user / "share" / "KOV-Q730"}; }

    test::TempDir shipped;
    test::TempDir user;
};

TEST_F(FillDataFolderTest, FirstUseCopiesTheConfigurationFilesOnly) {
    std::string error;
    ASSERT_TRUE(FillDataFolder(Folders(), error)) << error;
    const fs::path data = Folders().data;
    for (const char* name : {kSettingsFileName, "Board Config.ini", "InitInfo.ini", "Mode3.ini"}) {
        EXPECT_EQ(*ReadWholeFile(data / name), *ReadWholeFile(shipped / name)) << name;
        // The shipped file was read-only; the copy is the operator's to change.
        EXPECT_EQ(::access((data / name).c_str(), W_OK), 0) << name;
    }
    // Read-only shipped files stay where they were installed.
    for (const char* name : {"pinjie.bmp", "KOV-Q730A User Manual.pdf", "Language", "Mode1.ini"})
        EXPECT_FALSE(fs::exists(data / name)) << name;
}

TEST_F(FillDataFolderTest, CopiesNeverOverwriteTheOperatorsFilesAndComeBackWhenDeleted) {
    std::string error;
    ASSERT_TRUE(FillDataFolder(Folders(), error));
    const fs::path data = Folders().data;
    Settings(data).WriteLinkSettings(9, "2");
    fs::remove(data / "Board Config.ini");
    ASSERT_TRUE(FillDataFolder(Folders(), error));
    EXPECT_EQ(Settings(data).ReadLinkSettings().port, 9);
    EXPECT_TRUE(fs::exists(data / "Board Config.ini"));
}

TEST_F(FillDataFolderTest, PortableFolderIsLeftAlone) {
    std::string error;
    const fs::path before = shipped.Path();
    EXPECT_TRUE(FillDataFolder({before, before}, error));
    EXPECT_FALSE(fs::exists(before / "share"));
}

TEST_F(FillDataFolderTest, FolderThatCannotBeCreatedIsReported) {
    user.Write("share", "a file where the folder should be");
    std::string error;
    EXPECT_FALSE(FillDataFolder(Folders(), error));
    EXPECT_NE(error.find((user / "share").string()), std::string::npos) << error;
}

// Sets an environment variable for the test's duration.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name))
            old_ = old;
        value ? ::setenv(name, value, 1) : ::unsetenv(name);
    }
    ~ScopedEnv() { old_ ? ::setenv(name_, old_->c_str(), 1) : ::unsetenv(name_); }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST_F(FillDataFolderTest, InstalledProgramOpensTheFilledFolderOfTheUser) {
    shipped.Write(kInstalledMarkerName, "installed\n");
    const ScopedEnv home("HOME", user.Path().c_str());
    const ScopedEnv xdg("XDG_DATA_HOME", nullptr);
    std::string error;
    const std::optional<ProgramFolders> folders = OpenProgramFolders(shipped.Path(), error);
    ASSERT_TRUE(folders) << error;
    EXPECT_EQ(folders->shipped, shipped.Path());
    EXPECT_EQ(folders->data, user / ".local" / "share" / "KOV-Q730");
    EXPECT_TRUE(fs::exists(folders->data / kSettingsFileName));
}

// Language files: an edited copy in the per-user folder wins over the shipped one.
TEST_F(FillDataFolderTest, LanguageFilesComeFromTheShippedFolderUnlessEditedCopiesExist) {
    shipped.Write("Language/Chinese.ini",
                  "[Setting]\r\nLanguage=chinese\r\n[String]\r\nIDS_X=中\r\n");
    std::string error;
    ASSERT_TRUE(FillDataFolder(Folders(), error));
    const fs::path data = Folders().data;
    {
        Language language(Folders());
        EXPECT_EQ(language.Load("chinese"), "chinese");
        EXPECT_EQ(language.CurrentFile(), shipped / "Language" / "Chinese.ini");
        EXPECT_EQ(language.Text("IDS_X"), "中");
        // The name chosen is kept in the operator's settings, not the shipped ones.
        EXPECT_EQ(Settings(data).ReadLanguageName(100, ""), "chinese");
        EXPECT_EQ(Settings(shipped.Path()).ReadLanguageName(100, ""), "");
    }
    fs::create_directories(data / "Language");
    const fs::path copy = data / "Language" / "Chinese.ini";
    const std::string edited = "[Setting]\r\nLanguage=chinese\r\n[String]\r\nIDS_X=改\r\n";
    ASSERT_TRUE(WriteFileAtomically(copy, edited));
    Language language(Folders());
    language.Load("chinese");
    EXPECT_EQ(language.CurrentFile(), copy);
    EXPECT_EQ(language.Text("IDS_X"), "改");
}

TEST_F(FillDataFolderTest, UnknownLanguageWritesBackOnlyFilesNeitherFolderHas) {
    std::string error;
    ASSERT_TRUE(FillDataFolder(Folders(), error));
    const fs::path data = Folders().data;
    Language language(Folders());
    EXPECT_EQ(language.Load("klingon"), "english");
    // English.ini is shipped; only the missing Chinese file is written back, per user.
    EXPECT_FALSE(fs::exists(data / "Language" / "English.ini"));
    EXPECT_TRUE(fs::exists(data / "Language" / "Chinese.ini"));
    EXPECT_EQ(language.CurrentFile(), shipped / "Language" / "English.ini");
}

}  // namespace
}  // namespace kov
