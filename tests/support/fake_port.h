#pragma once
// A scripted serial port: records every byte written and plays back queued replies.

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/serial_port.h"

namespace kov::test {

class FakePort final : public SerialPort {
public:
    bool Open(int port, int baud, int timeout) override;
    void Close() override { open = false; }
    bool IsOpen() const override { return open; }
    int LastOpenError() const override { return refuseOpen ? openError : 0; }
    std::size_t WriteSome(const std::uint8_t* data, std::size_t n) override;
    std::size_t ReadSome(std::uint8_t* buffer, std::size_t n) override;
    void FlushInput() override;

    // Queues bytes for the reader.
    void Reply(const std::vector<std::uint8_t>& bytes) {
        input.insert(input.end(), bytes.begin(), bytes.end());
    }

    // The 13-byte frames written so far.
    std::vector<std::vector<std::uint8_t>> Frames() const;

    bool open = false;
    bool refuseOpen = false;
    int openError = 0;  // the errno a refused open reports
    int openCount = 0;
    int lastPort = 0, lastBaud = 0, lastTimeout = 0;
    std::vector<std::uint8_t> written;
    std::deque<std::uint8_t> input;
    // At most this many bytes per write call (0 = no limit); the call after the limit
    // is spent returns 0, like a write that times out.
    std::size_t writeChunk = 0;
    std::optional<std::size_t> writeBudget;  // total bytes accepted before stalling
    std::optional<int> failWithErrno;        // every read/write throws this errno
    bool refuseFlush = false;                // FlushInput throws, as a port that went away
    int readCalls = 0;
    // A device behind the port: called with every complete frame written, its answer is
    // queued for the reader (after any flush the exchange did before writing).
    std::function<std::vector<std::uint8_t>(const std::vector<std::uint8_t>& frame)> answer;
};

}  // namespace kov::test
