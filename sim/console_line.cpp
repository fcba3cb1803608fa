#include "console_line.h"

#include <poll.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>

#include "describe.h"

namespace kov::sim {

std::string ConsoleLine(std::chrono::system_clock::time_point when,
                        std::span<const std::uint8_t> bytes, const std::string& text) {
    using namespace std::chrono;
    const std::time_t seconds = system_clock::to_time_t(when);
    const auto millis = duration_cast<milliseconds>(when.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    char stamp[32];
    std::snprintf(stamp, sizeof stamp, "%02d:%02d:%02d.%03d", local.tm_hour, local.tm_min,
                  local.tm_sec, static_cast<int>(millis));
    return std::string(stamp) + "  " + HexOf(bytes) + "  " + text;
}

namespace {

constexpr int kStallMs = 1000;

}  // namespace

void ConsoleOutput::Print(const std::string& line) {
    // A line shorter than the pipe's buffer fits whenever the pipe reports room.
    pollfd room{STDOUT_FILENO, POLLOUT, 0};
    if (poll(&room, 1, stalled_ ? 0 : kStallMs) <= 0 || !(room.revents & POLLOUT)) {
        stalled_ = true;
        return;
    }
    stalled_ = false;
    std::fputs((line + "\n").c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace kov::sim
