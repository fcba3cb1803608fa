#include "support/save_versions.h"

#include "store/card_inventory.h"
#include "support/full_rack.h"

namespace kov::test {

void LoadFullRackRecords(CardRecords& records) {
    CardConfiguration config;
    for (int slot = 1; slot <= 14; ++slot) {
        const int id = FullRackCardId(slot);
        (IsInputCardId(id) ? config.inputCards : config.outputCards).push_back({slot, id});
    }
    // No defaults file: the built-in defaults, the same in every process.
    records.Load(config, std::filesystem::path("/nonexistent"), "none.ini");
}

void ApplySaveVersion(CardRecords& records, int version) {
    auto lock = records.Lock();
    for (std::size_t i = 0; i < records.input.Count(); ++i)
        records.input.At(i).inputFrameLight = 10 + version;
    for (std::size_t i = 0; i < records.output.Count(); ++i)
        records.output.At(i).spliceHWidth = 1000 + version;
}

}  // namespace kov::test
