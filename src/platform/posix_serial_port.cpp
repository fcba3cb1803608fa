#include "platform/posix_serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
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

constexpr int kReadMsPerUnit = 700;
constexpr int kWriteMsPerByte = 10;
constexpr int kWriteMsPerUnit = 40;

}  // namespace

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
    const int bound = kWriteMsPerByte * static_cast<int>(n) + kWriteMsPerUnit * timeout_;
    if (!WaitFor(POLLOUT, bound))
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
    if (!WaitFor(POLLIN, kReadMsPerUnit * timeout_))
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

std::string DescribeOpenError(int error, const std::string& device) {
    std::string text = "cannot open " + device + ": " + std::strerror(error);
    if (error == EACCES || error == EPERM) {
        text +=
            " (add your user to the 'dialout' group: sudo usermod -aG dialout $USER, then log in "
            "again)";
    }
    return text;
}

}  // namespace kov
