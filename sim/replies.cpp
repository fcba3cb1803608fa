#include "replies.h"

#include <algorithm>
#include <cstddef>

#include "device_codes.h"
#include "link/frame.h"

namespace kov::sim {
namespace {

// Sum of bytes first .. last (inclusive) leaving out byte `skip`, mod 256.
std::uint8_t SumExcept(const Bytes& bytes, std::size_t first, std::size_t last, std::size_t skip) {
    unsigned sum = 0;
    for (std::size_t i = first; i <= last; ++i) {
        if (i != skip)
            sum += bytes[i];
    }
    return static_cast<std::uint8_t>(sum);
}

// A reply of `size` bytes with the header and the query echoed in bytes 2-4.
Bytes QueryReplyFrame(std::size_t size, std::uint8_t motherBoardId, std::uint8_t selector) {
    Bytes reply(size, 0);
    reply[0] = kHeader1;
    reply[1] = kHeader2;
    reply[2] = motherBoardId;
    reply[3] = code::kQuery;
    reply[4] = selector;
    return reply;
}

// Sets byte 17 to the data length and the last byte to the checksum of bytes 15 .. 17 + L.
void FinishReply(Bytes& reply, std::uint8_t length) {
    reply[17] = length;
    reply.back() = SumExcept(reply, 15, 17 + length, reply.size());
}

}  // namespace

Bytes DetectReply(const Rack& rack) {
    Bytes reply(kStatusReplySize, 0);
    reply[0] = kHeader1;
    reply[1] = kHeader2;
    std::copy_n(rack.begin(), 8, reply.begin() + 4);
    std::copy_n(rack.begin() + 8, 6, reply.begin() + 17);

    unsigned idSum = 0;
    for (std::uint8_t id : rack)
        idSum += id;
    const std::size_t last = kStatusReplySize - 1;
    reply[last] = static_cast<std::uint8_t>(idSum);

    // Second block: bytes 15, 16, 17 and L data bytes; byte 15 absorbs the difference. It may
    // reach byte 25 itself, which is already set.
    const std::size_t secondEnd = std::min<std::size_t>(17 + reply[17], last);
    reply[15] = static_cast<std::uint8_t>(reply[last] - SumExcept(reply, 15, secondEnd, 15));
    // First block: bytes 2, 3, 4 and M bytes from byte 5; byte 2 is only in this block, so it
    // is settled last and may cover bytes 15-25 fixed above.
    const std::size_t firstEnd = std::min<std::size_t>(4 + reply[4], last);
    reply[2] = static_cast<std::uint8_t>(reply[last] - SumExcept(reply, 2, firstEnd, 2));
    return reply;
}

Bytes ClockReply(std::uint8_t motherBoardId, const DateTime& now) {
    Bytes reply = QueryReplyFrame(kShortReplySize, motherBoardId, kSelectorReadClock);
    reply[18] = static_cast<std::uint8_t>(now.year - 2000);
    reply[19] = static_cast<std::uint8_t>(now.month);
    reply[20] = static_cast<std::uint8_t>(now.day);
    reply[21] = static_cast<std::uint8_t>(now.hour);
    reply[22] = static_cast<std::uint8_t>(now.minute);
    reply[23] = static_cast<std::uint8_t>(now.second);
    FinishReply(reply, 6);
    return reply;
}

Bytes TaskReply(std::uint8_t motherBoardId, std::uint8_t number, const OfflineTask& task) {
    Bytes reply = QueryReplyFrame(kQueryReplySize, motherBoardId, kSelectorReadTask);
    reply[18] = number;
    if (task.written) {
        reply[19] = static_cast<std::uint8_t>(task.when.year - 2000);
        reply[20] = static_cast<std::uint8_t>(task.when.month);
        reply[21] = static_cast<std::uint8_t>(task.when.day);
        reply[22] = static_cast<std::uint8_t>(task.when.hour);
        reply[23] = static_cast<std::uint8_t>(task.when.minute);
        reply[24] = static_cast<std::uint8_t>(task.when.second);
        reply[25] = static_cast<std::uint8_t>(task.cycle);
        reply[26] = static_cast<std::uint8_t>(task.weekdays);
        reply[27] = static_cast<std::uint8_t>(task.templateNumber - 1);
    }
    FinishReply(reply, 10);
    return reply;
}

}  // namespace kov::sim
