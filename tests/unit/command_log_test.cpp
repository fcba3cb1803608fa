#include "link/command_log.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "store/text_codec.h"
#include "support/fake_clock.h"
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

TEST_F(CommandLogTest, MissingFolderAtDayChangeLosesRecordsWithoutFailing) {
    clock.SetLocal(2013, 7, 19, 23, 59, 59);
    BrellLog log(dir.Path(), kCommandLogName, clock);
    log.WriteLine("kept");
    std::filesystem::remove_all(dir / "command_log");
    clock.now += std::chrono::seconds(2);
    log.WriteLine("lost");
    EXPECT_FALSE(std::filesystem::exists(dir / "command_log"));
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
