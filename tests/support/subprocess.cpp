#include "support/subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <stdexcept>
#include <thread>

namespace kov::test {
namespace {

std::vector<char*> Argv(const std::string& program, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const auto& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    return argv;
}

std::string Drain(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

int ExitStatus(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

}  // namespace

RunResult Run(const std::string& program, const std::vector<std::string>& args) {
    int out[2], err[2];
    if (::pipe(out) != 0 || ::pipe(err) != 0)
        throw std::runtime_error("pipe failed");
    auto argv = Argv(program, args);
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(out[1], 1);
        ::dup2(err[1], 2);
        ::close(out[0]);
        ::close(err[0]);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    ::close(err[1]);
    RunResult result;
    std::thread errReader([&] { result.err = Drain(err[0]); });
    result.out = Drain(out[0]);
    errReader.join();
    ::close(out[0]);
    ::close(err[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.exitCode = ExitStatus(status);
    return result;
}

Background::Background(const std::string& program, const std::vector<std::string>& args) {
    int out[2];
    if (::pipe(out) != 0)
        throw std::runtime_error("pipe failed");
    auto argv = Argv(program, args);
    pid_ = ::fork();
    if (pid_ == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    ::close(out[1]);
    out_ = out[0];
}

Background::~Background() {
    if (pid_ > 0)
        Stop(SIGKILL);
    if (out_ >= 0)
        ::close(out_);
}

bool Background::ReadLine(std::string& line, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        const std::size_t eol = pending_.find('\n');
        if (eol != std::string::npos) {
            line = pending_.substr(0, eol);
            pending_.erase(0, eol + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd pfd{out_, POLLIN, 0};
        if (::poll(&pfd, 1, static_cast<int>(left.count())) <= 0)
            continue;
        char buffer[4096];
        const ssize_t n = ::read(out_, buffer, sizeof buffer);
        if (n <= 0)
            return false;
        pending_.append(buffer, static_cast<std::size_t>(n));
    }
}

int Background::Stop(int signal) {
    if (pid_ <= 0)
        return -1;
    ::kill(pid_, signal);
    int status = 0;
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
    return ExitStatus(status);
}

SimProcess::SimProcess(const std::filesystem::path& dir, int port, std::vector<std::string> extra)
    : link_(dir / "ports" / ("COM" + std::to_string(port))), process_(KOV_SIM_BIN, [&] {
          std::vector<std::string> args = {"--dir", dir.string(), "--port", std::to_string(port)};
          args.insert(args.end(), extra.begin(), extra.end());
          return args;
      }()) {
    std::string line;
    if (!process_.ReadLine(line, std::chrono::seconds(10)) || !std::filesystem::exists(link_)) {
        throw std::runtime_error("kov-sim did not start: " + line);
    }
}

}  // namespace kov::test
