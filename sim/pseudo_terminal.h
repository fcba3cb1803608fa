#pragma once
// The pseudo-terminal the device listens on: the master end is the device's side of the
// line, the slave end is the port the program opens.

#include <string>

namespace kov::sim {

class PseudoTerminal {
public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // Creates the pair with both ends raw and the master non-blocking. The slave end stays
    // open here too, so the master never sees a hang-up when the program closes the port and
    // the line settings survive between the program's runs. False with `error` on failure.
    bool Open(std::string& error);

    int master() const { return master_; }
    int slave() const { return slave_; }
    const std::string& slavePath() const { return slavePath_; }

    // Drops replies nobody read, so a program that opens the port starts clean, as on a real
    // port that was closed meanwhile.
    void DropUnreadReplies() const;

    // Lifts the exclusive lock a program may have left on the port (e.g. when it was killed);
    // the slave end held here would otherwise keep it set for the next program.
    void ReleaseExclusiveLock() const;

private:
    int master_ = -1;
    int slave_ = -1;
    std::string slavePath_;
};

}  // namespace kov::sim
