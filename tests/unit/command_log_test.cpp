#include "link/command_log.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <vector>

#include "store/text_codec.h"
#include "support/fake_clock.h"
#include "support/full_disk.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

class CommandLogTest : public testing::Test {
protected:
    std::string File(const char* date) {
        return dir.Read(std::string("command_log/") + date + " Command.txt");
    }

    test::TempDir dir;
    test::FakeClock clock;
};

TEST_F(CommandLogTest, FrameLineIsByteExact) {
    clock.SetLocal(2013, 7, 19, 14, 5, 9);
    {
        BrellLog log(dir.Path(), kCommandLogName, clock);
        const std::uint8_t frame[] = {0xED, 0xCB, 0x00, 0x12, 0x55, 0x55, 0x55,
                                      0x55, 0x55, 0x55, 0x55, 0x55, 0xBA};
        LogFrame(log, frame, true);
        log.WriteLine("Initsystem");
    }
    const std::string expected =
        std::string("\xFF\xFE", 2) + Utf8ToUtf16Le(
                                         "2013.07.19  14:05:09\tSendCommand:  ED  CB  00  12  55  "
                                         "55  55  55  55  55  55  55  BA\r\n"
                                         "2013.07.19  14:05:09\tInitsystem\r\n");
    EXPECT_EQ(File("2013-07-19"), expected);
}

TEST_F(CommandLogTest, SecondRunTheSameDayAppendsWithoutASecondMark) {
    clock.SetLocal(2013, 7, 19, 8, 0, 0);
    for (int run = 0; run < 2; ++run) {
        BrellLog log(dir.Path(), kCommandLogName, clock);
        log.WriteCommandLine("  00", false);
    }
    const std::string line = Utf8ToUtf16Le("2013.07.19  08:00:00\tRecvData:  00\r\n");
    EXPECT_EQ(File("2013-07-19"), std::string("\xFF\xFE", 2) + line + line);
}

TEST_F(CommandLogTest, RecordsAfterMidnightGoToTheNewDaysFile) {
    clock.SetLocal(2013, 7, 19, 23, 59, 59);
    BrellLog log(dir.Path(), kCommandLogName, clock);
    log.WriteLine("before");
    clock.now += std::chrono::seconds(2);
    log.WriteLine("after");
    EXPECT_EQ(File("2013-07-19"),
              std::string("\xFF\xFE", 2) + Utf8ToUtf16Le("2013.07.19  23:59:59\tbefore\r\n"));
    EXPECT_EQ(File("2013-07-20"),
              std::string("\xFF\xFE", 2) + Utf8ToUtf16Le("2013.07.20  00:00:01\tafter\r\n"));
}

// The folder removed while the program runs, at a day change or within the day: it is
// made again and the records go on in a fresh file of the day.
TEST_F(CommandLogTest, RemovedFolderIsMadeAgainAndNoRecordIsLost) {
    for (const int secondsLater : {2, 0}) {
        SCOPED_TRACE(secondsLater);
        clock.SetLocal(2013, 7, 19, 23, 59, 59);
        BrellLog log(dir.Path(), kCommandLogName, clock);
        log.WriteLine("kept");
        std::filesystem::remove_all(dir / "command_log");
        clock.now += std::chrono::seconds(secondsLater);
        log.WriteLine("after");
        const std::string file = File(secondsLater == 0 ? "2013-07-19" : "2013-07-20");
        EXPECT_NE(
            Utf16LeToUtf8(file.substr(std::min<std::size_t>(2, file.size()))).find("\tafter\r\n"),
            std::string::npos);
        EXPECT_FALSE(log.Dropping());
        std::filesystem::remove_all(dir / "command_log");
    }
}

// A full disk drops lines; the log says so while it lasts and recovers by itself.
TEST_F(CommandLogTest, DroppedLinesAreCountedUntilWritingWorksAgain) {
    clock.SetLocal(2013, 7, 19, 12, 0, 0);
    BrellLog log(dir.Path(), kCommandLogName, clock);
    log.WriteLine("before");
    EXPECT_FALSE(log.Dropping());
    {
        test::FullDisk full;
        log.WriteLine("lost 1");
        log.WriteLine("lost 2");
        EXPECT_TRUE(log.Dropping());
    }
    EXPECT_EQ(log.DroppedLines(), 2);
    log.WriteLine("after");
    EXPECT_FALSE(log.Dropping());
    const std::string text = Utf16LeToUtf8(File("2013-07-19").substr(2));
    EXPECT_NE(text.find("\tbefore\r\n"), std::string::npos);
    EXPECT_NE(text.find("\tafter\r\n"), std::string::npos);
    EXPECT_EQ(text.find("lost"), std::string::npos);  // no half line either
}

TEST_F(CommandLogTest, ConcurrentWritersProduceWholeLines) {
    clock.SetLocal(2013, 7, 19, 12, 0, 0);
    {
        BrellLog log(dir.Path(), kCommandLogName, clock);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t) {
            threads.emplace_back([&log, t] {
                for (int i = 0; i < 200; ++i)
                    log.WriteLine("thread " + std::to_string(t));
            });
        }
        for (auto& thread : threads)
            thread.join();
    }
    const std::string text = Utf16LeToUtf8(File("2013-07-19").substr(2));
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size(); ++lines) {
        const std::size_t end = text.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        EXPECT_EQ(text.substr(start, 22), "2013.07.19  12:00:00\tt");
        start = end + 2;
    }
    EXPECT_EQ(lines, 800u);
}

}  // namespace
}  // namespace kov
