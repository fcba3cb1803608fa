#include "link/commands.h"

#include "link/exchange.h"

namespace kov {

namespace {

// Every one-byte value goes out as its low 8 bits.
constexpr std::uint8_t Byte(std::int64_t value) {
    return static_cast<std::uint8_t>(value);
}

CommandFrame WindowFrame(std::uint8_t address, std::uint8_t command, const WindowRect& window) {
    CommandFrame frame = ComposeFrame(address, command);
    PutWord(frame, 4, window.hLocation);
    PutWord(frame, 6, window.vLocation);
    PutWord(frame, 8, window.width);
    PutWord(frame, 10, window.height);
    return frame;
}

CommandFrame SpliceFrame(std::uint8_t address, std::uint8_t command, const SpliceSpan& span) {
    CommandFrame frame = ComposeFrame(address, command);
    PutWord(frame, 4, span.total);
    PutWord(frame, 6, span.location);
    PutWord(frame, 8, span.extent);
    return frame;
}

CommandFrame TemplateFrame(std::uint8_t action, int templateNumber) {
    CommandFrame frame = ComposeFrame(kDeviceAddress, cmd::kTemplate);
    frame[4] = action;
    frame[5] = Byte(templateNumber - 1);
    return frame;
}

// The address of a card record: the low 8 bits of its card ID.
std::uint8_t AddressOf(const OutputCardRecord& record) {
    return Byte(record.cardId);
}

}  // namespace

CommandFrame DeviceQueryFrame(std::uint8_t motherBoardId, std::uint8_t selector, std::uint8_t p5,
                              std::uint8_t p6) {
    CommandFrame frame = ComposeFrame(motherBoardId, cmd::kDeviceQuery);
    frame[4] = selector;
    frame[5] = p5;
    frame[6] = p6;
    return frame;
}

CommandFrame ReadTaskQueryFrame(std::uint8_t motherBoardId, int taskNumber) {
    return DeviceQueryFrame(motherBoardId, kSelectorReadTask, Byte(taskNumber), Byte(taskNumber));
}

CommandFrame ReadClockQueryFrame(std::uint8_t motherBoardId) {
    return DeviceQueryFrame(motherBoardId, kSelectorReadClock, kFiller, kFiller);
}

CommandFrame StoreTemplateFrame(int templateNumber) {
    return TemplateFrame(0x00, templateNumber);
}

CommandFrame RecallTemplateFrame(int templateNumber) {
    return TemplateFrame(0x01, templateNumber);
}

CommandFrame ResolutionFrame(std::uint8_t address, int resolutionCode) {
    CommandFrame frame = ComposeFrame(address, cmd::kResolution);
    frame[4] = Byte(resolutionCode);
    return frame;
}

CommandFrame PictureQualityFrame(std::uint8_t address, CardKind kind, PictureItem item, int value) {
    CommandFrame frame = ComposeFrame(address, cmd::kPictureQuality);
    frame[4] = static_cast<std::uint8_t>(item);
    frame[6] = Byte(value);
    if (item == PictureItem::kGamma)
        return frame;  // b5 and b7-b9 stay 0x55
    frame[5] = kind == CardKind::kInput ? 0x01 : 0x00;
    if (item == PictureItem::kColorTemperature) {
        frame[7] = 0x00;
        frame[8] = 0x00;
        frame[9] = 0x00;
    }
    return frame;
}

CommandFrame OutputWindowFrame(std::uint8_t address, const WindowRect& window) {
    return WindowFrame(address, cmd::kOutputOrBaseMapWindow, window);
}

CommandFrame BaseMapWindowFrame(std::uint8_t address, const WindowRect& window) {
    return WindowFrame(address, cmd::kOutputOrBaseMapWindow, window);
}

CommandFrame CaptureWindowFrame(std::uint8_t address, const WindowRect& window) {
    return WindowFrame(address, cmd::kCaptureOrPicture2Window, window);
}

CommandFrame Picture2WindowFrame(std::uint8_t address, const WindowRect& window) {
    return WindowFrame(address, cmd::kCaptureOrPicture2Window, window);
}

CommandFrame InputPictureDisplayFrame(std::uint8_t address, bool shown, int transparency) {
    CommandFrame frame = ComposeFrame(address, cmd::kPictureDisplay);
    frame[4] = shown ? 0x01 : 0x00;
    frame[5] = Byte(transparency);
    frame[6] = 0x00;
    return frame;
}

CommandFrame OutputPictureDisplayFrame(std::uint8_t address, int picture2On, int transparency) {
    CommandFrame frame = ComposeFrame(address, cmd::kPictureDisplay);
    frame[4] = Byte(picture2On);
    frame[5] = Byte(transparency);
    frame[6] = 0x00;
    return frame;
}

CommandFrame ShowOutputPictureFrame(std::uint8_t address, bool shown) {
    CommandFrame frame = ComposeFrame(address, cmd::kShowOutputPicture);
    frame[4] = shown ? 0x01 : 0x00;
    return frame;
}

CommandFrame HorizontalSpliceFrame(std::uint8_t address, const SpliceSpan& span) {
    return SpliceFrame(address, cmd::kHorizontalSplice, span);
}

CommandFrame VerticalSpliceFrame(std::uint8_t address, const SpliceSpan& span) {
    return SpliceFrame(address, cmd::kVerticalSplice, span);
}

CommandFrame Picture2HorizontalSpliceFrame(std::uint8_t address, const SpliceSpan& span) {
    return SpliceFrame(address, cmd::kPicture2HorizontalSplice, span);
}

CommandFrame Picture2VerticalSpliceFrame(std::uint8_t address, const SpliceSpan& span) {
    return SpliceFrame(address, cmd::kPicture2VerticalSplice, span);
}

CommandFrame SelectSourceFrame(std::uint8_t address, int layer, int source) {
    CommandFrame frame = ComposeFrame(address, cmd::kSelectSource);
    frame[4] = Byte(layer);
    frame[5] = Byte(source);
    return frame;
}

CommandFrame AutoAdjustFrame(std::uint8_t address) {
    return ComposeFrame(address, cmd::kAutoAdjust);
}

CommandFrame ResetFrame(std::uint8_t address) {
    return ComposeFrame(address, cmd::kReset);
}

CommandFrame PictureWordFrame(std::uint8_t address, const PictureWord& word) {
    CommandFrame frame = ComposeFrame(address, cmd::kPictureWord);
    frame[4] = Byte(word.onOff);
    frame[5] = Byte(word.mode);
    frame[6] = Byte(word.aboveOn);
    frame[7] = Byte(word.andOr);
    frame[8] = Byte(word.red);
    frame[9] = Byte(word.green);
    frame[10] = Byte(word.blue);
    return frame;
}

std::optional<CommandFrame> FadeFrame(FadeTarget target, int seconds) {
    if (seconds < 0 || seconds > kMaxFadeSeconds)
        return std::nullopt;
    CommandFrame frame = ComposeFrame(kFadeAddress, cmd::kFade);
    frame[4] = 0x00;
    frame[5] = static_cast<std::uint8_t>(target);
    frame[11] = Byte(seconds);
    return frame;
}

CommandFrame WriteTaskFrame(std::uint8_t motherBoardId, const TaskBytes& packed) {
    return ComposeFrame(motherBoardId, cmd::kWriteOfflineTask, packed);
}

CommandFrame SetClockFrame(std::uint8_t motherBoardId, int year, int month, int day, int hour,
                           int minute, int second) {
    CommandFrame frame = ComposeFrame(motherBoardId, cmd::kSetClock);
    frame[4] = Byte(year - 2000);
    frame[5] = Byte(month);
    frame[6] = Byte(day);
    frame[7] = Byte(hour);
    frame[8] = Byte(minute);
    frame[9] = Byte(second);
    return frame;
}

CommandFrame Picture2SpliceFrame(std::uint8_t address, int on) {
    CommandFrame frame = ComposeFrame(address, cmd::kPicture2Splice);
    frame[4] = Byte(on);
    return frame;
}

CommandFrame DeviceAutoAdjustFrame() {
    return AutoAdjustFrame(kDeviceAddress);
}

CommandFrame FactoryResetFrame() {
    return ResetFrame(kDeviceAddress);
}

CommandFrame InternalBusResetFrame() {
    return SelectSourceFrame(kInputSideAddress, kInputLayerBaseMap, kInternalBusSource);
}

CommandFrame DetectCardsFrame() {
    return ComposeFrame(kDeviceAddress, cmd::kDetectCards);
}

WindowRect CaptureWindowOf(const InputCardRecord& r) {
    return {r.inputHLocation, r.inputVLocation, r.inputHWidth, r.inputVHeight};
}

WindowRect BaseMapWindowOf(const InputCardRecord& r) {
    return {r.baseMapHLocation, r.baseMapVLocation, r.baseMapHWidth, r.baseMapVHeight};
}

WindowRect OutputWindowOf(const OutputCardRecord& r) {
    return {r.outputHLocation, r.outputVLocation, r.outputHWidth, r.outputVHeight};
}

WindowRect Picture2WindowOf(const OutputCardRecord& r) {
    return {r.doublePicHLocation, r.doublePicVLocation, r.doublePicHWidth, r.doublePicVHeight};
}

SpliceSpan HorizontalSpliceOf(const OutputCardRecord& r) {
    return {r.outputHparam, r.spliceHLocation, r.spliceHWidth};
}

SpliceSpan VerticalSpliceOf(const OutputCardRecord& r) {
    return {r.outputVparam, r.spliceVLocation, r.spliceVHeight};
}

SpliceSpan Picture2HorizontalSpliceOf(const OutputCardRecord& r) {
    return {r.doubleSpliceHparam, r.doubleSpliceHLocation, r.doubleSpliceHWidth};
}

SpliceSpan Picture2VerticalSpliceOf(const OutputCardRecord& r) {
    return {r.doubleSpliceVparam, r.doubleSpliceVLocation, r.doubleSpliceVHeight};
}

PictureWord PictureWordOf(const InputCardRecord& r) {
    return {r.picWordOnoff, r.picWordMode,  r.picWordAboveOn, r.picWordAndOr,
            r.picWordRed,   r.picWordGreen, r.picWordBlue};
}

bool SendCaptureWindow(CSerialComm& link, const InputCardRecord& record, std::uint8_t address) {
    return SendCommand(link, CaptureWindowFrame(address, CaptureWindowOf(record)));
}

bool SendBaseMapWindow(CSerialComm& link, const InputCardRecord& record, std::uint8_t address) {
    return SendCommand(link, BaseMapWindowFrame(address, BaseMapWindowOf(record)));
}

bool SendOutputWindow(CSerialComm& link, const OutputCardRecord& record, std::uint8_t address) {
    return SendCommand(link, OutputWindowFrame(address, OutputWindowOf(record)));
}

bool SendPicture2Window(CSerialComm& link, const OutputCardRecord& record, std::uint8_t address) {
    return SendCommand(link, Picture2WindowFrame(address, Picture2WindowOf(record)));
}

bool SendHorizontalSplice(CSerialComm& link, const OutputCardRecord& record) {
    return SendCommand(link, HorizontalSpliceFrame(AddressOf(record), HorizontalSpliceOf(record)));
}

bool SendVerticalSplice(CSerialComm& link, const OutputCardRecord& record) {
    return SendCommand(link, VerticalSpliceFrame(AddressOf(record), VerticalSpliceOf(record)));
}

bool SendPicture2HorizontalSplice(CSerialComm& link, const OutputCardRecord& record,
                                  std::uint8_t address) {
    return SendCommand(link,
                       Picture2HorizontalSpliceFrame(address, Picture2HorizontalSpliceOf(record)));
}

bool SendPicture2VerticalSplice(CSerialComm& link, const OutputCardRecord& record,
                                std::uint8_t address) {
    return SendCommand(link,
                       Picture2VerticalSpliceFrame(address, Picture2VerticalSpliceOf(record)));
}

bool SendPictureWord(CSerialComm& link, const InputCardRecord& record, std::uint8_t address) {
    return SendCommand(link, PictureWordFrame(address, PictureWordOf(record)));
}

bool SendSelectSource(CSerialComm& link, std::uint8_t address, int layer, int source) {
    return SendCommand(link, SelectSourceFrame(address, layer, source));
}

bool SendPicture2Splice(CSerialComm& link, std::uint8_t address, int on) {
    return SendCommand(link, Picture2SpliceFrame(address, on));
}

}  // namespace kov
