#include "context.h"

#include <iostream>

#include "link/link_setup.h"
#include "platform/port_list.h"
#include "platform/posix_serial_port.h"
#include "store/card_inventory.h"
#include "store/file_io.h"
#include "store/profile.h"
#include "store/settings.h"

namespace kovctl {

Context::Context(Options options, kov::ProgramFolders folders)
    : options_(std::move(options)), folders_(std::move(folders)) {}

int Fail(const std::string& message) {
    std::cerr << "kovctl: " << message << '\n';
    return kExitFailed;
}

int WrongArguments(const std::string& message) {
    std::cerr << "kovctl: " << message << '\n';
    return kExitUsage;
}

kov::CSerialComm* Context::OpenLink() {
    if (link_)
        return link_.get();
    const kov::Settings settings(Dir());
    if (!kov::IsReadable(settings.Path())) {
        Fail("cannot read " + settings.Path().string());
        return nullptr;
    }
    std::vector<kov::PortEntry> ports;
    kov::EnumerateComPorts(Dir(), ports);
    const kov::LinkSettings configured = settings.ReadLinkSettings();

    auto link = std::make_unique<kov::CSerialComm>();
    kov::ApplyLinkSettings(*link, ports, configured);
    auto port = std::make_unique<kov::PosixSerialPort>(Dir());
    kov::PosixSerialPort* posix = port.get();
    link->SetPort(std::move(port));
    // A script names its port on purpose: unlike the program's start-up, which falls back
    // to the last listed port, kovctl refuses a port that is not there.
    if (link->portNumber != configured.port || !kov::IsOpenablePortNumber(link->portNumber)) {
        Fail("port closed: COM" + std::to_string(configured.port) +
             " is not among the serial ports (see 'kovctl ports')");
        return nullptr;
    }
    if (!link->Open()) {
        const std::string device = kov::PortDevicePath(Dir(), link->portNumber);
        const int error = posix->LastOpenError();
        Fail("port closed: " + (error != 0
                                    ? kov::DescribeOpenError(error, device)
                                    : "cannot set up COM" + std::to_string(link->portNumber)));
        return nullptr;
    }
    log_ = std::make_unique<kov::BrellLog>(Dir(), kov::kCommandLogName);
    link->SetLog(log_.get());
    link_ = std::move(link);
    return link_.get();
}

int Context::FailExchange(const std::string& message) const {
    if (link_ && link_->Disconnected())
        return Fail("device disconnected: the port went away (" + message + ")");
    return Fail(message);
}

std::optional<Context::Board> Context::OpenBoard() {
    kov::CSerialComm* link = OpenLink();
    if (link == nullptr)
        return std::nullopt;
    const auto mb = MotherBoardId();
    if (!mb)
        return std::nullopt;
    return Board{*link, *mb};
}

std::optional<std::uint8_t> Context::MotherBoardId() const {
    if (options_.motherBoard)
        return static_cast<std::uint8_t>(*options_.motherBoard);
    const auto file = Dir() / kov::kBoardConfigFileName;
    std::error_code ec;
    if (std::filesystem::symlink_status(file, ec).type() != std::filesystem::file_type::not_found &&
        !kov::IsReadable(file)) {
        Fail("the file cannot be found or cannot be read: " + file.string() +
             " (or give the mother board ID with --mb)");
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(
        kov::ReadProfileInt(file, "Mother Board", "Mother Board 1 ID", 5));
}

}  // namespace kovctl
