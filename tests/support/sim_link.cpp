#include "support/sim_link.h"

#include "link/link_setup.h"
#include "platform/posix_serial_port.h"

namespace kov::test {

bool OpenSimLink(CSerialComm& link, BrellLog& log, const std::filesystem::path& dir, int port,
                 int timeout) {
    link.SetPort(std::make_unique<PosixSerialPort>(dir));
    link.SetLog(&log);
    link.portNumber = port;
    link.baudRate = kBaudRate;
    link.timeout = timeout;
    return link.Open();
}

}  // namespace kov::test
