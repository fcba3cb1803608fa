#pragma once
// Two versions of the records of a full rack, different in every card, for the tests that
// kill a process while it saves them: after a kill the file must hold one of the two.

#include "store/card_records.h"

namespace kov::test {

// Records of the full rack, from the built-in defaults.
void LoadFullRackRecords(CardRecords& records);

// Makes the records version 0 or 1, under their lock.
void ApplySaveVersion(CardRecords& records, int version);

}  // namespace kov::test
