#include "platform/port_list.h"

#include <gtest/gtest.h>

#include "link/link_setup.h"
#include "link/serial_comm.h"
#include "support/temp_dir.h"

namespace kov {
namespace {

namespace fs = std::filesystem;

TEST(PortList, ComNamesFromOneToNinetyNineInAnyCase) {
    const std::pair<const char*, int> cases[] = {{"COM1", 1}, {"com10", 10}, {"Com99", 99},
                                                 {"COM0", 0}, {"COM100", 0}, {"COM256", 0},
                                                 {"LPT1", 0}, {"COM", 0},    {"COMx", 0}};
    for (const auto& [name, number] : cases)
        EXPECT_EQ(ParseComName(name), number) << name;
}

// A fake /sys/class/tty: a device with a driver counts, one without does not; a ttyS
// device also needs a port type other than 0 (no "type" file: none written).
void AddTty(const test::TempDir& sys, const std::string& name, bool driver,
            const char* type = "4\n") {
    sys.Write("tty/" + name + "/dev", "4:64\n");
    if (type != nullptr)
        sys.Write("tty/" + name + "/type", type);
    if (driver)
        fs::create_directories(sys / ("tty/" + name + "/device/driver"));
}

std::vector<int> Numbers(const std::vector<PortEntry>& list) {
    std::vector<int> numbers;
    for (const auto& e : list)
        numbers.push_back(e.number);
    return numbers;
}

TEST(PortList, LinksComeFirstThenKernelDevicesWithoutDuplicateNumbers) {
    test::TempDir program;
    test::TempDir sys;
    fs::create_directories(program / "ports");
    fs::create_symlink("/dev/null", program / "ports/COM34");  // a character device
    fs::create_symlink("/dev/null", program / "ports/com3");
    fs::create_symlink("/nonexistent", program / "ports/COM5");
    program.Write("ports/COM6", "a plain file");
    AddTty(sys, "ttyS0", true);
    AddTty(sys, "ttyS1", false);
    AddTty(sys, "ttyUSB1", true);  // COM34, already taken by the link
    AddTty(sys, "ttyACM0", true);
    AddTty(sys, "ttyUSB40", true);  // beyond the numbering

    std::vector<PortEntry> list;
    ASSERT_TRUE(EnumerateComPorts(program.Path(), list, sys / "tty"));
    EXPECT_EQ(Numbers(list), (std::vector<int>{3, 34, 1, 65}));
    EXPECT_EQ(list[0].name, "COM3");
    EXPECT_EQ(list[1].device, (program / "ports/COM34").string());
    EXPECT_EQ(list[2].ShownName(), "COM1 (/dev/ttyS0)");
}

// A PC registers 32 ttyS placeholders with the serial driver; only those whose port type
// names a UART are ports, so a USB adapter is still among the fourteen the table takes.
TEST(PortList, PlaceholderUartsAreLeftOutAndTheUsbAdapterIsFound) {
    test::TempDir program;
    test::TempDir sys;
    for (int k = 0; k < 32; ++k)
        AddTty(sys, "ttyS" + std::to_string(k), true, "0\n");
    AddTty(sys, "ttyS0", true, "4\n");      // a 16550A on the mother board
    AddTty(sys, "ttyS5", true, "");         // an empty type: unknown
    AddTty(sys, "ttyS6", true, "junk\n");   // unreadable type: unknown
    AddTty(sys, "ttyS7", true, nullptr);    // no type at all
    AddTty(sys, "ttyS9", true, "14\n");     // another UART type
    AddTty(sys, "ttyUSB0", true, nullptr);  // USB and ACM devices have no port type
    AddTty(sys, "ttyACM1", true, nullptr);

    std::vector<PortEntry> list;
    ASSERT_TRUE(EnumerateComPorts(program.Path(), list, sys / "tty"));
    EXPECT_EQ(Numbers(list), (std::vector<int>{1, 10, 33, 66}));
    EXPECT_EQ(list[2].device, "/dev/ttyUSB0");

    CSerialComm link;
    ApplyLinkSettings(link, list, {33, "1"});
    EXPECT_EQ(link.portNumber, 33);
}

TEST(PortList, NoSourcesGiveFalseAndAnEmptyList) {
    test::TempDir program;
    std::vector<PortEntry> list{{"COM1", 1, "x"}};
    EXPECT_FALSE(EnumerateComPorts(program.Path(), list, program / "missing"));
    EXPECT_TRUE(list.empty());
}

std::vector<PortEntry> Table(std::initializer_list<int> numbers) {
    std::vector<PortEntry> table;
    for (int n : numbers)
        table.push_back({"COM" + std::to_string(n), n, ""});
    return table;
}

TEST(LinkSetup, PortChoiceWalk) {
    EXPECT_EQ(ChoosePort(Table({3, 5, 7}), 5), 5);
    EXPECT_EQ(ChoosePort(Table({3, 5, 7}), 9), 7);
    EXPECT_EQ(ChoosePort(Table({}), 9), 0);
}

TEST(LinkSetup, OnlyTheFirstFourteenPortsAreConsidered) {
    std::vector<PortEntry> ports;
    for (int n = 1; n <= 20; ++n)
        ports.push_back({"COM" + std::to_string(n), n, ""});
    CSerialComm link;
    ApplyLinkSettings(link, ports, {18, "3"});
    EXPECT_EQ(link.portNumber, 14);
    EXPECT_EQ(link.baudRate, 9600);
    EXPECT_EQ(link.timeout, 3);
    ApplyLinkSettings(link, ports, {2, "x"});
    EXPECT_EQ(link.portNumber, 2);
    EXPECT_EQ(link.timeout, 1);
}

// A time-out from the settings file never makes a read give up at once or wait for ever.
TEST(LinkSetup, TimeoutTextsAreBroughtIntoRange) {
    const std::pair<const char*, int> cases[] = {
        {"1", 1},  {"30", 30},         {"31", 30},         {"0", 1},
        {"-1", 1}, {"-2147483648", 1}, {"2147483647", 30}, {"99999999999999", 30},
        {"", 1},   {"abc", 1},         {" 7s", 7}};
    for (const auto& [text, timeout] : cases)
        EXPECT_EQ(LinkTimeoutOf(text), timeout) << text;
}

TEST(LinkSetup, OpenablePortNumbers) {
    EXPECT_FALSE(IsOpenablePortNumber(0));
    EXPECT_TRUE(IsOpenablePortNumber(1));
    EXPECT_TRUE(IsOpenablePortNumber(254));
    EXPECT_FALSE(IsOpenablePortNumber(255));
}

}  // namespace
}  // namespace kov
