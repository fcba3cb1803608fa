#pragma once
// A change of the whole-screen size of the video wall: every output card's splice is
// rescaled with it, so the wall keeps its arrangement at the new size.

#include <cstdint>
#include <vector>

#include "store/card_defaults.h"
#include "store/card_record.h"

namespace kov {

enum class ScreenAxis { kHorizontal, kVertical };

// Sets the whole-screen width (kHorizontal) or height to typed, raised to at least 128,
// divides every record's splice position and extent along that axis by old / new
// (truncated; all 0 when the old size was 0) and gives every record the new size as its
// copy. The other axis is left alone. Returns the size stored.
std::int32_t ChangeWholeScreen(WholeScreen& screen, std::vector<OutputCardRecord>& records,
                               ScreenAxis axis, std::int32_t typed);

}  // namespace kov
