// Whole-file reads that refuse what is no file, and the atomic writer's treatment of
// symbolic links, device nodes and the temporary files of interrupted writes.

#include "store/file_io.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "store/card_inventory.h"
#include "store/language.h"
#include "store/settings.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

class FileIoTest : public testing::Test {
protected:
    int TemporaryCount(const std::string& target) const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(dir.Path()))
            count += IsTemporaryNameOf(entry.path().filename().string(), target);
        return count;
    }

    test::TempDir dir;
};

// Ways a path can fail to be a readable file; each is made at dir/name.
enum class Unreadable { kDirectory, kEndlessDevice, kPipe, kReadFailsAfterOpen, kTooLarge };

void MakeUnreadable(const fs::path& path, Unreadable kind) {
    fs::create_directories(path.parent_path());
    fs::remove_all(path);
    switch (kind) {
        case Unreadable::kDirectory:
            fs::create_directory(path);
            break;
        case Unreadable::kEndlessDevice:
            fs::create_symlink("/dev/zero", path);
            break;
        case Unreadable::kPipe:
            ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
            break;
        case Unreadable::kReadFailsAfterOpen:
            // A regular file to fstat whose first read fails with EIO.
            fs::create_symlink("/proc/self/mem", path);
            break;
        case Unreadable::kTooLarge:
            // Sparse: no disk space is used.
            close(::open(path.c_str(), O_CREAT | O_WRONLY, 0644));
            fs::resize_file(path, kMaxReadBytes + 1);
            break;
    }
}

constexpr Unreadable kUnreadableKinds[] = {Unreadable::kDirectory, Unreadable::kEndlessDevice,
                                           Unreadable::kPipe, Unreadable::kReadFailsAfterOpen,
                                           Unreadable::kTooLarge};

TEST_F(FileIoTest, ReadsRegularFilesAndTheirLinks) {
    dir.Write("a.ini", "text");
    fs::create_symlink("a.ini", dir / "link.ini");
    EXPECT_EQ(ReadWholeFile(dir / "a.ini"), "text");
    EXPECT_EQ(ReadWholeFile(dir / "link.ini"), "text");
    EXPECT_TRUE(IsReadable(dir / "link.ini"));
    EXPECT_EQ(ReadWholeFile(dir / "missing.ini"), std::nullopt);
    dir.Write("empty.ini", "");
    EXPECT_EQ(ReadWholeFile(dir / "empty.ini"), "");
}

TEST_F(FileIoTest, WhatIsNoReadableFileIsRefusedWithoutGrowingOrBlocking) {
    for (const Unreadable kind : kUnreadableKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        MakeUnreadable(dir / "f.ini", kind);
        EXPECT_EQ(ReadWholeFile(dir / "f.ini"), std::nullopt);
        EXPECT_FALSE(IsReadable(dir / "f.ini"));
    }
}

// Every reader of the program's own files takes its "cannot be read" path; none throws.
TEST_F(FileIoTest, ProgramFilesThatCannotBeReadTakeTheCannotBeReadPath) {
    for (const Unreadable kind : kUnreadableKinds) {
        SCOPED_TRACE(static_cast<int>(kind));
        MakeUnreadable(dir / kSettingsFileName, kind);
        EXPECT_EQ(Settings(dir.Path()).ReadLinkSettings().port,
                  Settings(dir.Path() / "none").ReadLinkSettings().port);

        CardConfiguration config;
        MakeUnreadable(dir / kBoardConfigFileName, kind);
        EXPECT_FALSE(ReadCardConfiguration(dir / kBoardConfigFileName, config));

        // A language file that cannot be read is passed over without a fault.
        MakeUnreadable(dir / "Language" / "English.ini", kind);
        Language language(dir.Path());
        EXPECT_EQ(language.Load("english"), "english");
        fs::remove_all(dir / "Language");
    }
}

TEST_F(FileIoTest, LanguageFilesAreFoundWhateverTheCaseOfTheirExtension) {
    dir.Write("Language/ENGLISH.INI",
              "[Setting]\r\nLanguage=english\r\n[String]\r\nIDS_X=Upper\r\n");
    dir.Write("Language/Chinese.Ini",
              "[Setting]\r\nLanguage=chinese\r\n[String]\r\nIDS_X=Mixed\r\n");
    Language language(dir.Path());
    EXPECT_EQ(language.Load("english"), "english");
    EXPECT_EQ(language.Text("IDS_X"), "Upper");
    EXPECT_EQ(language.Load("chinese"), "chinese");
    EXPECT_EQ(language.Text("IDS_X"), "Mixed");
}

TEST_F(FileIoTest, WritesThroughSymbolicLinksIntoTheTargetsFolder) {
    dir.Write("real/state.ini", "old");
    fs::create_symlink("real/state.ini", dir / "hop.ini");
    fs::create_symlink("hop.ini", dir / "state.ini");  // a chain of two links, relative
    ASSERT_TRUE(WriteFileAtomically(dir / "state.ini", "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "state.ini"));
    EXPECT_TRUE(fs::is_symlink(dir / "hop.ini"));
    EXPECT_EQ(dir.Read("real/state.ini"), "new");

    fs::create_symlink("real/created.ini", dir / "dangling.ini");
    ASSERT_TRUE(WriteFileAtomically(dir / "dangling.ini", "made"));
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.ini"));
    EXPECT_EQ(dir.Read("real/created.ini"), "made");
}

TEST_F(FileIoTest, TargetsThatAreNoRegularFileAreRefusedAndKept) {
    fs::create_symlink("/dev/null", dir / "device.ini");
    EXPECT_FALSE(WriteFileAtomically(dir / "device.ini", "x"));
    EXPECT_TRUE(fs::is_character_file(dir / "device.ini"));
    EXPECT_TRUE(fs::is_symlink(dir / "device.ini"));

    fs::create_directory(dir / "folder.ini");
    EXPECT_FALSE(WriteFileAtomically(dir / "folder.ini", "x"));
    EXPECT_TRUE(fs::is_directory(dir / "folder.ini"));

    fs::create_symlink("loop.ini", dir / "loop.ini");
    EXPECT_FALSE(WriteFileAtomically(dir / "loop.ini", "x"));
    EXPECT_TRUE(fs::is_symlink(dir / "loop.ini"));
}

TEST_F(FileIoTest, OnlyOurOwnTemporaryNamesCount) {
    EXPECT_TRUE(IsTemporaryNameOf("useConfig.ini.kov-tmp-a1B2c3", "useConfig.ini"));
    EXPECT_FALSE(IsTemporaryNameOf("useConfig.ini.kov-tmp-a1B2", "useConfig.ini"));
    EXPECT_FALSE(IsTemporaryNameOf("useConfig.ini.kov-tmp-a1B2c3d", "useConfig.ini"));
    EXPECT_FALSE(IsTemporaryNameOf("useConfig.ini.backup", "useConfig.ini"));
    EXPECT_FALSE(IsTemporaryNameOf("Mode1.ini.kov-tmp-a1B2c3", "useConfig.ini"));
    EXPECT_FALSE(IsTemporaryNameOf("useConfig.ini", "useConfig.ini"));
}

TEST_F(FileIoTest, StaleTemporariesAreRemovedBeforeTheNextWrite) {
    dir.Write("state.ini.kov-tmp-AAAAAA", "left by a crash");
    dir.Write("state.ini.kov-tmp-BBBBBB", "left by another");
    dir.Write("state.ini.backup", "the operator's");
    dir.Write("other.ini.kov-tmp-CCCCCC", "another file's");
    // A write still running in another process holds the lock on its temporary file.
    const fs::path live = dir.Write("state.ini.kov-tmp-DDDDDD", "being written");
    const int held = ::open(live.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);

    ASSERT_TRUE(WriteFileAtomically(dir / "state.ini", "new"));
    ::close(held);
    EXPECT_EQ(dir.Read("state.ini"), "new");
    EXPECT_FALSE(fs::exists(dir / "state.ini.kov-tmp-AAAAAA"));
    EXPECT_FALSE(fs::exists(dir / "state.ini.kov-tmp-BBBBBB"));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(dir / "state.ini.backup"));
    EXPECT_TRUE(fs::exists(dir / "other.ini.kov-tmp-CCCCCC"));
    EXPECT_EQ(TemporaryCount("state.ini"), 1);
}

int FailingRename(const char*, const char*) {
    return -1;
}

TEST_F(FileIoTest, FailedWriteLeavesTheOldFileAndNoTemporary) {
    dir.Write("state.ini", "old");
    EXPECT_FALSE(WriteFileAtomically(dir / "state.ini", "new", FailingRename));
    EXPECT_EQ(dir.Read("state.ini"), "old");
    EXPECT_EQ(TemporaryCount("state.ini"), 0);
}

}  // namespace
}  // namespace kov
