#include "describe.h"

#include <cstdio>

#include "card_commands.h"
#include "device_clock.h"
#include "device_codes.h"
#include "offline_task.h"

namespace kov::sim {
namespace {

enum class Kind { kInput, kOutput, kBoth };

Kind KindOf(std::uint8_t address) {
    if (address == kAllCards)
        return Kind::kBoth;
    if (address == kInputSide || IsInputCardId(address))
        return Kind::kInput;
    return Kind::kOutput;
}

std::string Format(const char* format, auto... values) {
    char text[160];
    std::snprintf(text, sizeof text, format, values...);
    return text;
}

std::string Target(std::uint8_t address) {
    if (address == kAllCards)
        return "all cards";
    if (address == kInputSide)
        return "input side";
    return Format("card %d", address);
}

// Picks the text for the addressed kind; "a/b" when the frame goes to every card.
std::string ByKind(Kind kind, const char* input, const char* output) {
    if (kind == Kind::kInput)
        return input;
    if (kind == Kind::kOutput)
        return output;
    return std::string(output) + "/" + input;
}

std::string OnOff(int value) {
    return value ? "on" : "off";
}

std::string DescribeWindow(const CommandFrame& frame, const std::string& name) {
    const Window w = WindowOf(frame);
    return Format("set %s window %s: x=%d y=%d w=%d h=%d", name.c_str(), Target(frame[2]).c_str(),
                  w.x, w.y, w.width, w.height);
}

std::string DescribeSplice(const CommandFrame& frame, const char* name, const char* pos,
                           const char* size) {
    const Splice s = SpliceOf(frame);
    return Format("set %s splice %s: total=%d %s=%d %s=%d", name, Target(frame[2]).c_str(), s.total,
                  pos, s.position, size, s.size);
}

std::string DescribeQuality(const CommandFrame& frame) {
    const char* name = nullptr;
    switch (frame[4]) {
        case item::kBrightness:
            name = "brightness";
            break;
        case item::kContrast:
            name = "contrast";
            break;
        case item::kSaturation:
            name = "saturation";
            break;
        case item::kDefinition:
            name = "definition";
            break;
        case item::kColourTemperature:
            name = "colour temperature";
            break;
        case item::kGamma:
            name = "gamma";
            break;
        default:
            return Format("set picture quality %s: item 0x%02X value %d", Target(frame[2]).c_str(),
                          frame[4], frame[6]);
    }
    return Format("set %s %s: %d", name, Target(frame[2]).c_str(), frame[6]);
}

std::string DescribeDisplay(const CommandFrame& frame, Kind kind) {
    const std::string target = Target(frame[2]);
    if (kind == Kind::kInput) {
        return Format("set picture display %s: %s, transparency %d", target.c_str(),
                      frame[4] ? "shown" : "hidden", frame[5]);
    }
    if (kind == Kind::kOutput) {
        return Format("set picture display %s: picture 2 %s, transparency %d", target.c_str(),
                      OnOff(frame[4]).c_str(), frame[5]);
    }
    return Format("set picture display %s: %d, transparency %d", target.c_str(), frame[4],
                  frame[5]);
}

std::string DescribeSource(const CommandFrame& frame, Kind kind) {
    std::string layer;
    if (kind == Kind::kInput && frame[4] <= 1) {
        layer = frame[4] == 1 ? "picture" : "base map";
    } else if (kind == Kind::kOutput && frame[4] <= 1) {
        layer = frame[4] == 1 ? "picture 2" : "picture 1";
    } else {
        layer = Format("layer %d", frame[4]);
    }
    return Format("select source %s: %s source %d", Target(frame[2]).c_str(), layer.c_str(),
                  frame[5]);
}

std::string DescribeQuery(const CommandFrame& frame) {
    if (frame[4] == kSelectorReadClock)
        return "read clock";
    if (frame[4] == kSelectorReadTask)
        return Format("read offline task %d", frame[5]);
    return Format("query selector 0x%02X", frame[4]);
}

std::string DescribeTemplate(const CommandFrame& frame) {
    const int number = frame[5] + 1;
    if (frame[4] == kStoreTemplate)
        return Format("store template %d", number);
    if (frame[4] == kRecallTemplate)
        return Format("recall template %d", number);
    return Format("template operation 0x%02X on template %d", frame[4], number);
}

std::string DescribeClock(const CommandFrame& frame) {
    const DateTime when{2000 + frame[4], frame[5], frame[6], frame[7], frame[8], frame[9]};
    return "set clock " + FormatDateTime(when);
}

}  // namespace

std::string Describe(const CommandFrame& frame) {
    const Kind kind = KindOf(frame[2]);
    const std::string target = Target(frame[2]);
    switch (frame[3]) {
        case code::kQuery:
            return DescribeQuery(frame);
        case code::kTemplate:
            return DescribeTemplate(frame);
        case code::kResolution:
            return Format("set resolution %s: code %d", target.c_str(), frame[4]);
        case code::kQuality:
            return DescribeQuality(frame);
        case code::kWindow4:
            return DescribeWindow(frame, ByKind(kind, "base map", "output"));
        case code::kWindow5:
            return DescribeWindow(frame, ByKind(kind, "capture", "picture-2"));
        case code::kDisplay:
            return DescribeDisplay(frame, kind);
        case code::kShowOutput:
            return Format("show output picture %s: %s", target.c_str(),
                          frame[4] ? "shown" : "hidden");
        case code::kHSplice:
            return DescribeSplice(frame, "horizontal", "x", "w");
        case code::kVSplice:
            return DescribeSplice(frame, "vertical", "y", "h");
        case code::kSource:
            return DescribeSource(frame, kind);
        case code::kAutoAdjust:
            return "auto adjust " + target;
        case code::kReset:
            return frame[2] == kAllCards ? "factory reset" : "reset " + target;
        case code::kPictureWord:
            return Format("set picture word %s: on=%d mode=%d above=%d andor=%d rgb=%d,%d,%d",
                          target.c_str(), frame[4], frame[5], frame[6], frame[7], frame[8],
                          frame[9], frame[10]);
        case code::kFade:
            return Format("fade picture %d over %d s", frame[5] + 1, frame[11]);
        case code::kWriteTask:
            return Format("write offline task %d: ", frame[4]) + FormatTask(UnpackTask(frame).task);
        case code::kSetClock:
            return DescribeClock(frame);
        case code::kPicture2HSplice:
            return DescribeSplice(frame, "picture-2 horizontal", "x", "w");
        case code::kPicture2VSplice:
            return DescribeSplice(frame, "picture-2 vertical", "y", "h");
        case code::kPicture2Splice:
            return Format("set picture-2 splice %s: %s", target.c_str(), OnOff(frame[4]).c_str());
        case code::kDetect:
            return "detect cards";
        default:
            return Format("unknown command 0x%02X to %s", frame[3], target.c_str());
    }
}

std::string HexOf(std::span<const std::uint8_t> bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

}  // namespace kov::sim
