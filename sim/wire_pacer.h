#pragma once
// The serial line's pace: at 9600 baud with 8N1 framing each byte takes ten bit times, so a
// frame is complete no sooner than the wire could have carried its last byte.

#include <algorithm>
#include <chrono>

namespace kov::sim {

// Ten bit times at 9600 baud: about 1.0417 ms.
inline constexpr std::chrono::nanoseconds kByteTime9600{10'000'000'000LL / 9600};

class WirePacer {
public:
    using TimePoint = std::chrono::steady_clock::time_point;

    explicit WirePacer(std::chrono::nanoseconds perByte) : perByte_(perByte) {}

    // When the line has delivered a byte that was handed to it at `arrival`: one byte time
    // after the later of its arrival and the end of the byte before it.
    TimePoint Deliver(TimePoint arrival) {
        lineFree_ = std::max(arrival, lineFree_) + perByte_;
        return lineFree_;
    }

private:
    std::chrono::nanoseconds perByte_;
    TimePoint lineFree_{};
};

}  // namespace kov::sim
