#pragma once
// Runs the real executables for end-to-end tests and benchmarks.

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace kov::test {

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs program with args to completion, capturing both output streams.
RunResult Run(const std::string& program, const std::vector<std::string>& args);

// A background process whose standard output is read line by line.
class Background {
public:
    Background(const std::string& program, const std::vector<std::string>& args);
    ~Background();
    Background(const Background&) = delete;
    Background& operator=(const Background&) = delete;

    // The next output line, or false when the process closed its output or the time passed.
    bool ReadLine(std::string& line, std::chrono::milliseconds timeout);
    // Sends signal and waits for the process; returns its exit status (or 128 + signal).
    int Stop(int signal);
    pid_t Pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int out_ = -1;
    std::string pending_;
};

// Starts kov-sim in dir on port number and waits until its ports/COM<port> link exists.
class SimProcess {
public:
    SimProcess(const std::filesystem::path& dir, int port, std::vector<std::string> extra);
    Background& Process() { return process_; }
    std::filesystem::path Link() const { return link_; }

private:
    std::filesystem::path link_;
    Background process_;
};

}  // namespace kov::test
