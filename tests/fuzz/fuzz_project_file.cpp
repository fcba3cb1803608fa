// Project files (*.scpx, templates, the state file) as the reader applies them to the
// records of the shipped rack. Whatever the bytes, reading never adds, removes or
// renumbers a card, and what the records then hold survives a write and a read unchanged.

#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "store/card_inventory.h"
#include "store/project_file.h"
#include "support/restore_records.h"

namespace kov {
namespace {

struct Rack {
    CardRecords records;
    RecordsSnapshot loaded;
};

Rack& ShippedRack() {
    static Rack* rack = [] {
        auto* r = new Rack;
        CardConfiguration config;
        fuzz::Check(
            ReadCardConfiguration(KOV_DATA_DIR "/" + std::string(kBoardConfigFileName), config),
            "the shipped card configuration reads");
        fuzz::Check(r->records.Load(config, KOV_DATA_DIR), "the shipped defaults read");
        r->loaded = r->records.Snapshot();
        return r;
    }();
    return *rack;
}

template <class Record>
bool SameCards(const std::vector<Record>& a, const std::vector<Record>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].cardId != b[i].cardId)
            return false;
    }
    return true;
}

}  // namespace
}  // namespace kov

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kov;
    Rack& rack = ShippedRack();
    test::RestoreRecords(rack.records, rack.loaded);

    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const ProjectReadReport report = ApplyProjectBytes(bytes, rack.records);
    fuzz::Check(report.opened, "bytes in memory always open");
    for (const IgnoredLine& line : report.ignored)
        fuzz::Check(!IgnoredReasonText(line.reason).empty(), "every ignored line has a reason");

    const RecordsSnapshot read = rack.records.Snapshot();
    fuzz::Check(
        SameCards(read.inputs, rack.loaded.inputs) && SameCards(read.outputs, rack.loaded.outputs),
        "reading keeps the cards and their IDs");

    if (report.appliedKeys == 0)
        return 0;  // nothing changed: the records are the shipped ones
    test::RestoreRecords(rack.records, rack.loaded);
    const ProjectReadReport again = ApplyProjectBytes(ProjectFileBytes(read), rack.records);
    fuzz::Check(again.Clean(), "a written project file reads back clean");
    const RecordsSnapshot reread = rack.records.Snapshot();
    fuzz::Check(reread.inputs == read.inputs && reread.outputs == read.outputs,
                "a written project file reads back the same records");
    return 0;
}
