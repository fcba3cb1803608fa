#pragma once
// Puts a snapshot back into the records, as if they had been edited to it.

#include "store/card_records.h"

namespace kov::test {

inline void RestoreRecords(CardRecords& records, const RecordsSnapshot& snapshot) {
    auto lock = records.Lock();
    records.input.Records() = snapshot.inputs;
    records.output.Records() = snapshot.outputs;
    records.screen = snapshot.screen;
}

}  // namespace kov::test
