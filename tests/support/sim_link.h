#pragma once
// The program's link on a simulator's port, through the real POSIX serial port.

#include <filesystem>

#include "link/command_log.h"
#include "link/serial_comm.h"

namespace kov::test {

// Sets link up for port COM<port> of the program directory dir (9600 baud, the given
// time-out), logging to log, and opens it. False when the port cannot be opened.
bool OpenSimLink(CSerialComm& link, BrellLog& log, const std::filesystem::path& dir, int port,
                 int timeout = 1);

}  // namespace kov::test
