#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstring>

#include "platform/port_list.h"

namespace kov {
namespace {

speed_t BaudConstant(int baud) {
    switch (baud) {
        case 1200:
            return B1200;
        case 2400:
            return B2400;
        case 4800:
            return B4800;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 115200:
            return B115200;
        default:
            return B9600;
    }
}

constexpr std::int64_t kReadMsPerUnit = 700;
constexpr std::int64_t kWriteMsPerByte = 10;
constexpr std::int64_t kWriteMsPerUnit = 40;

// Computed in 64 bits, never negative (poll would wait for ever) and never beyond what
// poll takes.
int PollMs(std::int64_t ms) {
    return static_cast<int>(std::clamp<std::int64_t>(ms, 0, INT_MAX));
}

}  // namespace

int ReadWaitMs(int timeout) {
    return PollMs(kReadMsPerUnit * timeout);
}

int WriteWaitMs(std::size_t bytes, int timeout) {
    const auto n = static_cast<std::int64_t>(std::min<std::size_t>(bytes, INT_MAX));
    return PollMs(kWriteMsPerByte * n + kWriteMsPerUnit * std::max(timeout, 0));
}

PosixSerialPort::PosixSerialPort(std::filesystem::path programDir)
    : programDir_(std::move(programDir)) {}

PosixSerialPort::~PosixSerialPort() {
    Close();
}

bool PosixSerialPort::Open(int port, int baud, int timeout) {
    Close();
    const std::string device = PortDevicePath(programDir_, port);
    if (device.empty()) {
        lastOpenError_ = ENOENT;
        return false;
    }
    return OpenDevice(device, baud, timeout);
}

bool PosixSerialPort::OpenDevice(const std::string& path, int baud, int timeout) {
    Close();
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        lastOpenError_ = errno;
        return false;
    }
    if (::ioctl(fd, TIOCEXCL) != 0 && errno != ENOTTY) {
        lastOpenError_ = errno;
        ::close(fd);
        return false;
    }
    // The kernel lets root past the exclusive flag; the advisory lock keeps a second
    // process of ours off the port whoever runs it. It goes with the descriptor.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        lastOpenError_ = errno == EWOULDBLOCK ? EBUSY : errno;
        ::close(fd);
        return false;
    }
    lastOpenError_ = 0;
    fd_ = fd;
    timeout_ = timeout;
    Configure(baud);
    return true;
}

void PosixSerialPort::Configure(int baud) {
    termios tio{};
    if (::tcgetattr(fd_, &tio) != 0)
        throw CSerialException(errno);
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CLOCAL | CREAD;
    tio.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    const speed_t speed = BaudConstant(baud);
    ::cfsetispeed(&tio, speed);
    ::cfsetospeed(&tio, speed);
    if (::tcsetattr(fd_, TCSANOW, &tio) != 0)
        throw CSerialException(errno);
}

void PosixSerialPort::Close() {
    if (fd_ < 0)
        return;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
}

bool PosixSerialPort::WaitFor(short events, int timeoutMs) {
    pollfd pfd{fd_, events, 0};
    for (;;) {
        const int rc = ::poll(&pfd, 1, timeoutMs);
        if (rc < 0 && errno == EINTR)
            continue;
        if (rc < 0)
            throw CSerialException(errno);
        if (rc == 0)
            return false;
        if (pfd.revents & (POLLERR | POLLNVAL))
            throw CSerialException(EIO);
        if (pfd.revents & events)
            return true;
        // Hang-up without data: the adapter or the other end has gone.
        if (pfd.revents & POLLHUP)
            throw CSerialException(ENXIO);
        return false;
    }
}

std::size_t PosixSerialPort::WriteSome(const std::uint8_t* data, std::size_t n) {
    if (fd_ < 0)
        throw CSerialException(EBADF);
    if (!WaitFor(POLLOUT, WriteWaitMs(n, timeout_)))
        return 0;
    const ssize_t rc = ::write(fd_, data, n);
    if (rc < 0) {
        if (errno == EAGAIN || errno == EINTR)
            return 0;
        throw CSerialException(errno);
    }
    return static_cast<std::size_t>(rc);
}

std::size_t PosixSerialPort::ReadSome(std::uint8_t* buffer, std::size_t n) {
    if (fd_ < 0)
        throw CSerialException(EBADF);
    if (!WaitFor(POLLIN, ReadWaitMs(timeout_)))
        return 0;
    const ssize_t rc = ::read(fd_, buffer, n);
    if (rc < 0) {
        if (errno == EAGAIN || errno == EINTR)
            return 0;
        throw CSerialException(errno);
    }
    if (rc == 0)
        throw CSerialException(ENXIO);  // end of file: the device has gone
    return static_cast<std::size_t>(rc);
}

void PosixSerialPort::FlushInput() {
    if (fd_ < 0)
        throw CSerialException(EBADF);
    if (::tcflush(fd_, TCIFLUSH) != 0)
        throw CSerialException(errno);
}

OpenFailure ClassifyOpenError(int error) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
        case ENOTDIR:
            return OpenFailure::kMissing;
        case EACCES:
        case EPERM:
            return OpenFailure::kPermission;
        case EBUSY:
            return OpenFailure::kBusy;
        default:
            return OpenFailure::kOther;
    }
}

std::string DescribeOpenError(int error, const std::string& device) {
    const std::string text = "cannot open " + (device.empty() ? std::string("the port") : device) +
                             ": " + std::strerror(error);
    switch (ClassifyOpenError(error)) {
        case OpenFailure::kMissing:
            return text + " (the port does not exist: plug in the adapter, see 'kovctl ports')";
        case OpenFailure::kPermission:
            return text +
                   " (add your user to the 'dialout' group: sudo usermod -aG dialout $USER, then "
                   "log in again)";
        case OpenFailure::kBusy:
            return text + " (port in use: another program holds it; close that program)";
        case OpenFailure::kOther:
            break;
    }
    return text;
}

}  // namespace kov
