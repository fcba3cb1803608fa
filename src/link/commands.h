#pragma once
// The catalogue of device commands: one pure composer per command form, the named fixed
// frames, and the senders whose parameters come from a card record.
//
// Encoding rules shared by every composer: 16-bit values (positions, sizes, whole-screen
// totals) go out as their low 16 bits, high byte first; every other value goes out as its
// low 8 bits; parameter bytes a command does not set hold 0x55. Composers leave the
// checksum byte to SendCommand.

#include <array>
#include <cstdint>
#include <optional>

#include "link/frame.h"
#include "store/card_record.h"

namespace kov {

class CSerialComm;

// Command codes (byte 3).
namespace cmd {
inline constexpr std::uint8_t kDeviceQuery = 0x00;
inline constexpr std::uint8_t kTemplate = 0x01;
inline constexpr std::uint8_t kResolution = 0x02;
inline constexpr std::uint8_t kPictureQuality = 0x03;
inline constexpr std::uint8_t kOutputOrBaseMapWindow = 0x04;
inline constexpr std::uint8_t kCaptureOrPicture2Window = 0x05;
inline constexpr std::uint8_t kPictureDisplay = 0x06;
inline constexpr std::uint8_t kShowOutputPicture = 0x0B;
inline constexpr std::uint8_t kHorizontalSplice = 0x0C;
inline constexpr std::uint8_t kVerticalSplice = 0x0D;
inline constexpr std::uint8_t kSelectSource = 0x11;
inline constexpr std::uint8_t kAutoAdjust = 0x12;
inline constexpr std::uint8_t kReset = 0x13;
inline constexpr std::uint8_t kPictureWord = 0x15;
inline constexpr std::uint8_t kFade = 0x16;
inline constexpr std::uint8_t kWriteOfflineTask = 0x1A;
inline constexpr std::uint8_t kSetClock = 0x1B;
inline constexpr std::uint8_t kPicture2HorizontalSplice = 0x1C;
inline constexpr std::uint8_t kPicture2VerticalSplice = 0x1D;
inline constexpr std::uint8_t kPicture2Splice = 0x1E;
inline constexpr std::uint8_t kDetectCards = 0x20;
}  // namespace cmd

// Group addresses (byte 2).
inline constexpr std::uint8_t kDeviceAddress = 0x00;
inline constexpr std::uint8_t kInputSideAddress = 0xF0;
inline constexpr std::uint8_t kFadeAddress = 0x80;

// Layers of Select source (byte 4). The same byte means different layers on the two kinds.
inline constexpr std::uint8_t kInputLayerBaseMap = 0x00;
inline constexpr std::uint8_t kInputLayerPicture = 0x01;
inline constexpr std::uint8_t kOutputLayerPicture1 = 0x00;
inline constexpr std::uint8_t kOutputLayerPicture2 = 0x01;

// The source the internal bus reset switches the input side's base map to ("Int.Bus").
inline constexpr std::uint8_t kInternalBusSource = 13;

// Longest fade, in seconds.
inline constexpr int kMaxFadeSeconds = 5;

// Items of Set picture quality (byte 4).
enum class PictureItem : std::uint8_t {
    kBrightness = 0x00,
    kContrast = 0x01,
    kSaturation = 0x02,
    kDefinition = 0x03,
    kColorTemperature = 0x08,
    kGamma = 0x0B,  // output cards only
};

enum class FadeTarget : std::uint8_t { kPicture1 = 0x00, kPicture2 = 0x01 };

// A window: first pixel and extent in each direction.
struct WindowRect {
    std::int32_t hLocation = 0;
    std::int32_t vLocation = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// One direction of a splice: the total (whole screen) and the part shown.
struct SpliceSpan {
    std::int32_t total = 0;
    std::int32_t location = 0;
    std::int32_t extent = 0;
};

// The picture word (key colour) settings of an input card.
struct PictureWord {
    std::int32_t onOff = 0;
    std::int32_t mode = 0;
    std::int32_t aboveOn = 0;
    std::int32_t andOr = 0;
    std::int32_t red = 0;
    std::int32_t green = 0;
    std::int32_t blue = 0;
};

// The eight packed parameter bytes of Write offline task.
using TaskBytes = std::array<std::uint8_t, 8>;

// ---- Composers: one per command form. ----

// 0x00: b4 = selector, b5, b6 as given.
CommandFrame DeviceQueryFrame(std::uint8_t motherBoardId, std::uint8_t selector, std::uint8_t p5,
                              std::uint8_t p6);
// 0x00 with selector 0x09: b5 = b6 = task number.
CommandFrame ReadTaskQueryFrame(std::uint8_t motherBoardId, int taskNumber);
// 0x00 with selector 0x0A: b5 = b6 = 0x55.
CommandFrame ReadClockQueryFrame(std::uint8_t motherBoardId);

// 0x01 to the device: b4 = 0x00 store / 0x01 recall, b5 = template number - 1.
CommandFrame StoreTemplateFrame(int templateNumber);
CommandFrame RecallTemplateFrame(int templateNumber);

// 0x02: b4 = resolution code; address 0x00 or a card ID.
CommandFrame ResolutionFrame(std::uint8_t address, int resolutionCode);

// 0x03: b4 = item; brightness to colour temperature: b5 = 0x01 on an input card, 0x00 on an
// output card, b6 = value; colour temperature also sets b7-b9 to 0x00; gamma: b5 = 0x55,
// b6 = gamma code (the card kind does not matter).
CommandFrame PictureQualityFrame(std::uint8_t address, CardKind kind, PictureItem item, int value);

// 0x04 (output window of an output card, base map window of an input card) and 0x05
// (capture window of an input card, picture-2 window of an output card): b4-b5 horizontal
// position, b6-b7 vertical position, b8-b9 width, b10-b11 height.
CommandFrame OutputWindowFrame(std::uint8_t address, const WindowRect& window);
CommandFrame BaseMapWindowFrame(std::uint8_t address, const WindowRect& window);
CommandFrame CaptureWindowFrame(std::uint8_t address, const WindowRect& window);
CommandFrame Picture2WindowFrame(std::uint8_t address, const WindowRect& window);

// 0x06 on an input card: b4 = 0x01 shown / 0x00 hidden, b5 = transparency, b6 = 0x00.
CommandFrame InputPictureDisplayFrame(std::uint8_t address, bool shown, int transparency);
// 0x06 on an output card: b4 = picture 2 on (isOn), b5 = its transparency, b6 = 0x00.
CommandFrame OutputPictureDisplayFrame(std::uint8_t address, int picture2On, int transparency);

// 0x0B: b4 = 0x01 shown / 0x00 hidden.
CommandFrame ShowOutputPictureFrame(std::uint8_t address, bool shown);

// 0x0C / 0x0D / 0x1C / 0x1D: b4-b5 total, b6-b7 location, b8-b9 extent.
CommandFrame HorizontalSpliceFrame(std::uint8_t address, const SpliceSpan& span);
CommandFrame VerticalSpliceFrame(std::uint8_t address, const SpliceSpan& span);
CommandFrame Picture2HorizontalSpliceFrame(std::uint8_t address, const SpliceSpan& span);
CommandFrame Picture2VerticalSpliceFrame(std::uint8_t address, const SpliceSpan& span);

// 0x11: b4 = layer, b5 = source code.
CommandFrame SelectSourceFrame(std::uint8_t address, int layer, int source);

// 0x12 and 0x13 without parameters; address 0x00 for the whole device or a card ID.
CommandFrame AutoAdjustFrame(std::uint8_t address);
CommandFrame ResetFrame(std::uint8_t address);

// 0x15: b4 on/off, b5 mode, b6 above-on, b7 and/or, b8 red, b9 green, b10 blue.
CommandFrame PictureWordFrame(std::uint8_t address, const PictureWord& word);

// 0x16 to 0x80: b4 = 0x00, b5 = picture, b11 = fade time. A time outside 0-5 s composes
// nothing.
std::optional<CommandFrame> FadeFrame(FadeTarget target, int seconds);

// 0x1A: the eight packed task bytes as b4-b11.
CommandFrame WriteTaskFrame(std::uint8_t motherBoardId, const TaskBytes& packed);

// 0x1B: b4 = year - 2000, b5 month, b6 day, b7 hour, b8 minute, b9 second.
CommandFrame SetClockFrame(std::uint8_t motherBoardId, int year, int month, int day, int hour,
                           int minute, int second);

// 0x1E: b4 = the picture-2 splice switch as stored (isSpliceDouble: 1 on, 0 off).
CommandFrame Picture2SpliceFrame(std::uint8_t address, int on);

// ---- Named fixed frames. ----

CommandFrame DeviceAutoAdjustFrame();  // 00 12, no parameters
CommandFrame FactoryResetFrame();      // 00 13, no parameters
CommandFrame InternalBusResetFrame();  // F0 11 00 0D: input side base map to source 13
CommandFrame DetectCardsFrame();       // 00 20, no parameters

// ---- Record fields as command values. ----

WindowRect CaptureWindowOf(const InputCardRecord& record);
WindowRect BaseMapWindowOf(const InputCardRecord& record);
WindowRect OutputWindowOf(const OutputCardRecord& record);
WindowRect Picture2WindowOf(const OutputCardRecord& record);
SpliceSpan HorizontalSpliceOf(const OutputCardRecord& record);
SpliceSpan VerticalSpliceOf(const OutputCardRecord& record);
SpliceSpan Picture2HorizontalSpliceOf(const OutputCardRecord& record);
SpliceSpan Picture2VerticalSpliceOf(const OutputCardRecord& record);
PictureWord PictureWordOf(const InputCardRecord& record);

// ---- Senders: compose from the record's current values and SendCommand; the result is
// SendCommand's (callers of setting commands ignore it). ----

bool SendCaptureWindow(CSerialComm& link, const InputCardRecord& record, std::uint8_t address);
bool SendBaseMapWindow(CSerialComm& link, const InputCardRecord& record, std::uint8_t address);
bool SendOutputWindow(CSerialComm& link, const OutputCardRecord& record, std::uint8_t address);
bool SendPicture2Window(CSerialComm& link, const OutputCardRecord& record, std::uint8_t address);
// Addressed to the record's own card ID (low 8 bits).
bool SendHorizontalSplice(CSerialComm& link, const OutputCardRecord& record);
bool SendVerticalSplice(CSerialComm& link, const OutputCardRecord& record);
bool SendPicture2HorizontalSplice(CSerialComm& link, const OutputCardRecord& record,
                                  std::uint8_t address);
bool SendPicture2VerticalSplice(CSerialComm& link, const OutputCardRecord& record,
                                std::uint8_t address);
bool SendPictureWord(CSerialComm& link, const InputCardRecord& record, std::uint8_t address);
bool SendSelectSource(CSerialComm& link, std::uint8_t address, int layer, int source);
bool SendPicture2Splice(CSerialComm& link, std::uint8_t address, int on);

}  // namespace kov
