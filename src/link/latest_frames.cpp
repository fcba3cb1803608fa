#include "link/latest_frames.h"

#include <algorithm>
#include <chrono>

#include "link/exchange.h"
#include "link/serial_comm.h"

namespace kov {
namespace {

// How soon to try again while another exchange (a synchronisation) holds the link.
constexpr std::chrono::milliseconds kBusyRetry{5};

bool LineIdle(const CSerialComm& link) {
    return link.LineBusyFor() == Clock::duration::zero();
}

}  // namespace

std::uint32_t LatestKey(const CommandFrame& frame) {
    return (std::uint32_t{frame[2]} << 16) | (std::uint32_t{frame[3]} << 8) | frame[4];
}

bool SendLatest(CSerialComm& link, const CommandFrame& frame) {
    auto lock = link.LockExchange();
    auto& waiting = link.waitingFrames;
    if (waiting.empty() && LineIdle(link))
        return WriteFrame(link, frame);
    const std::uint32_t key = LatestKey(frame);
    std::erase_if(waiting, [key](const KeyedFrame& f) { return f.key == key; });
    waiting.push_back({key, frame});
    return true;
}

std::optional<Clock::TimePoint> PumpLatest(CSerialComm& link) {
    auto lock = link.TryLockExchange();
    if (!lock.owns_lock())
        return link.GetClock().Now() + kBusyRetry;
    auto& waiting = link.waitingFrames;
    if (waiting.empty())
        return std::nullopt;
    if (LineIdle(link)) {
        const CommandFrame next = waiting.front().frame;
        waiting.erase(waiting.begin());
        WriteFrame(link, next);
        if (waiting.empty())
            return std::nullopt;
    }
    return link.GetClock().Now() + link.LineBusyFor();
}

void FlushLatest(CSerialComm& link) {
    auto lock = link.LockExchange();
    // Moved out first: WriteFrame does not come back here, but a failed write must not
    // leave frames to be written twice.
    auto waiting = std::move(link.waitingFrames);
    link.waitingFrames.clear();
    for (const KeyedFrame& f : waiting)
        WriteFrame(link, f.frame);
}

}  // namespace kov
