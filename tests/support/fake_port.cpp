#include "support/fake_port.h"

#include <algorithm>

namespace kov::test {

bool FakePort::Open(int port, int baud, int timeout) {
    ++openCount;
    lastPort = port;
    lastBaud = baud;
    lastTimeout = timeout;
    if (refuseOpen)
        return false;
    open = true;
    return true;
}

std::size_t FakePort::WriteSome(const std::uint8_t* data, std::size_t n) {
    if (failWithErrno)
        throw CSerialException(*failWithErrno);
    std::size_t take = writeChunk == 0 ? n : std::min(n, writeChunk);
    if (writeBudget) {
        take = std::min(take, *writeBudget);
        *writeBudget -= take;
    }
    const std::size_t before = written.size();
    written.insert(written.end(), data, data + take);
    if (answer && written.size() / 13 > before / 13) {
        const std::size_t start = written.size() / 13 * 13 - 13;
        Reply(answer({written.begin() + static_cast<std::ptrdiff_t>(start),
                      written.begin() + static_cast<std::ptrdiff_t>(start + 13)}));
    }
    return take;
}

void FakePort::FlushInput() {
    if (refuseFlush)
        throw CSerialException(EIO);
    input.clear();
}

std::size_t FakePort::ReadSome(std::uint8_t* buffer, std::size_t n) {
    ++readCalls;
    if (failWithErrno)
        throw CSerialException(*failWithErrno);
    const std::size_t take = std::min(n, input.size());
    std::copy_n(input.begin(), take, buffer);
    input.erase(input.begin(), input.begin() + static_cast<std::ptrdiff_t>(take));
    return take;
}

std::vector<std::vector<std::uint8_t>> FakePort::Frames() const {
    std::vector<std::vector<std::uint8_t>> frames;
    for (std::size_t i = 0; i + 13 <= written.size(); i += 13) {
        frames.emplace_back(written.begin() + static_cast<std::ptrdiff_t>(i),
                            written.begin() + static_cast<std::ptrdiff_t>(i + 13));
    }
    return frames;
}

}  // namespace kov::test
