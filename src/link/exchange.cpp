#include "link/exchange.h"

#include <algorithm>
#include <chrono>

#include "link/command_log.h"
#include "link/latest_frames.h"
#include "link/serial_comm.h"

namespace kov {
namespace {

constexpr std::chrono::milliseconds kReplyPause{80};
constexpr std::chrono::milliseconds kRetryPause{1000};

void LogTo(CSerialComm& link, std::span<const std::uint8_t> bytes, bool send) {
    if (BrellLog* log = link.Log())
        LogFrame(*log, bytes, send);
}

bool ReadExactly(CSerialComm& link, std::span<std::uint8_t> buffer) {
    const int n = static_cast<int>(buffer.size());
    return link.Read(buffer.data(), n) == n;
}

}  // namespace

bool SendCommand(CSerialComm& link, const CommandFrame& frame) {
    auto lock = link.LockExchange();
    if (!link.waitingFrames.empty())
        FlushLatest(link);
    return WriteFrame(link, frame);
}

bool WriteFrame(CSerialComm& link, const CommandFrame& frame) {
    auto lock = link.LockExchange();
    link.frame = frame;
    CompleteChecksum(link.frame);
    if (link.Write(link.frame.data(), static_cast<int>(kFrameSize)) !=
        static_cast<int>(kFrameSize)) {
        return false;
    }
    if (link.frame[0] == kHeader1 && link.frame[1] == kHeader2)
        LogTo(link, link.frame, true);
    return true;
}

bool ReadReply(CSerialComm& link, std::span<std::uint8_t> buffer) {
    auto lock = link.LockExchange();
    if (!ReadExactly(link, buffer) || !IsValidReply(buffer))
        return false;
    LogTo(link, buffer, false);
    return true;
}

bool ReadStatusReply(CSerialComm& link, std::span<std::uint8_t> buffer) {
    auto lock = link.LockExchange();
    if (buffer.size() != kStatusReplySize || !ReadExactly(link, buffer))
        return false;
    LogTo(link, buffer, false);
    if (!IsValidStatusReply(buffer))
        return false;
    LogTo(link, buffer, false);
    return true;
}

bool QueryDevice(CSerialComm& link, std::uint8_t cardId, std::uint8_t selector, std::uint8_t p5,
                 std::uint8_t p6) {
    auto lock = link.LockExchange();
    const std::uint8_t params[] = {selector, p5, p6};
    if (!SendCommand(link, ComposeFrame(cardId, 0x00, params)))
        return false;
    // The pause counts from the moment the query has left the computer: after a long run
    // of frames the query may still wait in the kernel behind them.
    link.WaitUntilSent();
    link.GetClock().Sleep(kReplyPause);
    if (selector == kSelectorReadTask) {
        link.queryReply.fill(0);
        return ReadReply(link, link.queryReply);
    }
    if (selector == kSelectorReadClock) {
        link.shortReply.fill(0);
        return ReadReply(link, link.shortReply);
    }
    return false;
}

bool ReadStatusReplyRetrying(CSerialComm& link) {
    auto lock = link.LockExchange();
    for (int attempt = 0; attempt < kStatusReplyAttempts; ++attempt) {
        link.statusReply.fill(0);
        if (ReadStatusReply(link, link.statusReply))
            return true;
        if (!link.IsOpen())
            return false;  // the device has gone: no reply can come
        link.GetClock().Sleep(kRetryPause);
    }
    return false;
}

}  // namespace kov
