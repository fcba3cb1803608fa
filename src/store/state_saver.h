#pragma once
// Keeps the state file current: a thread that wakes on the state-changed event, copies
// the records under their lock and writes the copy to "useConfig.ini" outside it.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <thread>

#include "store/auto_reset_event.h"
#include "store/card_records.h"

namespace kov {

inline constexpr const char* kStateFileName = "useConfig.ini";
inline constexpr std::chrono::milliseconds kSaverIdleTimeout{2000};

class StateSaver {
public:
    // How a snapshot reaches the disk; the project writer unless a test replaces it.
    using Writer = std::function<bool(const std::filesystem::path&, const RecordsSnapshot&)>;

    StateSaver(CardRecords& records, AutoResetEvent& event, std::filesystem::path stateFile,
               Writer writer = {});
    ~StateSaver();
    StateSaver(const StateSaver&) = delete;
    StateSaver& operator=(const StateSaver&) = delete;

    void Start();
    // Signals one last save, waits for it and ends the thread.
    void Stop();

    int SaveCount() const { return saves_.load(); }
    int FailedSaveCount() const { return failures_.load(); }
    // True while the state file is not current: the last save failed (a full disk, a
    // folder that became read-only). The next save that succeeds clears it.
    bool Failing() const { return failing_.load(); }

private:
    void Run();
    void SaveOnce();

    CardRecords& records_;
    AutoResetEvent& event_;
    std::filesystem::path stateFile_;
    Writer writer_;
    std::atomic<bool> running_{false};
    std::atomic<int> saves_{0};
    std::atomic<int> failures_{0};
    std::atomic<bool> failing_{false};
    std::thread thread_;
};

}  // namespace kov
