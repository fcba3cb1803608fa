#include "link/serial_comm.h"

#include <chrono>

namespace kov {

CSerialComm::CSerialComm() : frame(BlankFrame()), clock_(&SystemClock()) {
    frame[2] = 0x00;
}

CSerialComm::~CSerialComm() {
    Close();
}

CSerialComm& CSerialComm::Instance() {
    static CSerialComm* link = new CSerialComm();
    return *link;
}

void CSerialComm::SetPort(std::unique_ptr<SerialPort> port) {
    Close();
    port_ = std::move(port);
}

bool CSerialComm::Open() {
    if (!port_)
        return false;
    try {
        port_->Close();
        if (!port_->Open(portNumber, baudRate, timeout))
            return false;
        disconnected_ = false;
        return true;
    } catch (const CSerialException&) {
        return false;
    }
}

void CSerialComm::Close() {
    disconnected_ = false;
    if (!port_)
        return;
    try {
        port_->Close();
    } catch (const CSerialException&) {
    }
}

bool CSerialComm::IsOpen() const {
    return port_ && port_->IsOpen();
}

int CSerialComm::Write(const std::uint8_t* data, int n) {
    if (!IsOpen())
        return -1;
    int done = 0;
    try {
        while (done < n) {
            const std::size_t written =
                port_->WriteSome(data + done, static_cast<std::size_t>(n - done));
            if (written == 0)
                break;
            done += static_cast<int>(written);
        }
    } catch (const CSerialException& failure) {
        NoteWritten(done);
        NoteFailure(failure);
        return -1;
    }
    NoteWritten(done);
    if (done < n)
        return -1;
    return n < 0 ? 0 : n;
}

Clock::duration CSerialComm::LineBusyFor() const {
    const Clock::TimePoint now = clock_->Now();
    if (now < lastWrite_ || lineIdleAt_ <= now)
        return Clock::duration::zero();
    return lineIdleAt_ - now;
}

Clock::duration CSerialComm::WireTime(int bytes) const {
    const std::int64_t baud = baudRate > 0 ? baudRate : 9600;
    return std::chrono::microseconds(std::int64_t{bytes} * 10 * 1'000'000 / baud);
}

void CSerialComm::WaitUntilSent(Clock::duration backlog) {
    const Clock::duration rest = LineBusyFor() - backlog;
    if (rest > Clock::duration::zero())
        clock_->Sleep(std::chrono::ceil<std::chrono::milliseconds>(rest));
}

void CSerialComm::NoteWritten(int bytes) {
    if (bytes <= 0)
        return;
    const Clock::TimePoint now = clock_->Now();
    if (now < lastWrite_ || lineIdleAt_ < now)
        lineIdleAt_ = now;
    lastWrite_ = now;
    lineIdleAt_ += WireTime(bytes);
}

int CSerialComm::Read(std::uint8_t* buffer, int n) {
    if (!IsOpen())
        return -1;
    int done = 0;
    try {
        while (done < n) {
            const std::size_t got =
                port_->ReadSome(buffer + done, static_cast<std::size_t>(n - done));
            if (got == 0)
                return -1;
            done += static_cast<int>(got);
        }
    } catch (const CSerialException& failure) {
        NoteFailure(failure);
        return -1;
    }
    return n;
}

void CSerialComm::NoteFailure(const CSerialException& failure) {
    if (!IsDisconnectError(failure.Error()))
        return;
    try {
        port_->Close();
    } catch (const CSerialException&) {
    }
    disconnected_ = true;
}

void CSerialComm::FlushInput() {
    if (!port_ || !port_->IsOpen())
        throw CSerialException(EBADF);
    port_->FlushInput();
}

}  // namespace kov
