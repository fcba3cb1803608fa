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

RecordsSnapshot CardRecords::Snapshot() const {
    auto lock = Lock();
    return {input.Records(), output.Records(), screen};
}

}  // namespace kov
