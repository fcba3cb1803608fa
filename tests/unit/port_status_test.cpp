// What the status area says about the port: which one, where it leads, and a fall-back.

#include "link/port_status.h"

#include <gtest/gtest.h>

#include "store/language.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

const std::vector<PortEntry> kPorts = {
    {"COM7", 7, "/opt/kov/ports/COM7"},
    {"COM1", 1, "/dev/ttyS0"},
};

TEST(PortStatus, DeviceInsideTheProgramDirectoryIsShownRelativeToIt) {
    EXPECT_EQ(DescribePort(kPorts, "/opt/kov", 7, 7).device, "ports/COM7");
    EXPECT_EQ(DescribePort(kPorts, "/opt/kov", 7, 1).device, "/dev/ttyS0");
    EXPECT_EQ(DescribePort(kPorts, "/opt/kov", 7, 9).device, "");  // not listed
}

TEST(PortStatus, FallBackIsAnotherPortThanTheOneAskedFor) {
    struct Case {
        int configured, number;
        bool fallBack;
    };
    const Case cases[] = {
        {7, 7, false},
        {3, 1, true},
        {0, 1, false},  // nothing asked for: any port is fine
        {3, 0, false},  // no port at all is said otherwise
    };
    for (const Case& c : cases) {
        PortStatus status;
        status.configured = c.configured;
        status.number = c.number;
        EXPECT_EQ(IsFallbackPort(status), c.fallBack) << c.configured << " " << c.number;
    }
}

TEST(PortStatus, LineNamesPortDeviceAndState) {
    test::TempDir dir;
    dir.Write(
        "Language/en.ini",
        "[Setting]\r\nLanguage=english\r\n[String]\r\n"
        "IDS_STATUS_PORT=%1 - %2: %3\r\nIDS_STATUS_FALLBACK=COM%1 not found; using %2 %3: %4\r\n"
        "IDS_STATUS_NO_PORT=none\r\nIDS_STATUS_OPEN=open\r\nIDS_STATUS_CLOSED=closed\r\n"
        "IDS_STATUS_FAILED=failed: %1\r\nIDS_STATUS_GONE=gone\r\n");
    Language language(dir.Path());
    language.Load("english");
    PortStatus status = DescribePort(kPorts, "/opt/kov", 7, 7);
    status.state = PortState::kOpen;
    EXPECT_EQ(PortStatusLine(status, language), "COM7 - ports/COM7: open");
    status.state = PortState::kFailed;
    status.reason = "Permission denied";
    EXPECT_EQ(PortStatusLine(status, language), "COM7 - ports/COM7: failed: Permission denied");
    status = DescribePort(kPorts, "/opt/kov", 3, 1);
    status.state = PortState::kGone;
    EXPECT_EQ(PortStatusLine(status, language), "COM3 not found; using COM1 /dev/ttyS0: gone");
    EXPECT_EQ(PortStatusLine(DescribePort({}, "/opt/kov", 3, 0), language), "none");
}

}  // namespace
}  // namespace kov
