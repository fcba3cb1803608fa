#pragma once
// How one card carries out the setting commands addressed to it.

#include <cstdint>

#include "device_codes.h"
#include "device_state.h"
#include "link/frame.h"

namespace kov::sim {

// The 16-bit value at frame[pos], high byte first.
inline int WordAt(const CommandFrame& frame, int pos) {
    return frame[pos] << 8 | frame[pos + 1];
}

// The rectangle in bytes 4-11 of a window command.
Window WindowOf(const CommandFrame& frame);

// Total, position and size in bytes 4-9 of a splice command.
Splice SpliceOf(const CommandFrame& frame);

// Carries out a card command on a card of the given kind. False when that kind of card has no
// such command (or item, or layer); the card is then left as it was.
bool ApplyCardCommand(const CommandFrame& frame, bool isInput, CardState& card);

}  // namespace kov::sim
