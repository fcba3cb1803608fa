#include "platform/clock.h"

#include <thread>

namespace kov {
namespace {

class RealClock final : public Clock {
public:
    TimePoint Now() const override { return std::chrono::system_clock::now(); }
    void Sleep(std::chrono::milliseconds duration) override {
        std::this_thread::sleep_for(duration);
    }
};

}  // namespace

Clock& SystemClock() {
    static RealClock clock;
    return clock;
}

}  // namespace kov
