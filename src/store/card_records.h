#pragma once
// Everything the program keeps about the fitted cards: the input and output tables, the
// whole-screen size, and the lock every change and every copy takes.

#include <filesystem>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "store/card_defaults.h"
#include "store/card_table.h"

namespace kov {

// A consistent copy of all records, taken under the lock and written outside it.
struct RecordsSnapshot {
    std::vector<InputCardRecord> inputs;
    std::vector<OutputCardRecord> outputs;
    WholeScreen screen;
};

class CardRecords {
public:
    CardRecords() : outputIni_(screen) {}
    CardRecords(const CardRecords&) = delete;
    CardRecords& operator=(const CardRecords&) = delete;

    // The program's records.
    static CardRecords& Instance();

    // Builds one record per configured card from the defaults file in programDir. False
    // when the defaults file cannot be read; the records are then still built, from the
    // defaults as they were. Takes the lock.
    bool Load(const CardConfiguration& config, const std::filesystem::path& programDir,
              const std::string& defaultsFile = kDefaultsFileName);

    // Frees every record and the defaults. Takes the lock.
    void Release();

    RecordsSnapshot Snapshot() const;

    // A copy of the record with that card ID, taken under the lock; nothing when none.
    std::optional<InputCardRecord> InputCopy(int cardId) const;
    std::optional<OutputCardRecord> OutputCopy(int cardId) const;
    // As above, but card ID 0 means the first record (pages with no card yet show it).
    std::optional<InputCardRecord> InputCopyOrFirst(int cardId) const;
    std::optional<OutputCardRecord> OutputCopyOrFirst(int cardId) const;

    // Changes the record with that card ID under the lock; false when there is none.
    bool EditInput(int cardId, const std::function<void(InputCardRecord&)>& change);
    bool EditOutput(int cardId, const std::function<void(OutputCardRecord&)>& change);

    // Every change of a record happens while this lock is held.
    std::unique_lock<std::mutex> Lock() const { return std::unique_lock<std::mutex>(mutex_); }

    CardTable<InputCardRecord> input;
    CardTable<OutputCardRecord> output;
    WholeScreen screen;

private:
    InputCardIni inputIni_;
    OutputCardIni outputIni_;
    std::string defaultsFile_;
    mutable std::mutex mutex_;
};

}  // namespace kov
