#include "platform/posix_serial_port.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>
#include <climits>
#include <cstdint>
#include <cstring>

#include "link/serial_comm.h"
#include "support/temp_dir.h"
#include "support/unprivileged.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

// The device end of a pseudo-terminal, linked as ports/COM<n> in a program directory.
class Pty {
public:
    explicit Pty(const fs::path& programDir, int number) {
        master = ::posix_openpt(O_RDWR | O_NOCTTY);
        ::grantpt(master);
        ::unlockpt(master);
        termios tio{};
        ::tcgetattr(master, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(master, TCSANOW, &tio);
        fs::create_directories(programDir / "ports");
        fs::create_symlink(::ptsname(master),
                           programDir / "ports" / ("COM" + std::to_string(number)));
    }
    ~Pty() { CloseMaster(); }
    void CloseMaster() {
        if (master >= 0)
            ::close(master);
        master = -1;
    }
    int master = -1;
};

class PosixPortTest : public testing::Test {
protected:
    PosixPortTest() : pty(dir.Path(), 9) {
        link.SetPort(std::make_unique<PosixSerialPort>(dir.Path()));
        link.portNumber = 9;
        link.baudRate = 9600;
        link.timeout = 0;  // reads that find nothing give up at once
    }
    test::TempDir dir;
    Pty pty;
    CSerialComm link;
};

TEST_F(PosixPortTest, FramesCrossThePseudoTerminalBothWays) {
    ASSERT_TRUE(link.Open());
    const std::uint8_t frame[13] = {0xED, 0xCB, 0,    0x12, 0x55, 0x55, 0x55,
                                    0x55, 0x55, 0x55, 0x55, 0x55, 0xBA};
    ASSERT_EQ(link.Write(frame, 13), 13);
    std::uint8_t got[13] = {};
    ASSERT_EQ(::read(pty.master, got, 13), 13);
    EXPECT_EQ(std::memcmp(frame, got, 13), 0);

    const std::uint8_t reply[4] = {1, 2, 3, 4};
    ASSERT_EQ(::write(pty.master, reply, 4), 4);
    link.timeout = 1;
    ASSERT_TRUE(link.Open());  // reopening applies the new time-out
    ASSERT_EQ(::write(pty.master, reply, 4), 4);
    std::uint8_t in[4] = {};
    EXPECT_EQ(link.Read(in, 4), 4);
    EXPECT_EQ(in[3], 4);
}

TEST_F(PosixPortTest, ReadWithNothingToReadTimesOutWithMinusOne) {
    ASSERT_TRUE(link.Open());
    std::uint8_t in[4] = {};
    EXPECT_EQ(link.Read(in, 4), -1);
}

TEST_F(PosixPortTest, MissingPortAndUnreadableDeviceFailToOpen) {
    link.portNumber = 4;
    EXPECT_FALSE(link.Open());
    EXPECT_FALSE(link.IsOpen());
    PosixSerialPort port(dir.Path());
    EXPECT_FALSE(port.OpenDevice((dir / "no-such-device").string(), 9600, 0));
    EXPECT_EQ(port.LastOpenError(), ENOENT);
    EXPECT_NE(DescribeOpenError(EACCES, "/dev/ttyUSB0").find("dialout"), std::string::npos);
}

TEST_F(PosixPortTest, VanishedDeviceFailsReadsAndWritesWithoutHanging) {
    ASSERT_TRUE(link.Open());
    link.timeout = 5;  // a hang would show as a multi-second test
    pty.CloseMaster();
    std::uint8_t buffer[13] = {};
    EXPECT_EQ(link.Read(buffer, 13), -1);
    EXPECT_FALSE(link.IsOpen());
    EXPECT_TRUE(link.Disconnected());
    EXPECT_EQ(link.Write(buffer, 13), -1);
}

// A second open of the same device is refused as busy, also for root, whom the kernel
// lets past the exclusive flag.
TEST_F(PosixPortTest, ASecondOpenOfTheSamePortIsRefusedAsBusy) {
    ASSERT_TRUE(link.Open());
    PosixSerialPort second(dir.Path());
    EXPECT_FALSE(second.Open(9, 9600, 0));
    EXPECT_EQ(second.LastOpenError(), EBUSY);
    link.Close();
    EXPECT_TRUE(second.Open(9, 9600, 0));
}

// A device the user may not open is refused as a permission failure with the dialout
// advice.
TEST_F(PosixPortTest, APortWithoutPermissionIsRefusedWithTheDialoutAdvice) {
    const fs::path device = fs::read_symlink(dir / "ports" / "COM9");
    ASSERT_EQ(::chmod(device.c_str(), ::geteuid() == 0 ? 0600 : 0), 0);
    fs::permissions(dir.Path(), fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
    auto open = [&] {
        PosixSerialPort port(dir.Path());
        const bool opened = port.Open(9, 9600, 0);
        const std::string text = DescribeOpenError(port.LastOpenError(), device.string());
        return (opened ? 1 : 0) | (port.LastOpenError() != EACCES ? 2 : 0) |
               (text.find("dialout") == std::string::npos ? 4 : 0);
    };
    const int result = test::RunUnprivileged(open);
    if (result == test::kNoUnprivilegedUser)
        GTEST_SKIP() << "cannot become an unprivileged user to test permissions";
    EXPECT_EQ(result, 0) << "bit 1: opened, 2: not a permission failure, 4: no dialout advice";
}

TEST(PortErrors, EachFailureNamesTheSystemReasonAndWhatToDo) {
    struct Case {
        int error;
        OpenFailure kind;
        const char* advice;
    };
    const Case cases[] = {{ENOENT, OpenFailure::kMissing, "does not exist"},
                          {ENODEV, OpenFailure::kMissing, "plug in"},
                          {EACCES, OpenFailure::kPermission, "dialout"},
                          {EPERM, OpenFailure::kPermission, "log in again"},
                          {EBUSY, OpenFailure::kBusy, "port in use"},
                          {EINVAL, OpenFailure::kOther, "Invalid argument"}};
    for (const Case& c : cases) {
        EXPECT_EQ(ClassifyOpenError(c.error), c.kind) << c.error;
        const std::string text = DescribeOpenError(c.error, "/dev/ttyUSB0");
        EXPECT_NE(text.find("/dev/ttyUSB0: " + std::string(std::strerror(c.error))),
                  std::string::npos)
            << text;
        EXPECT_NE(text.find(c.advice), std::string::npos) << text;
    }
}

TEST(PortWaits, ComputedWithoutOverflowAndNeverForEver) {
    EXPECT_EQ(ReadWaitMs(3), 2100);
    EXPECT_EQ(WriteWaitMs(13, 3), 250);
    EXPECT_EQ(ReadWaitMs(0), 0);
    EXPECT_EQ(ReadWaitMs(-1), 0);
    EXPECT_EQ(ReadWaitMs(INT_MIN), 0);
    EXPECT_EQ(WriteWaitMs(13, INT_MIN), 130);
    EXPECT_EQ(ReadWaitMs(INT_MAX), INT_MAX);
    EXPECT_EQ(WriteWaitMs(SIZE_MAX, INT_MAX), INT_MAX);
}

TEST(SerialComm, WriteOnAClosedLinkTouchesNothing) {
    CSerialComm link;
    const std::uint8_t byte = 0;
    EXPECT_EQ(link.Write(&byte, 1), -1);
    EXPECT_FALSE(link.Open());  // no port implementation installed
    EXPECT_EQ(link.frame[0], 0xED);
    EXPECT_EQ(link.frame[2], 0x00);
    EXPECT_EQ(link.frame[3], 0x55);
}

}  // namespace
}  // namespace kov
