#pragma once
// The serial port on a POSIX terminal device: 8N1 raw, poll-bounded reads and writes.

#include <filesystem>

#include "platform/serial_port.h"

namespace kov {

class PosixSerialPort final : public SerialPort {
public:
    // Port numbers are looked up in the port list of programDir.
    explicit PosixSerialPort(std::filesystem::path programDir);
    ~PosixSerialPort() override;

    bool Open(int port, int baud, int timeout) override;
    void Close() override;
    bool IsOpen() const override { return fd_ >= 0; }
    std::size_t WriteSome(const std::uint8_t* data, std::size_t n) override;
    std::size_t ReadSome(std::uint8_t* buffer, std::size_t n) override;
    void FlushInput() override;

    // Opens a device path directly (used by Open and by tests).
    bool OpenDevice(const std::string& path, int baud, int timeout);

    int LastOpenError() const override { return lastOpenError_; }

private:
    void Configure(int baud);
    // Waits for `events` up to timeoutMs; true when ready. Throws on error or hang-up.
    bool WaitFor(short events, int timeoutMs);

    std::filesystem::path programDir_;
    int fd_ = -1;
    int timeout_ = 0;
    int lastOpenError_ = 0;
};

// The longest wait of one read call with time-out setting `timeout` (T x 700 ms) and of
// one write call of `bytes` bytes (10 ms per byte + T x 40 ms), in milliseconds; never
// negative and never beyond what poll takes, whatever the setting.
int ReadWaitMs(int timeout);
int WriteWaitMs(std::size_t bytes, int timeout);

// Why a port could not be opened, by the errno of the failed open.
enum class OpenFailure { kMissing, kPermission, kBusy, kOther };
OpenFailure ClassifyOpenError(int error);

// A readable reason for a failed open with the system's text and what to do: check the
// adapter (missing), join the dialout group and log in again (permission), close the
// other program (busy).
std::string DescribeOpenError(int error, const std::string& device);

}  // namespace kov
