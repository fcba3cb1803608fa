#pragma once
// The serial port as the link sees it: one small interface, a POSIX implementation
// and test doubles behind it.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace kov {

// An operating-system failure of the port, carrying errno; what() is strerror(errno).
class CSerialException : public std::runtime_error {
public:
    explicit CSerialException(int error);
    int Error() const { return error_; }

    // Copies the text into buffer (cut to size - 1 characters); false and an empty
    // buffer when there is no text for the code.
    bool GetErrorMessage(char* buffer, std::size_t size) const;

private:
    int error_;
};

// True for the errors of a device that has gone (unplugged adapter, closed
// pseudo-terminal): EIO, ENXIO, ENODEV.
bool IsDisconnectError(int error);

class SerialPort {
public:
    virtual ~SerialPort() = default;

    // Opens port number `port` with 8N1 at `baud` and time-outs scaled by `timeout`.
    // Returns false when the device cannot be opened. Throws CSerialException when the
    // line settings cannot be applied; the port then stays open.
    virtual bool Open(int port, int baud, int timeout) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // errno of the last failed Open, 0 when it succeeded or the reason is not known.
    virtual int LastOpenError() const { return 0; }

    // One bounded write call: the number of bytes written, 0 when the write time-out
    // passed without progress. Throws CSerialException on failure.
    virtual std::size_t WriteSome(const std::uint8_t* data, std::size_t n) = 0;

    // One bounded read call: returns as soon as at least one byte has arrived, 0 when
    // the read time-out passed with nothing. Throws CSerialException on failure.
    virtual std::size_t ReadSome(std::uint8_t* buffer, std::size_t n) = 0;

    // Discards everything received and not yet read. Throws CSerialException on failure.
    virtual void FlushInput() = 0;
};

}  // namespace kov
