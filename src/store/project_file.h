#pragma once
// The project format: project files (*.scpx), template files and the state file. One
// section per fitted card, "[CardSlot<slot>]" followed by "key=value" lines, all in
// UTF-16LE with a byte-order mark and CR LF line ends. Writing turns a snapshot of the
// records into a file; reading changes the existing records in place, matching cards by
// their "ID" lines, never by the section names.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "store/card_records.h"

namespace kov {

// How the reader treats a key beyond storing its number.
enum class KeyRole {
    kNumber,        // stored with the decimal conversion, cut to the field's width
    kSource,        // like kNumber; the value is a source code of the record's card kind
    kResolution,    // the value is a resolution code; the whole table entry is copied
    kCardId,        // selects the current record of the card kind
    kScreenWidth,   // also becomes the whole-screen width
    kScreenHeight,  // also becomes the whole-screen height
};

// The field a key names: a member of the record of one of the widths files store.
template <class Record>
using ProjectField = std::variant<std::int32_t Record::*, std::uint16_t Record::*,
                                  std::uint8_t Record::*, ResolutionEntry Record::*>;

// One key of a card section. The tables below list them in the order files hold them.
template <class Record>
struct ProjectKey {
    std::string_view name;
    ProjectField<Record> field;
    KeyRole role = KeyRole::kNumber;
};

// The 26 keys of an input card section and the 34 keys of an output card section, in
// file order. Both the writer (order) and the reader (lookup) use these lists.
std::span<const ProjectKey<InputCardRecord>> InputProjectKeys();
std::span<const ProjectKey<OutputCardRecord>> OutputProjectKeys();

// The number a file stores for key: the field's value (8- and 16-bit fields unsigned),
// the code of a resolution entry.
template <class Record>
std::int64_t StoredValue(const Record& record, const ProjectKey<Record>& key) {
    return std::visit(
        [&record](auto member) -> std::int64_t {
            const auto& field = record.*member;
            if constexpr (std::is_same_v<std::decay_t<decltype(field)>, ResolutionEntry>) {
                return field.code;
            } else {
                return field;
            }
        },
        key.field);
}

// The complete file content for the records of snapshot: byte-order mark, then the input
// sections in table order, then the output sections.
std::string ProjectFileBytes(const RecordsSnapshot& snapshot);

// Writes the project file at path with WriteFileAtomically: path holds either its old or
// its new complete content. False when it cannot be written; the old file then stays.
bool WriteProjectFile(const std::filesystem::path& path, const RecordsSnapshot& snapshot);

// Why the reader passed over a line.
enum class IgnoredReason {
    kNoEquals,           // a non-blank line that is neither a section header nor key=value
    kUnknownKey,         // a key of neither card kind (letter case and blanks count)
    kNoCurrentRecord,    // a key of a card kind whose current record is not set yet
    kUnknownResolution,  // a resolution code that is not in the resolution table
};

struct IgnoredLine {
    int line = 0;     // physical line number, counted from 1
    std::string key;  // the key, or the whole line for kNoEquals
    IgnoredReason reason = IgnoredReason::kUnknownKey;
    friend bool operator==(const IgnoredLine&, const IgnoredLine&) = default;
};

// Where reading stopped because an "ID" line named a card that no record has.
struct ReadStop {
    int line = 0;
    int cardId = 0;
    friend bool operator==(const ReadStop&, const ReadStop&) = default;
};

struct ProjectReadReport {
    bool opened = false;              // false: the file could not be read, nothing changed
    std::optional<ReadStop> stopped;  // set when reading ended early at an unknown card ID
    std::vector<IgnoredLine> ignored;
    int appliedKeys = 0;  // lines whose value reached a record (ID lines included)

    // Opened, read to the end and nothing ignored.
    bool Clean() const { return opened && !stopped && ignored.empty(); }
};

// Applies file content to the records, taking records.Lock() for the whole application;
// the caller must not hold it. Never adds, removes or renumbers records. The report's
// `opened` is true.
ProjectReadReport ApplyProjectBytes(std::string_view bytes, CardRecords& records);

// Reads the file at path into the records (see ApplyProjectBytes). When the file cannot be
// read the report says so and no record changes; the caller then shows IDS_FIND_FILE.
ProjectReadReport ReadProjectFile(const std::filesystem::path& path, CardRecords& records);

// Readable English for a reason ("unknown key", ...).
std::string_view IgnoredReasonText(IgnoredReason reason);

}  // namespace kov
