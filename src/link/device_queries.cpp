#include "link/device_queries.h"

#include "link/commands.h"
#include "link/exchange.h"
#include "link/serial_comm.h"

namespace kov {

SlotIds SlotIdsFromStatusReply(std::span<const std::uint8_t, kStatusReplySize> reply) {
    SlotIds ids{};
    for (int slot = 0; slot < 8; ++slot)
        ids[slot] = reply[4 + slot];
    for (int slot = 8; slot < kSlotCount; ++slot)
        ids[slot] = reply[17 + slot - 8];
    return ids;
}

DetectResult DetectCards(CSerialComm& link, SlotIds& ids) {
    auto lock = link.LockExchange();
    if (!SendCommand(link, DetectCardsFrame()))
        return DetectResult::kNotSent;
    link.WaitUntilSent();  // the reply's read time-out counts once the frame is out
    if (!ReadStatusReplyRetrying(link))
        return DetectResult::kNoValidReply;
    ids = SlotIdsFromStatusReply(link.statusReply);
    return DetectResult::kOk;
}

bool TryFlushInput(CSerialComm& link) {
    try {
        link.FlushInput();
        return true;
    } catch (const CSerialException&) {
        return false;
    }
}

std::optional<ClockTime> ReadDeviceClock(CSerialComm& link, std::uint8_t motherBoardId) {
    auto lock = link.LockExchange();
    if (!TryFlushInput(link))
        return std::nullopt;
    if (!QueryDevice(link, motherBoardId, kSelectorReadClock, kFiller, kFiller))
        return std::nullopt;
    return ParseClockReply(link.shortReply);
}

bool SetDeviceClock(CSerialComm& link, std::uint8_t motherBoardId, const ClockTime& time) {
    auto lock = link.LockExchange();
    const bool sent = SendCommand(link, ClockFrame(motherBoardId, time));
    TryFlushInput(link);
    return sent;
}

std::optional<_OFFSCHEDULE_Task> ReadOfflineTask(CSerialComm& link, std::uint8_t motherBoardId,
                                                 int n) {
    const auto number = static_cast<std::uint8_t>(n);
    if (!QueryDevice(link, motherBoardId, kSelectorReadTask, number, number))
        return std::nullopt;
    return UnpackTaskReply(link.queryReply);
}

TaskReadSummary ReadOfflineTasks(
    CSerialComm& link, std::uint8_t motherBoardId,
    const std::function<void(int n, const std::optional<_OFFSCHEDULE_Task>& task)>& onTask,
    const std::function<bool()>& stop) {
    auto lock = link.LockExchange();
    TaskReadSummary summary;
    if (!TryFlushInput(link))
        return summary;
    summary.flushed = true;
    for (int n = 0; n < kOfflineTaskCount; ++n) {
        if (stop && stop()) {
            summary.stopped = true;
            break;
        }
        const auto task = ReadOfflineTask(link, motherBoardId, n);
        ++summary.asked;
        if (task)
            ++summary.answered;
        onTask(n, task);
    }
    TryFlushInput(link);
    return summary;
}

bool DownloadOfflineTask(CSerialComm& link, std::uint8_t motherBoardId, int row,
                         const _OFFSCHEDULE_Task& task) {
    const auto frame = TaskDownloadFrame(motherBoardId, row, task);
    return frame && SendCommand(link, *frame);
}

}  // namespace kov
