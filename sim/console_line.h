#pragma once
// The lines printed for every frame: time received, raw bytes, meaning.

#include <chrono>
#include <cstdint>
#include <span>
#include <string>

namespace kov::sim {

// "HH:MM:SS.mmm  ED CB ...  text" in local time.
std::string ConsoleLine(std::chrono::system_clock::time_point when,
                        std::span<const std::uint8_t> bytes, const std::string& text);

// Writes lines to standard output, flushed one by one for readers on a pipe. A reader that
// stops reading must not stall the device: when the pipe stays full for a second the line is
// dropped, and later lines are dropped at once until the pipe has room again.
class ConsoleOutput {
public:
    void Print(const std::string& line);

private:
    bool stalled_ = false;
};

}  // namespace kov::sim
