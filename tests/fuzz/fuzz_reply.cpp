// The replies of the device as the link accepts or rejects them. The first byte chooses
// the exchange, the rest is what the port delivers. An accepted reply passes the reply
// checks; an exchange never reads past what it asked for.

#include <cstdint>
#include <memory>
#include <span>

#include "fuzz_check.h"
#include "link/exchange.h"
#include "link/serial_comm.h"
#include "support/fake_clock.h"
#include "support/fake_port.h"

namespace {

enum class Exchange : std::uint8_t {
    kShortReply,
    kQueryReply,
    kStatusReply,
    kStatusRetrying,
    kQueryTask,
    kQueryClock,
    kCount,
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kov;
    if (size == 0)
        return 0;
    const std::span<const std::uint8_t> reply(data + 1, size - 1);
    // The checks on their own, for replies of any length.
    IsValidReply(reply);
    IsValidStatusReply(reply);

    test::FakeClock clock;
    CSerialComm link;
    auto owned = std::make_unique<test::FakePort>();
    test::FakePort& port = *owned;
    link.SetPort(std::move(owned));
    link.SetClock(&clock);
    link.baudRate = 115200;
    link.timeout = 1;
    fuzz::Check(link.Open(), "the scripted port opens");
    port.Reply({reply.begin(), reply.end()});

    const auto exchange = static_cast<Exchange>(data[0] % static_cast<int>(Exchange::kCount));
    std::span<const std::uint8_t> accepted;
    bool ok = false;
    switch (exchange) {
        case Exchange::kShortReply:
            ok = ReadReply(link, link.shortReply);
            accepted = link.shortReply;
            break;
        case Exchange::kQueryReply:
            ok = ReadReply(link, link.queryReply);
            accepted = link.queryReply;
            break;
        case Exchange::kStatusReply:
            ok = ReadStatusReply(link, link.statusReply);
            accepted = link.statusReply;
            break;
        case Exchange::kStatusRetrying:
            ok = ReadStatusReplyRetrying(link);
            accepted = link.statusReply;
            break;
        case Exchange::kQueryTask:
            ok = QueryDevice(link, 129, kSelectorReadTask, 0, 1);
            accepted = link.queryReply;
            break;
        case Exchange::kQueryClock:
            ok = QueryDevice(link, 1, kSelectorReadClock, 0, 0);
            accepted = link.shortReply;
            break;
        case Exchange::kCount:
            break;
    }
    const bool status = accepted.size() == kStatusReplySize;
    if (ok) {
        fuzz::Check(status ? IsValidStatusReply(accepted) : IsValidReply(accepted),
                    "an accepted reply passes its check");
    }
    const std::size_t read = reply.size() - port.input.size();
    const std::size_t asked = exchange == Exchange::kStatusRetrying
                                  ? kStatusReplySize * kStatusReplyAttempts
                                  : accepted.size();
    fuzz::Check(read <= asked, "an exchange reads no more than its replies");
    return 0;
}
