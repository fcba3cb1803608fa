#include "link_commands.h"

#include <charconv>
#include <ctime>
#include <iostream>

#include "link/commands.h"
#include "link/device_queries.h"
#include "link/exchange.h"
#include "platform/port_list.h"

namespace kovctl {
namespace {

std::optional<std::uint8_t> ParseHexByte(const std::string& text) {
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty() || value > 0xFF) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(value);
}

}  // namespace

std::optional<int> ParseNumber(const std::string& text, int low, int high) {
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < low || value > high) {
        return std::nullopt;
    }
    return value;
}

int RunPorts(Context& context) {
    std::vector<kov::PortEntry> ports;
    kov::EnumerateComPorts(context.Dir(), ports);
    for (const kov::PortEntry& port : ports) {
        std::cout << port.number << '\t' << port.name << '\t' << port.device << '\n';
    }
    if (ports.empty())
        std::cerr << "kovctl: no serial ports found\n";
    return kExitOk;
}

int RunSend(Context& context, const std::vector<std::string>& bytes) {
    if (bytes.size() != 10)
        return WrongArguments("send needs 10 bytes, got " + std::to_string(bytes.size()));
    kov::CommandFrame frame = kov::BlankFrame();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto value = ParseHexByte(bytes[i]);
        if (!value)
            return WrongArguments("send: byte " + std::to_string(i + 2) + " \"" + bytes[i] +
                                  "\" is not a hex byte 00-FF");
        frame[2 + i] = *value;
    }
    kov::CSerialComm* link = context.OpenLink();
    if (link == nullptr)
        return kExitFailed;
    if (!kov::SendCommand(*link, frame))
        return context.FailExchange("write failed: the port took fewer than 13 bytes");
    std::cout << "sent" << kov::FrameHex(link->frame) << '\n';
    return kExitOk;
}

int RunDetect(Context& context) {
    kov::CSerialComm* link = context.OpenLink();
    if (link == nullptr)
        return kExitFailed;
    kov::SlotIds ids{};
    switch (kov::DetectCards(*link, ids)) {
        case kov::DetectResult::kNotSent:
            return context.FailExchange("write failed: the detect frame was not sent");
        case kov::DetectResult::kNoValidReply:
            return context.FailExchange("no reply: no valid status reply after " +
                                        std::to_string(kov::kStatusReplyAttempts) +
                                        " attempts (bad checksum or silent device)");
        case kov::DetectResult::kOk:
            break;
    }
    for (int slot = 0; slot < kov::kSlotCount; ++slot) {
        std::cout << "slot " << slot + 1 << ": " << static_cast<int>(ids[slot]) << '\n';
    }
    return kExitOk;
}

int RunClock(Context& context, const std::string& action) {
    if (action != "get" && action != "set")
        return WrongArguments("clock wants get or set, got \"" + action + "\"");
    const auto board = context.OpenBoard();
    if (!board)
        return kExitFailed;
    kov::CSerialComm* link = &board->link;
    const std::uint8_t mb = board->address;
    if (action == "set") {
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        localtime_r(&now, &local);
        const kov::ClockTime time{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                  local.tm_hour,        local.tm_min,     local.tm_sec};
        if (!kov::SetDeviceClock(*link, mb, time))
            return context.FailExchange("write failed: clock frame not sent");
        std::cout << "device clock set to " << kov::FormatClock(time) << '\n';
        return kExitOk;
    }
    const auto time = kov::ReadDeviceClock(*link, mb);
    if (!time)
        return context.FailExchange(
            "no reply: the device clock could not be read (no reply or bad checksum)");
    std::cout << kov::FormatClock(*time) << '\n';
    return kExitOk;
}

}  // namespace kovctl
