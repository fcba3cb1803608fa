#include "platform/serial_port.h"

#include <cerrno>
#include <cstring>

namespace kov {

CSerialException::CSerialException(int error)
    : std::runtime_error(std::strerror(error)), error_(error) {}

bool IsDisconnectError(int error) {
    return error == EIO || error == ENXIO || error == ENODEV;
}

bool CSerialException::GetErrorMessage(char* buffer, std::size_t size) const {
    if (buffer == nullptr || size == 0)
        return false;
    const std::string text = what();
    const std::size_t n = std::min(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n > 0;
}

}  // namespace kov
