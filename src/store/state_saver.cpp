#include "store/state_saver.h"

#include "store/project_file.h"

namespace kov {

AutoResetEvent& StateChangedEvent() {
    static AutoResetEvent event;
    return event;
}

StateSaver::StateSaver(CardRecords& records, AutoResetEvent& event, std::filesystem::path stateFile,
                       Writer writer)
    : records_(records),
      event_(event),
      stateFile_(std::move(stateFile)),
      writer_(writer ? std::move(writer) : Writer(WriteProjectFile)) {}

StateSaver::~StateSaver() {
    Stop();
}

void StateSaver::Start() {
    if (thread_.joinable())
        return;
    running_ = true;
    thread_ = std::thread(&StateSaver::Run, this);
}

void StateSaver::Stop() {
    if (!thread_.joinable())
        return;
    running_ = false;
    event_.Set();
    thread_.join();
}

void StateSaver::Run() {
    while (running_) {
        // After a failed save, try again at every idle timeout, so the state reaches the
        // disk once there is room again even when nothing changes meanwhile.
        if (event_.WaitFor(kSaverIdleTimeout) || failing_)
            SaveOnce();
    }
    // Stop signals after clearing the flag; a save that was already under way when it did
    // may have missed the last change, so take the signal here if the loop did not.
    if (event_.WaitFor(std::chrono::milliseconds(0)))
        SaveOnce();
}

void StateSaver::SaveOnce() {
    // Copy under the lock, write outside it, so editing never waits for the disk.
    const RecordsSnapshot snapshot = records_.Snapshot();
    const bool saved = writer_(stateFile_, snapshot);
    // The state comes before the count, so whoever sees a new count sees its state too.
    failing_ = !saved;
    ++(saved ? saves_ : failures_);
}

}  // namespace kov
