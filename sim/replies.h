#pragma once
// The reply frames of the three queries: card detection (26 bytes), the clock (25 bytes) and
// one offline task (29 bytes).

#include <cstdint>
#include <vector>

#include "device_state.h"

namespace kov::sim {

using Bytes = std::vector<std::uint8_t>;

// Bytes 4-11 carry slots 1-8 and bytes 17-22 slots 9-14. Byte 4 doubles as the count of the
// first checksum block and byte 17 as the count of the second, so the filler bytes 2 and 15
// are chosen to make both blocks sum to byte 25. With slot 1 above 21 or slot 9 above 8 the
// counts are out of range and the reply cannot pass the check; it is built anyway.
Bytes DetectReply(const Rack& rack);

// Bytes 18-23: year - 2000, month, day, hour, minute, second; byte 17 = 6.
Bytes ClockReply(std::uint8_t motherBoardId, const DateTime& now);

// Bytes 18-27: task number, year - 2000, month, day, hour, minute, second, cycle, weekday
// bits, template - 1; byte 17 = 10. A task never written reads as zeros.
Bytes TaskReply(std::uint8_t motherBoardId, std::uint8_t number, const OfflineTask& task);

}  // namespace kov::sim
