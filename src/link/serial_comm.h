#pragma once
// The one link object of the process: the port, the link settings, the one frame
// buffer and the three reply buffers.

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

#include "link/frame.h"
#include "platform/clock.h"
#include "platform/serial_port.h"

namespace kov {

class BrellLog;

// A frame that only matters as the newest of its kind (a value being dragged), waiting
// for the line; key names the kind.
struct KeyedFrame {
    std::uint32_t key = 0;
    CommandFrame frame{};
};

class CSerialComm {
public:
    // A closed link with no port implementation yet (see SetPort).
    CSerialComm();
    virtual ~CSerialComm();
    CSerialComm(const CSerialComm&) = delete;
    CSerialComm& operator=(const CSerialComm&) = delete;

    // The process-wide link, created on first use; the application gives it its port.
    static CSerialComm& Instance();

    // Closes the port if open and opens `port number` with the current settings.
    // Never throws: any failure gives false.
    virtual bool Open();
    virtual void Close();
    virtual bool IsOpen() const;
    // True from a read or write that found the device gone (the port was closed then)
    // until the next successful Open or a Close by the caller.
    bool Disconnected() const { return disconnected_; }
    // errno of the last failed Open, 0 when unknown.
    int LastOpenError() const { return port_ ? port_->LastOpenError() : 0; }
    // Writes all n bytes: n, or -1 on failure, a write that stalls, or a closed port.
    virtual int Write(const std::uint8_t* data, int n);
    // Reads exactly n bytes: n, or -1 on failure or time-out. Bytes read before the
    // failure stay in buffer.
    virtual int Read(std::uint8_t* buffer, int n);
    // Discards pending input. Throws CSerialException on failure.
    void FlushInput();

    void SetPort(std::unique_ptr<SerialPort> port);
    SerialPort* Port() { return port_.get(); }

    int portNumber = 0;
    int timeout = 0;
    int baudRate = 0;

    // Where frames are logged (the process's command log), or none.
    void SetLog(BrellLog* log) { log_ = log; }
    BrellLog* Log() const { return log_; }

    // Pauses the exchanges prescribe go through this clock.
    void SetClock(Clock* clock) { clock_ = clock; }
    Clock& GetClock() const { return *clock_; }

    // One exchange at a time: every exchange takes this lock; a caller that needs
    // several exchanges in a row (detection) holds it across them.
    std::unique_lock<std::recursive_mutex> LockExchange() {
        return std::unique_lock<std::recursive_mutex>(exchangeMutex_);
    }
    // The lock when nobody holds it, else an unlocked guard (for work that can wait).
    std::unique_lock<std::recursive_mutex> TryLockExchange() {
        return std::unique_lock<std::recursive_mutex>(exchangeMutex_, std::try_to_lock);
    }

    // How long the bytes written so far still need to leave the computer, estimated from
    // the baud rate at ten bits per byte; zero when the line is idle. A clock that went
    // back since the last write counts as an idle line, so the estimate never sticks.
    Clock::duration LineBusyFor() const;

    // How long `bytes` take on the line at the link's baud rate, ten bits per byte.
    Clock::duration WireTime(int bytes) const;

    // Sleeps on the link's clock until no more than `backlog` of the written bytes is
    // still on its way out, so a pause or a reply read starts when the frame has left
    // the computer rather than when the kernel queued it.
    void WaitUntilSent(Clock::duration backlog = Clock::duration::zero());

    // Frames waiting for the line, oldest first; guarded by the exchange lock.
    std::vector<KeyedFrame> waitingFrames;

    CommandFrame frame;
    std::array<std::uint8_t, kShortReplySize> shortReply{};
    std::array<std::uint8_t, kStatusReplySize> statusReply{};
    std::array<std::uint8_t, kQueryReplySize> queryReply{};

private:
    void NoteWritten(int bytes);
    // Closes the port when the error says the device has gone.
    void NoteFailure(const CSerialException& failure);

    std::unique_ptr<SerialPort> port_;
    BrellLog* log_ = nullptr;
    Clock* clock_;
    Clock::TimePoint lastWrite_{};
    Clock::TimePoint lineIdleAt_{};
    std::recursive_mutex exchangeMutex_;
    std::atomic<bool> disconnected_{false};
};

}  // namespace kov
