#include "link/commands.h"

#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "link/serial_comm.h"
#include "support/fake_link.h"

namespace kov {
namespace {

// Parses "ED CB 00 12 …" into bytes.
std::vector<std::uint8_t> Hex(const std::string& text) {
    std::vector<std::uint8_t> bytes;
    std::istringstream in(text);
    std::string token;
    while (in >> token)
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(token, nullptr, 16)));
    return bytes;
}

// Bytes 0-11: everything a composer sets (byte 12 is the checksum, completed on sending).
std::vector<std::uint8_t> Head(const CommandFrame& frame) {
    return {frame.begin(), frame.begin() + 12};
}

std::vector<std::uint8_t> Whole(CommandFrame frame) {
    CompleteChecksum(frame);
    return {frame.begin(), frame.end()};
}

struct ComposeCase {
    const char* name;
    CommandFrame frame;
    std::string bytes;  // bytes 0-11
};

class ComposeTest : public testing::TestWithParam<ComposeCase> {};

TEST_P(ComposeTest, SetsHeaderAddressCommandAndParameters) {
    EXPECT_EQ(Head(GetParam().frame), Hex(GetParam().bytes));
    EXPECT_EQ(GetParam().frame[12], kFiller) << "the checksum is left to SendCommand";
}

std::vector<ComposeCase> CatalogueCases() {
    const WindowRect capture{1920, 0, 1920, 1080};
    const WindowRect odd{0x0102, 0x0304, 0x0506, 0x0708};
    const SpliceSpan wide{3840, 1920, 1920};
    return {
        // 0x00 device query
        {"QueryAnySelector", DeviceQueryFrame(0x10, 0x07, 0x01, 0x02),
         "ED CB 10 00 07 01 02 55 55 55 55 55"},
        {"QueryReadTask", ReadTaskQueryFrame(0x10, 127), "ED CB 10 00 09 7F 7F 55 55 55 55 55"},
        {"QueryReadClock", ReadClockQueryFrame(0x10), "ED CB 10 00 0A 55 55 55 55 55 55 55"},
        // 0x01 templates
        {"RecallTemplate15", RecallTemplateFrame(15), "ED CB 00 01 01 0E 55 55 55 55 55 55"},
        {"StoreTemplate1", StoreTemplateFrame(1), "ED CB 00 01 00 00 55 55 55 55 55 55"},
        // 0x02 resolution
        {"ResolutionToDevice", ResolutionFrame(0x00, 11), "ED CB 00 02 0B 55 55 55 55 55 55 55"},
        {"ResolutionToCard", ResolutionFrame(0x81, 21), "ED CB 81 02 15 55 55 55 55 55 55 55"},
        // 0x04 / 0x05 windows
        {"CaptureWindow", CaptureWindowFrame(0x81, capture), "ED CB 81 05 07 80 00 00 07 80 04 38"},
        {"Picture2Window", Picture2WindowFrame(0x02, odd), "ED CB 02 05 01 02 03 04 05 06 07 08"},
        {"OutputWindow", OutputWindowFrame(0x02, odd), "ED CB 02 04 01 02 03 04 05 06 07 08"},
        {"BaseMapWindow", BaseMapWindowFrame(0x00, odd), "ED CB 00 04 01 02 03 04 05 06 07 08"},
        {"WindowKeepsLowSixteenBits", CaptureWindowFrame(0x81, {70000, -1, 65536, 65535}),
         "ED CB 81 05 11 70 FF FF 00 00 FF FF"},
        // 0x06 picture display
        {"InputPictureShown", InputPictureDisplayFrame(0x81, true, 2),
         "ED CB 81 06 01 02 00 55 55 55 55 55"},
        {"InputPictureHidden", InputPictureDisplayFrame(0x81, false, 0),
         "ED CB 81 06 00 00 00 55 55 55 55 55"},
        {"OutputPicture2On", OutputPictureDisplayFrame(0x03, 1, 3),
         "ED CB 03 06 01 03 00 55 55 55 55 55"},
        {"OutputPicture2Off", OutputPictureDisplayFrame(0x03, 0, 1),
         "ED CB 03 06 00 01 00 55 55 55 55 55"},
        // 0x0B show output picture
        {"ShowOutputPicture", ShowOutputPictureFrame(0x04, true),
         "ED CB 04 0B 01 55 55 55 55 55 55 55"},
        {"HideOutputPicture", ShowOutputPictureFrame(0x04, false),
         "ED CB 04 0B 00 55 55 55 55 55 55 55"},
        // 0x0C / 0x0D / 0x1C / 0x1D splices
        {"HorizontalSplice", HorizontalSpliceFrame(0x01, wide),
         "ED CB 01 0C 0F 00 07 80 07 80 55 55"},
        {"VerticalSplice", VerticalSpliceFrame(0x01, {2160, 0, 1080}),
         "ED CB 01 0D 08 70 00 00 04 38 55 55"},
        {"Picture2HorizontalSplice", Picture2HorizontalSpliceFrame(0x01, wide),
         "ED CB 01 1C 0F 00 07 80 07 80 55 55"},
        {"Picture2VerticalSplice", Picture2VerticalSpliceFrame(0x01, {0x0102, 0x0304, 0x0506}),
         "ED CB 01 1D 01 02 03 04 05 06 55 55"},
        // 0x11 select source
        {"SelectInputPicture", SelectSourceFrame(0x81, kInputLayerPicture, 10),
         "ED CB 81 11 01 0A 55 55 55 55 55 55"},
        {"SelectInputBaseMap", SelectSourceFrame(0x81, kInputLayerBaseMap, 8),
         "ED CB 81 11 00 08 55 55 55 55 55 55"},
        {"SelectOutputPicture2", SelectSourceFrame(0x02, kOutputLayerPicture2, 9),
         "ED CB 02 11 01 09 55 55 55 55 55 55"},
        {"SelectSourceLowByte", SelectSourceFrame(0x02, kOutputLayerPicture1, 269),
         "ED CB 02 11 00 0D 55 55 55 55 55 55"},
        // 0x12 / 0x13
        {"AutoAdjustCard", AutoAdjustFrame(0x82), "ED CB 82 12 55 55 55 55 55 55 55 55"},
        {"ResetCard", ResetFrame(0x05), "ED CB 05 13 55 55 55 55 55 55 55 55"},
        // 0x15 picture word
        {"PictureWord", PictureWordFrame(0x81, {1, 0, 1, 0, 0x1FF, 128, 0}),
         "ED CB 81 15 01 00 01 00 FF 80 00 55"},
        // 0x16 fade
        {"FadePicture1Instantly", *FadeFrame(FadeTarget::kPicture1, 0),
         "ED CB 80 16 00 00 55 55 55 55 55 00"},
        // 0x1A write offline task
        {"WriteTask", WriteTaskFrame(0x10, {0x00, 0x1B, 0x9F, 0x08, 0x1E, 0x00, 0x31, 0x22}),
         "ED CB 10 1A 00 1B 9F 08 1E 00 31 22"},
        // 0x1B set clock
        {"SetClock", SetClockFrame(0x10, 2024, 2, 29, 13, 5, 9),
         "ED CB 10 1B 18 02 1D 0D 05 09 55 55"},
        // 0x1E picture-2 splice
        {"Picture2SpliceOn", Picture2SpliceFrame(0x06, 1), "ED CB 06 1E 01 55 55 55 55 55 55 55"},
        {"Picture2SpliceOff", Picture2SpliceFrame(0x06, 0), "ED CB 06 1E 00 55 55 55 55 55 55 55"},
        // Named fixed frames
        {"FactoryReset", FactoryResetFrame(), "ED CB 00 13 55 55 55 55 55 55 55 55"},
        {"DetectCards", DetectCardsFrame(), "ED CB 00 20 55 55 55 55 55 55 55 55"},
    };
}

INSTANTIATE_TEST_SUITE_P(Catalogue, ComposeTest, testing::ValuesIn(CatalogueCases()),
                         [](const testing::TestParamInfo<ComposeCase>& info) {
                             return info.param.name;
                         });

// Whole frames, checksum included, as they go on the wire.
struct WireCase {
    const char* name;
    CommandFrame frame;
    std::string bytes;  // bytes 0-12
};

class WireTest : public testing::TestWithParam<WireCase> {};

TEST_P(WireTest, GoesOutWithItsChecksum) {
    EXPECT_EQ(Whole(GetParam().frame), Hex(GetParam().bytes));
}

INSTANTIATE_TEST_SUITE_P(
    Examples, WireTest,
    testing::Values(WireCase{"DeviceAutoAdjust", DeviceAutoAdjustFrame(),
                             "ED CB 00 12 55 55 55 55 55 55 55 55 BA"},
                    WireCase{"InternalBusReset", InternalBusResetFrame(),
                             "ED CB F0 11 00 0D 55 55 55 55 55 55 0C"},
                    WireCase{"RecallTemplate15", RecallTemplateFrame(15),
                             "ED CB 00 01 01 0E 55 55 55 55 55 55 0E"},
                    WireCase{"FadePicture2OverFiveSeconds", *FadeFrame(FadeTarget::kPicture2, 5),
                             "ED CB 80 16 00 01 55 55 55 55 55 05 45"}),
    [](const testing::TestParamInfo<WireCase>& info) { return info.param.name; });

TEST(FadeFrame, ComposesOnlyForZeroToFiveSeconds) {
    for (int seconds : {INT_MIN, -1, 6, 7, 255, 256 + 3}) {
        EXPECT_FALSE(FadeFrame(FadeTarget::kPicture1, seconds).has_value()) << seconds;
        EXPECT_FALSE(FadeFrame(FadeTarget::kPicture2, seconds).has_value()) << seconds;
    }
    for (int seconds = 0; seconds <= kMaxFadeSeconds; ++seconds) {
        const auto frame = FadeFrame(FadeTarget::kPicture2, seconds);
        ASSERT_TRUE(frame.has_value()) << seconds;
        EXPECT_EQ((*frame)[11], seconds);
    }
}

struct QualityCase {
    const char* name;
    CardKind kind;
    PictureItem item;
    int value;
    std::string params;  // bytes 4-11
};

class PictureQualityTest : public testing::TestWithParam<QualityCase> {};

TEST_P(PictureQualityTest, FollowsTheItemTable) {
    const QualityCase& c = GetParam();
    const CommandFrame frame = PictureQualityFrame(0x2A, c.kind, c.item, c.value);
    EXPECT_EQ(Head(frame), Hex("ED CB 2A 03 " + c.params));
}

INSTANTIATE_TEST_SUITE_P(
    Items, PictureQualityTest,
    testing::Values(QualityCase{"BrightnessInput", CardKind::kInput, PictureItem::kBrightness, 50,
                                "00 01 32 55 55 55 55 55"},
                    QualityCase{"BrightnessOutput", CardKind::kOutput, PictureItem::kBrightness, 50,
                                "00 00 32 55 55 55 55 55"},
                    QualityCase{"ContrastInput", CardKind::kInput, PictureItem::kContrast, 100,
                                "01 01 64 55 55 55 55 55"},
                    QualityCase{"SaturationOutput", CardKind::kOutput, PictureItem::kSaturation,
                                300, "02 00 2C 55 55 55 55 55"},
                    QualityCase{"DefinitionInput", CardKind::kInput, PictureItem::kDefinition, 0,
                                "03 01 00 55 55 55 55 55"},
                    QualityCase{"ColourTemperatureOutput", CardKind::kOutput,
                                PictureItem::kColorTemperature, 2, "08 00 02 00 00 00 55 55"},
                    QualityCase{"ColourTemperatureInput", CardKind::kInput,
                                PictureItem::kColorTemperature, 3, "08 01 03 00 00 00 55 55"},
                    QualityCase{"GammaOutput", CardKind::kOutput, PictureItem::kGamma, 6,
                                "0B 55 06 55 55 55 55 55"},
                    QualityCase{"GammaIgnoresTheCardKind", CardKind::kInput, PictureItem::kGamma, 1,
                                "0B 55 01 55 55 55 55 55"}),
    [](const testing::TestParamInfo<QualityCase>& info) { return info.param.name; });

// ---- Senders: each reads its record, addresses the frame and writes it once. ----

InputCardRecord SampleInput() {
    InputCardRecord r;
    r.inputHLocation = 0x1112;
    r.inputVLocation = 0x1314;
    r.inputHWidth = 0x1516;
    r.inputVHeight = 0x1718;
    r.baseMapHLocation = 0x2122;
    r.baseMapVLocation = 0x2324;
    r.baseMapHWidth = 0x2526;
    r.baseMapVHeight = 0x2728;
    r.picWordOnoff = 1;
    r.picWordMode = 2;
    r.picWordAboveOn = 3;
    r.picWordAndOr = 4;
    r.picWordRed = 0x1A5;
    r.picWordGreen = 0x66;
    r.picWordBlue = 0x77;
    r.cardId = 0x81;
    return r;
}

OutputCardRecord SampleOutput() {
    OutputCardRecord r;
    r.outputHparam = 3840;
    r.outputVparam = 2160;
    r.spliceHLocation = 1920;
    r.spliceHWidth = 1920;
    r.spliceVLocation = 1080;
    r.spliceVHeight = 1080;
    r.outputHLocation = 0x3132;
    r.outputVLocation = 0x3334;
    r.outputHWidth = 0x3536;
    r.outputVHeight = 0x3738;
    r.doublePicHLocation = 0x4142;
    r.doublePicVLocation = 0x4344;
    r.doublePicHWidth = 0x4546;
    r.doublePicVHeight = 0x4748;
    r.doubleSpliceHparam = 0x5152;
    r.doubleSpliceHLocation = 0x5354;
    r.doubleSpliceHWidth = 0x5556;
    r.doubleSpliceVparam = 0x6162;
    r.doubleSpliceVLocation = 0x6364;
    r.doubleSpliceVHeight = 0x6566;
    r.cardId = 0x105;  // addressed by its low 8 bits
    return r;
}

struct SenderCase {
    const char* name;
    std::function<bool(CSerialComm&)> send;
    std::string bytes;  // bytes 0-11 of the one frame written
};

class SenderTest : public testing::TestWithParam<SenderCase> {
protected:
    test::FakeLink fake;
    CSerialComm& link = fake.link;
    test::FakePort* port = fake.port;
};

TEST_P(SenderTest, WritesOneFrameFromTheRecord) {
    ASSERT_TRUE(GetParam().send(link));
    const auto frames = port->Frames();
    ASSERT_EQ(frames.size(), 1u);
    std::vector<std::uint8_t> expected = Hex(GetParam().bytes);
    unsigned sum = 0;
    for (std::size_t i = 2; i < expected.size(); ++i)
        sum += expected[i];
    expected.push_back(static_cast<std::uint8_t>(sum));
    EXPECT_EQ(frames[0], expected);
}

TEST_P(SenderTest, ReportsFailureOnAClosedLink) {
    link.Close();
    EXPECT_FALSE(GetParam().send(link));
    EXPECT_TRUE(port->written.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Records, SenderTest,
    testing::Values(
        SenderCase{"CaptureWindow",
                   [](CSerialComm& l) { return SendCaptureWindow(l, SampleInput(), 0x81); },
                   "ED CB 81 05 11 12 13 14 15 16 17 18"},
        SenderCase{"CaptureWindowToDevice",
                   [](CSerialComm& l) { return SendCaptureWindow(l, SampleInput(), 0x00); },
                   "ED CB 00 05 11 12 13 14 15 16 17 18"},
        SenderCase{"BaseMapWindow",
                   [](CSerialComm& l) { return SendBaseMapWindow(l, SampleInput(), 0x81); },
                   "ED CB 81 04 21 22 23 24 25 26 27 28"},
        SenderCase{"OutputWindow",
                   [](CSerialComm& l) { return SendOutputWindow(l, SampleOutput(), 0x05); },
                   "ED CB 05 04 31 32 33 34 35 36 37 38"},
        SenderCase{"Picture2Window",
                   [](CSerialComm& l) { return SendPicture2Window(l, SampleOutput(), 0x05); },
                   "ED CB 05 05 41 42 43 44 45 46 47 48"},
        SenderCase{"HorizontalSplice",
                   [](CSerialComm& l) { return SendHorizontalSplice(l, SampleOutput()); },
                   "ED CB 05 0C 0F 00 07 80 07 80 55 55"},
        SenderCase{"VerticalSplice",
                   [](CSerialComm& l) { return SendVerticalSplice(l, SampleOutput()); },
                   "ED CB 05 0D 08 70 04 38 04 38 55 55"},
        SenderCase{
            "Picture2HorizontalSplice",
            [](CSerialComm& l) { return SendPicture2HorizontalSplice(l, SampleOutput(), 0x05); },
            "ED CB 05 1C 51 52 53 54 55 56 55 55"},
        SenderCase{
            "Picture2VerticalSplice",
            [](CSerialComm& l) { return SendPicture2VerticalSplice(l, SampleOutput(), 0x05); },
            "ED CB 05 1D 61 62 63 64 65 66 55 55"},
        SenderCase{"PictureWord",
                   [](CSerialComm& l) { return SendPictureWord(l, SampleInput(), 0x81); },
                   "ED CB 81 15 01 02 03 04 A5 66 77 55"},
        SenderCase{"SelectSource",
                   [](CSerialComm& l) { return SendSelectSource(l, 0x82, kInputLayerPicture, 11); },
                   "ED CB 82 11 01 0B 55 55 55 55 55 55"},
        SenderCase{"Picture2Splice", [](CSerialComm& l) { return SendPicture2Splice(l, 0x05, 1); },
                   "ED CB 05 1E 01 55 55 55 55 55 55 55"}),
    [](const testing::TestParamInfo<SenderCase>& info) { return info.param.name; });

}  // namespace
}  // namespace kov
