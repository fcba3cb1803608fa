#include "pseudo_terminal.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace kov::sim {
namespace {

void MakeRaw(int fd) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0)
        return;
    cfmakeraw(&settings);
    cfsetispeed(&settings, B9600);
    cfsetospeed(&settings, B9600);
    settings.c_cflag |= CLOCAL | CREAD;
    tcsetattr(fd, TCSANOW, &settings);
}

}  // namespace

PseudoTerminal::~PseudoTerminal() {
    if (slave_ >= 0)
        close(slave_);
    if (master_ >= 0)
        close(master_);
}

bool PseudoTerminal::Open(std::string& error) {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ptsname(master_);
    if (name == nullptr) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    slavePath_ = name;
    slave_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (slave_ < 0) {
        error = "cannot open " + slavePath_ + ": " + std::strerror(errno);
        return false;
    }
    MakeRaw(master_);
    MakeRaw(slave_);
    return true;
}

void PseudoTerminal::DropUnreadReplies() const {
    tcflush(slave_, TCIFLUSH);
}

void PseudoTerminal::ReleaseExclusiveLock() const {
    ioctl(slave_, TIOCNXCL);
}

}  // namespace kov::sim
