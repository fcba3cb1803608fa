#pragma once
// What every kovctl command works on: the program directory, its command log and the link.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "link/command_log.h"
#include "link/serial_comm.h"
#include "platform/program_dir.h"

namespace kovctl {

inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

struct Options {
    std::filesystem::path dir;       // the program directory: --dir, else the executable's
    std::optional<int> motherBoard;  // --mb overrides the configured mother board ID
    std::vector<std::string> args;   // the command and its arguments
};

class Context {
public:
    Context(Options options, kov::ProgramFolders folders);

    const Options& options() const { return options_; }
    // Where the writable files are: the program directory, or the per-user folder when
    // that cannot be written.
    const std::filesystem::path& Dir() const { return folders_.data; }
    const kov::ProgramFolders& Folders() const { return folders_; }

    // Opens the port that normalStart.ini configures, logging to the program's command
    // log. Prints what failed and returns nullptr when the port cannot be opened.
    kov::CSerialComm* OpenLink();

    // Fail for an exchange that went wrong: "device disconnected" when the device went
    // away during it, else message.
    int FailExchange(const std::string& message) const;

    // The mother board address: --mb, else the one in "Board Config.ini", else 0 when
    // there is no such file. Nothing, with the reason printed, when the file is there but
    // cannot be read: a guessed address would reach the wrong board.
    std::optional<std::uint8_t> MotherBoardId() const;

    // The open link and the mother board address, for the commands that address the
    // board; nothing, with what failed printed, when either cannot be had.
    struct Board {
        kov::CSerialComm& link;
        std::uint8_t address;
    };
    std::optional<Board> OpenBoard();

private:
    Options options_;
    kov::ProgramFolders folders_;
    std::unique_ptr<kov::BrellLog> log_;
    std::unique_ptr<kov::CSerialComm> link_;
};

// Prints "kovctl: <message>" on stderr and returns kExitFailed.
int Fail(const std::string& message);

// Prints "kovctl: <message>" (what is wrong with the arguments) on stderr and returns
// kExitUsage, after which the usage follows.
int WrongArguments(const std::string& message);

}  // namespace kovctl
