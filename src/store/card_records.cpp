#include "store/card_records.h"

namespace kov {

CardRecords& CardRecords::Instance() {
    static CardRecords records;
    return records;
}

bool CardRecords::Load(const CardConfiguration& config, const std::filesystem::path& programDir,
                       const std::string& defaultsFile) {
    auto lock = Lock();
    defaultsFile_ = defaultsFile;
    const bool inputRead = inputIni_.ReadFile(programDir, defaultsFile);
    const bool outputRead = outputIni_.ReadFile(programDir, defaultsFile);
    input.Build(config.inputCards, inputIni_.defaults);
    output.Build(config.outputCards, outputIni_.defaults);
    return inputRead && outputRead;
}

void CardRecords::Release() {
    auto lock = Lock();
    input.Release();
    output.Release();
}

std::optional<InputCardRecord> CardRecords::InputCopy(int cardId) const {
    auto lock = Lock();
    const InputCardRecord* record = input.Find(cardId);
    return record ? std::optional(*record) : std::nullopt;
}

std::optional<OutputCardRecord> CardRecords::OutputCopy(int cardId) const {
    auto lock = Lock();
    const OutputCardRecord* record = output.Find(cardId);
    return record ? std::optional(*record) : std::nullopt;
}

std::optional<InputCardRecord> CardRecords::InputCopyOrFirst(int cardId) const {
    if (cardId != 0)
        return InputCopy(cardId);
    auto lock = Lock();
    return input.Count() ? std::optional(input.At(0)) : std::nullopt;
}

std::optional<OutputCardRecord> CardRecords::OutputCopyOrFirst(int cardId) const {
    if (cardId != 0)
        return OutputCopy(cardId);
    auto lock = Lock();
    return output.Count() ? std::optional(output.At(0)) : std::nullopt;
}

bool CardRecords::EditInput(int cardId, const std::function<void(InputCardRecord&)>& change) {
    auto lock = Lock();
    InputCardRecord* record = input.Find(cardId);
    if (record)
        change(*record);
    return record != nullptr;
}

bool CardRecords::EditOutput(int cardId, const std::function<void(OutputCardRecord&)>& change) {
    auto lock = Lock();
    OutputCardRecord* record = output.Find(cardId);
    if (record)
        change(*record);
    return record != nullptr;
}

RecordsSnapshot CardRecords::Snapshot() const {
    auto lock = Lock();
    return {input.Records(), output.Records(), screen};
}

}  // namespace kov
