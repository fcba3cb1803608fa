// Latency from signalling the state-changed event to the complete state file being on
// disk (written, flushed and renamed), for a full rack of 14 cards.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <vector>

#include "store/project_file.h"
#include "store/state_saver.h"
#include "support/temp_dir.h"

int main() {
    using Clock = std::chrono::steady_clock;
    kov::test::TempDir dir;
    kov::CardConfiguration config;
    for (int slot = 1; slot <= 7; ++slot)
        config.outputCards.push_back({slot, slot});
    for (int slot = 8; slot <= 14; ++slot)
        config.inputCards.push_back({slot, 121 + slot});
    kov::CardRecords records;
    records.Load(config, KOV_DATA_DIR);

    std::atomic<long long> doneAt{0};
    kov::AutoResetEvent event;
    kov::StateSaver saver(records, event, dir / kov::kStateFileName,
                          [&](const std::filesystem::path& path, const kov::RecordsSnapshot& s) {
                              const bool ok = kov::WriteProjectFile(path, s);
                              doneAt = Clock::now().time_since_epoch().count();
                              return ok;
                          });
    saver.Start();
    constexpr int kRounds = 300;
    std::vector<double> millis;
    for (int i = 0; i < kRounds; ++i) {
        {
            auto lock = records.Lock();
            records.input.At(0).inputFrameLight = i;
        }
        doneAt = 0;
        const auto start = Clock::now();
        event.Set();
        while (doneAt == 0)
            std::this_thread::yield();
        const auto end = Clock::time_point(Clock::duration(doneAt.load()));
        millis.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    saver.Stop();
    std::sort(millis.begin(), millis.end());
    std::printf(
        "state-changed event to state file on disk (14 cards): median %.2f ms, p95 %.2f ms, max "
        "%.2f ms\n",
        millis[kRounds / 2], millis[kRounds * 95 / 100], millis.back());
    return 0;
}
