#include "store/state_saver.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "store/file_io.h"
#include "store/project_file.h"
#include "support/full_disk.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

using namespace std::chrono_literals;

CardConfiguration Rack() {
    CardConfiguration config;
    config.inputCards = {{5, 129}, {6, 130}};
    config.outputCards = {{1, 1}, {2, 2}};
    return config;
}

class StateSaverTest : public testing::Test {
protected:
    StateSaverTest() { records.Load(Rack(), dir.Path(), "none.ini"); }

    void Change(int value) {
        auto lock = records.Lock();
        records.input.At(0).inputFrameLight = value;
        records.output.At(1).spliceHWidth = value;
    }

    test::TempDir dir;
    CardRecords records;
    AutoResetEvent event;
};

TEST_F(StateSaverTest, ChangeFollowedAtOnceByStopIsInTheFile) {
    StateSaver saver(records, event, dir / kStateFileName);
    saver.Start();
    Change(77);
    event.Set();
    saver.Stop();
    CardRecords readBack;
    readBack.Load(Rack(), dir.Path(), "none.ini");
    const ProjectReadReport report = ReadProjectFile(dir / kStateFileName, readBack);
    ASSERT_TRUE(report.opened && !report.stopped);
    EXPECT_EQ(readBack.input.At(0).inputFrameLight, 77);
    EXPECT_EQ(readBack.output.At(1).spliceHWidth, 77);
}

TEST_F(StateSaverTest, ManyChangesBeforeTheSaverWakesGiveOneWrite) {
    // The writer blocks on its first call so the changes pile up meanwhile.
    std::mutex m;
    std::condition_variable cv;
    bool release = false;
    std::atomic<int> writes{0};
    StateSaver saver(records, event, dir / kStateFileName,
                     [&](const std::filesystem::path& path, const RecordsSnapshot& snapshot) {
                         if (writes++ == 0) {
                             std::unique_lock lock(m);
                             cv.wait(lock, [&] { return release; });
                         }
                         return WriteProjectFile(path, snapshot);
                     });
    saver.Start();
    event.Set();
    while (writes == 0)
        std::this_thread::yield();
    for (int i = 0; i < 100; ++i) {
        Change(i);
        event.Set();
    }
    {
        std::lock_guard lock(m);
        release = true;
    }
    cv.notify_one();
    while (writes < 2)
        std::this_thread::yield();
    saver.Stop();  // one last save
    EXPECT_EQ(writes, 3);
}

int FailingRename(const char*, const char*) {
    return -1;
}

TEST_F(StateSaverTest, CrashAtTheRenameLeavesTheOldCompleteStateFile) {
    Change(1);
    ASSERT_TRUE(WriteProjectFile(dir / kStateFileName, records.Snapshot()));
    const std::string before = dir.Read(kStateFileName);
    StateSaver saver(records, event, dir / kStateFileName,
                     [](const std::filesystem::path& path, const RecordsSnapshot& snapshot) {
                         return WriteFileAtomically(path, ProjectFileBytes(snapshot),
                                                    FailingRename);
                     });
    saver.Start();
    Change(2);
    event.Set();
    saver.Stop();
    EXPECT_GE(saver.FailedSaveCount(), 1);
    EXPECT_EQ(saver.SaveCount(), 0);
    EXPECT_EQ(dir.Read(kStateFileName), before);
    int files = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.Path()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1);  // no temporary file left behind
}

// A full disk: the saver says that the state file is not current until a save works.
TEST_F(StateSaverTest, FailingSavesAreReportedUntilOneWorksAgain) {
    StateSaver saver(records, event, dir / kStateFileName);
    saver.Start();
    {
        test::FullDisk full;
        Change(5);
        event.Set();
        while (saver.FailedSaveCount() == 0)
            std::this_thread::yield();
        EXPECT_TRUE(saver.Failing());
    }
    Change(6);
    event.Set();
    while (saver.SaveCount() == 0)
        std::this_thread::yield();
    EXPECT_FALSE(saver.Failing());
    saver.Stop();
    CardRecords readBack;
    readBack.Load(Rack(), dir.Path(), "none.ini");
    ASSERT_TRUE(ReadProjectFile(dir / kStateFileName, readBack).opened);
    EXPECT_EQ(readBack.input.At(0).inputFrameLight, 6);
}

TEST_F(StateSaverTest, EditingWhileSavingIsRaceFree) {
    // Run under ThreadSanitizer: the saver copies under the lock while this thread edits.
    StateSaver saver(records, event, dir / kStateFileName);
    saver.Start();
    for (int i = 0; i < 200; ++i) {
        Change(i);
        event.Set();
    }
    saver.Stop();
    CardRecords readBack;
    readBack.Load(Rack(), dir.Path(), "none.ini");
    const ProjectReadReport report = ReadProjectFile(dir / kStateFileName, readBack);
    ASSERT_TRUE(report.opened && !report.stopped);
    EXPECT_EQ(readBack.input.At(0).inputFrameLight, 199);
}

TEST(AutoResetEvent, ASignalWakesOneWaitAndIsThenCleared) {
    AutoResetEvent event;
    EXPECT_FALSE(event.WaitFor(0ms));
    event.Set();
    event.Set();
    EXPECT_TRUE(event.WaitFor(0ms));
    EXPECT_FALSE(event.WaitFor(0ms));
}

}  // namespace
}  // namespace kov
