#include "store/project_file.h"

#include <algorithm>

#include "store/file_io.h"
#include "store/profile.h"
#include "store/tables.h"
#include "store/text_codec.h"

namespace kov {
namespace {

using In = InputCardRecord;
using Out = OutputCardRecord;

constexpr ProjectKey<In> kInputKeys[] = {
    {"ID", &In::cardId, KeyRole::kCardId},
    {"inputResolution", &In::inputResolution, KeyRole::kResolution},
    {"inputSrc", &In::inputSrc, KeyRole::kSource},
    {"inputtranspy", &In::inputtranspy},
    {"inputPicShow", &In::inputPicShow},
    {"inputHLocation", &In::inputHLocation},
    {"inputHWidth", &In::inputHWidth},
    {"inputVLocation", &In::inputVLocation},
    {"inputVHeight", &In::inputVHeight},
    {"inputFrameLight", &In::inputFrameLight},
    {"inputFrameContrast", &In::inputFrameContrast},
    {"inputFrameSaturation", &In::inputFrameSaturation},
    {"inputFrameDefinition", &In::inputFrameDefinition},
    {"inputFrameColorTemperation", &In::inputFrameColorTemperation},
    {"picWordOnoff", &In::picWordOnoff},
    {"picWordMode", &In::picWordMode},
    {"picWordAboveOn", &In::picWordAboveOn},
    {"picWordAndOr", &In::picWordAndOr},
    {"picWordRed", &In::picWordRed},
    {"picWordGreen", &In::picWordGreen},
    {"picWordBlue", &In::picWordBlue},
    {"baseMapinputSrc", &In::baseMapinputSrc, KeyRole::kSource},
    {"baseMapHLocation", &In::baseMapHLocation},
    {"baseMapHWidth", &In::baseMapHWidth},
    {"baseMapVLocation", &In::baseMapVLocation},
    {"baseMapVHeight", &In::baseMapVHeight},
};

constexpr ProjectKey<Out> kOutputKeys[] = {
    {"ID", &Out::cardId, KeyRole::kCardId},
    {"OutPutinputSrc", &Out::OutPutinputSrc, KeyRole::kSource},
    {"outputReso", &Out::outputReso, KeyRole::kResolution},
    {"outputPicshow", &Out::outputPicshow},
    {"outputHparam", &Out::outputHparam, KeyRole::kScreenWidth},
    {"outputVparam", &Out::outputVparam, KeyRole::kScreenHeight},
    {"spliceHLocation", &Out::spliceHLocation},
    {"spliceHWidth", &Out::spliceHWidth},
    {"spliceVLocation", &Out::spliceVLocation},
    {"spliceVHeight", &Out::spliceVHeight},
    {"outputHLocation", &Out::outputHLocation},
    {"outputHWidth", &Out::outputHWidth},
    {"outputVLocation", &Out::outputVLocation},
    {"outputVHeight", &Out::outputVHeight},
    {"outputFrameLight", &Out::outputFrameLight},
    {"outputFrameContrast", &Out::outputFrameContrast},
    {"outputFrameSaturation", &Out::outputFrameSaturation},
    {"outputFrameDefinition", &Out::outputFrameDefinition},
    {"outputFrameColorTemperation", &Out::outputFrameColorTemperation},
    {"outputFrameGamma", &Out::outputFrameGamma},
    {"isOn", &Out::isOn},
    {"DoublePicinputSrc", &Out::DoublePicinputSrc, KeyRole::kSource},
    {"doublePicHLocation", &Out::doublePicHLocation},
    {"doublePicHWidth", &Out::doublePicHWidth},
    {"doublePicVLocation", &Out::doublePicVLocation},
    {"doublePicVHeight", &Out::doublePicVHeight},
    {"doublePictranspy", &Out::doublePictranspy},
    {"isSpliceDouble", &Out::isSpliceDouble},
    {"doubleSpliceHparam", &Out::doubleSpliceHparam},
    {"doubleSpliceVparam", &Out::doubleSpliceVparam},
    {"doubleSpliceHLocation", &Out::doubleSpliceHLocation},
    {"doubleSpliceHWidth", &Out::doubleSpliceHWidth},
    {"doubleSpliceVLocation", &Out::doubleSpliceVLocation},
    {"doubleSpliceVHeight", &Out::doubleSpliceVHeight},
};

// ---- Writing ----

template <class Record>
void AppendSection(std::string& text, const Record& record,
                   std::span<const ProjectKey<Record>> keys) {
    text += "[CardSlot";
    text += std::to_string(record.slot);
    text += "]\r\n";
    for (const ProjectKey<Record>& key : keys) {
        text += key.name;
        text += '=';
        text += std::to_string(StoredValue(record, key));
        text += "\r\n";
    }
}

// ---- Reading ----

// Longest line of 8-bit text the reader takes at once, like a line reader with a buffer
// of 4096 bytes.
constexpr std::size_t kMaxNarrowLineBytes = 4095;

struct TextLine {
    std::string_view text;
    int number = 0;  // physical line, counted from 1
};

// Splits text into lines at LF. With a maxBytes limit (8-bit text), lines are read like a
// line reader with a fixed buffer reads them: a line longer than maxBytes comes out in pieces
// of maxBytes bytes, and every piece, the rest of the line included, is handled as a line of
// its own (with the physical line number it came from). We keep the rest rather than skip it
// so that a file gives the same records as in a reader with a 4096-byte line buffer; a valid
// project file never has such lines (its longest line has about 40 bytes). Text after a NUL
// character is not part of the line (a C-string line ends there), and one trailing CR LF, CR
// or LF is removed.
class LineSplitter {
public:
    LineSplitter(std::string_view text, std::size_t maxBytes) : text_(text), max_(maxBytes) {}

    bool Next(TextLine& line) {
        if (pos_ >= text_.size())
            return false;
        const std::size_t lf = text_.find('\n', pos_);
        std::size_t end = lf == std::string_view::npos ? text_.size() : lf + 1;
        if (max_ != 0 && end - pos_ > max_)
            end = pos_ + max_;
        std::string_view piece = text_.substr(pos_, end - pos_);
        line.number = number_;
        if (piece.back() == '\n')
            ++number_;
        pos_ = end;

        piece = piece.substr(0, piece.find('\0'));
        if (piece.ends_with("\r\n")) {
            piece.remove_suffix(2);
        } else if (piece.ends_with('\r') || piece.ends_with('\n')) {
            piece.remove_suffix(1);
        }
        line.text = piece;
        return true;
    }

private:
    std::string_view text_;
    std::size_t max_;
    std::size_t pos_ = 0;
    int number_ = 1;
};

bool IsBlank(std::string_view line) {
    return std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; });
}

template <class Record>
const ProjectKey<Record>* FindKey(std::span<const ProjectKey<Record>> keys, std::string_view name) {
    for (const ProjectKey<Record>& key : keys) {
        if (key.name == name)
            return &key;
    }
    return nullptr;
}

// Stores value in the field of key; 8- and 16-bit fields keep the low bits of the number.
// False when a resolution code is not in the table (the field is then unchanged).
template <class Record>
bool StoreValue(Record& record, const ProjectKey<Record>& key, std::string_view value,
                WholeScreen& screen) {
    const int number = DecimalValue(value);
    const bool stored = std::visit(
        [&](auto member) {
            auto& field = record.*member;
            using Field = std::decay_t<decltype(field)>;
            if constexpr (std::is_same_v<Field, ResolutionEntry>) {
                const ResolutionEntry* entry = FindResolution(number);
                if (entry == nullptr)
                    return false;
                field = *entry;
            } else {
                field = static_cast<Field>(number);
            }
            return true;
        },
        key.field);
    if (key.role == KeyRole::kScreenWidth)
        screen.width = number;
    if (key.role == KeyRole::kScreenHeight)
        screen.height = number;
    return stored;
}

// Applies the lines of decoded text; the caller holds the records' lock.
class ProjectApplier {
public:
    ProjectApplier(CardRecords& records, ProjectReadReport& report)
        : records_(records), report_(report) {}

    // False when reading must stop.
    bool Apply(const TextLine& line) {
        if (IsBlank(line.text) || line.text.front() == '[')
            return true;
        const std::size_t eq = line.text.find('=');
        if (eq == std::string_view::npos) {
            Ignore(line, line.text, IgnoredReason::kNoEquals);
            return true;
        }
        const std::string_view key = line.text.substr(0, eq);
        const std::string_view value = line.text.substr(eq + 1);
        const ProjectKey<In>* inputKey = FindKey(InputProjectKeys(), key);
        if (inputKey != nullptr && inputKey->role == KeyRole::kCardId) {
            return SelectCard(line, DecimalValue(value));
        }
        if (inputKey != nullptr)
            return Store(line, input_, *inputKey, key, value);
        if (const ProjectKey<Out>* outputKey = FindKey(OutputProjectKeys(), key)) {
            return Store(line, output_, *outputKey, key, value);
        }
        Ignore(line, key, IgnoredReason::kUnknownKey);
        return true;
    }

private:
    bool SelectCard(const TextLine& line, int cardId) {
        // The other kind's current record stays as it is.
        bool found = false;
        if (IsInputCardId(cardId)) {
            input_ = records_.input.Find(cardId);
            found = input_ != nullptr;
        } else {
            output_ = records_.output.Find(cardId);
            found = output_ != nullptr;
        }
        if (!found) {
            report_.stopped = ReadStop{line.number, cardId};
            return false;
        }
        ++report_.appliedKeys;
        return true;
    }

    template <class Record>
    bool Store(const TextLine& line, Record* current, const ProjectKey<Record>& key,
               std::string_view name, std::string_view value) {
        if (current == nullptr) {
            Ignore(line, name, IgnoredReason::kNoCurrentRecord);
        } else if (!StoreValue(*current, key, value, records_.screen)) {
            Ignore(line, name, IgnoredReason::kUnknownResolution);
        } else {
            ++report_.appliedKeys;
        }
        return true;
    }

    void Ignore(const TextLine& line, std::string_view key, IgnoredReason reason) {
        report_.ignored.push_back({line.number, std::string(key), reason});
    }

    CardRecords& records_;
    ProjectReadReport& report_;
    In* input_ = nullptr;
    Out* output_ = nullptr;
};

}  // namespace

std::span<const ProjectKey<InputCardRecord>> InputProjectKeys() {
    return kInputKeys;
}
std::span<const ProjectKey<OutputCardRecord>> OutputProjectKeys() {
    return kOutputKeys;
}

std::string ProjectFileBytes(const RecordsSnapshot& snapshot) {
    std::string text;
    text.reserve((snapshot.inputs.size() + snapshot.outputs.size()) * 800);
    for (const InputCardRecord& record : snapshot.inputs) {
        AppendSection(text, record, InputProjectKeys());
    }
    for (const OutputCardRecord& record : snapshot.outputs) {
        AppendSection(text, record, OutputProjectKeys());
    }
    return std::string(kUtf16Bom) + Utf8ToUtf16Le(text);
}

bool WriteProjectFile(const std::filesystem::path& path, const RecordsSnapshot& snapshot) {
    return WriteFileAtomically(path, ProjectFileBytes(snapshot));
}

ProjectReadReport ApplyProjectBytes(std::string_view bytes, CardRecords& records) {
    ProjectReadReport report;
    report.opened = true;
    // A file with the byte-order mark is UTF-16LE (an odd last byte is dropped); any other
    // file, including one shorter than two bytes, is 8-bit text with limited line length.
    const bool utf16 = HasUtf16Bom(bytes);
    const std::string decoded = utf16 ? Utf16LeToUtf8(bytes.substr(2)) : std::string();
    LineSplitter lines(utf16 ? std::string_view(decoded) : bytes, utf16 ? 0 : kMaxNarrowLineBytes);

    auto lock = records.Lock();
    ProjectApplier applier(records, report);
    TextLine line;
    while (lines.Next(line)) {
        if (!applier.Apply(line))
            break;
    }
    return report;
}

ProjectReadReport ReadProjectFile(const std::filesystem::path& path, CardRecords& records) {
    const auto bytes = ReadWholeFile(path);
    if (!bytes)
        return {};
    return ApplyProjectBytes(*bytes, records);
}

std::string_view IgnoredReasonText(IgnoredReason reason) {
    switch (reason) {
        case IgnoredReason::kNoEquals:
            return "no \"=\" in the line";
        case IgnoredReason::kUnknownKey:
            return "unknown key";
        case IgnoredReason::kNoCurrentRecord:
            return "no card selected by an ID line before it";
        case IgnoredReason::kUnknownResolution:
            return "resolution code not in the table";
    }
    return "ignored";
}

}  // namespace kov
