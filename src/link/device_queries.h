#pragma once
// The three exchanges that read something from the device: detection, the device clock
// and the offline tasks.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "schedule/offline_task.h"

namespace kov {

class CSerialComm;

inline constexpr int kSlotCount = 14;
using SlotIds = std::array<std::uint8_t, kSlotCount>;

// Why a detection gave no card IDs.
enum class DetectResult { kOk, kNotSent, kNoValidReply };

// Sends the detect frame and, when it went out, waits for the status reply with retries.
// On success ids holds the card IDs of slots 1-14 (reply bytes 4-11 and 17-22).
DetectResult DetectCards(CSerialComm& link, SlotIds& ids);

// The slot IDs carried by a status reply.
SlotIds SlotIdsFromStatusReply(std::span<const std::uint8_t, kStatusReplySize> reply);

// Flushes pending input and asks the mother board for its clock. Nothing when the
// exchange failed or the port could not be flushed.
std::optional<ClockTime> ReadDeviceClock(CSerialComm& link, std::uint8_t motherBoardId);

// Sends the set-clock frame, then flushes pending input.
bool SetDeviceClock(CSerialComm& link, std::uint8_t motherBoardId, const ClockTime& time);

// Reads offline task n (0-127). Nothing when the exchange failed.
std::optional<_OFFSCHEDULE_Task> ReadOfflineTask(CSerialComm& link, std::uint8_t motherBoardId,
                                                 int n);

// What a read of all offline tasks came to.
struct TaskReadSummary {
    bool flushed = false;  // false: the port refused the flush and nothing was asked
    int asked = 0;         // tasks asked for
    int answered = 0;      // of those, tasks whose reply was accepted
    bool stopped = false;  // stop() ended the read early
};

// Reads tasks 0-127 in order while holding the link, flushing pending input before and
// after. onTask gets each task number with its task, or nothing when its reply failed;
// stop, when given, is asked before each task and ends the read when it says so.
TaskReadSummary ReadOfflineTasks(
    CSerialComm& link, std::uint8_t motherBoardId,
    const std::function<void(int n, const std::optional<_OFFSCHEDULE_Task>& task)>& onTask,
    const std::function<bool()>& stop = {});

// Sends the task of list row `row` as Write offline task; false when the task does not
// pack (it must never reach the device) or the frame did not go out whole.
bool DownloadOfflineTask(CSerialComm& link, std::uint8_t motherBoardId, int row,
                         const _OFFSCHEDULE_Task& task);

// Flushes pending input; false (instead of the exception) when the port refuses.
bool TryFlushInput(CSerialComm& link);

}  // namespace kov
