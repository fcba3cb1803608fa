#pragma once
// The three exchanges that read something from the device: detection, the device clock
// and the offline tasks.

#include <array>
#include <cstdint>
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

// Flushes pending input; false (instead of the exception) when the port refuses.
bool TryFlushInput(CSerialComm& link);

}  // namespace kov
