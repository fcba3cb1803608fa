#pragma once
// The rules that fit a typed number into what a card can take: windows that must stay
// inside the picture, minimum window sizes and the bounded value boxes.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "store/resolution.h"

namespace kov {

// The smallest window a card accepts, in pixels.
inline constexpr std::int32_t kMinWindowWidth = 64;
inline constexpr std::int32_t kMinWindowHeight = 48;

// The position of a window of the given extent in a frame `limit` pixels long: when
// extent + value goes past the limit (both taken as unsigned 32-bit values) the window is
// moved back to end at the limit. A window already wider than the frame starts at 0, so
// the result is never negative.
std::int32_t FitPosition(std::int32_t value, std::int32_t extent, std::int32_t limit);

// The extent of a window that starts at position in a frame `limit` pixels long: cut back
// to end at the limit (compared as for FitPosition), then raised to minimum. The minimum
// comes last, so a window near the far edge may reach past the frame.
std::int32_t FitExtent(std::int32_t value, std::int32_t position, std::int32_t limit,
                       std::int32_t minimum);

// The smallest splice extent, and the smallest whole-screen width or height.
inline constexpr std::int32_t kMinSpliceExtent = 64;
inline constexpr std::int32_t kMinWholeScreen = 128;

// The extent of a splice that starts at position in a whole screen `limit` points long:
// cut back to end at the limit (unsigned, as for FitPosition), then raised to 64, or to
// the whole screen when that is smaller than 64, and never longer than the whole screen.
std::int32_t FitSpliceExtent(std::int32_t value, std::int32_t position, std::int32_t limit);

// A typed whole-screen width or height: at least 128.
std::int32_t FitWholeScreen(std::int32_t value);

// The factor a whole-screen change from oldTotal to newTotal divides splice values by;
// 0 when the old total was 0 (the values then become 0).
double RescaleFactor(std::int32_t oldTotal, std::int32_t newTotal);

// value taken as an unsigned 32-bit number, divided by factor and truncated toward zero,
// saturated to the 32-bit range; 0 for a factor of 0.
std::int32_t Rescale(std::int32_t value, double factor);

// One field of a window as the pages edit it, and a window as its four fields.
enum class WindowField { kHLocation = 0, kHWidth = 1, kVLocation = 2, kVHeight = 3 };
using WindowValues = std::array<std::int32_t, 4>;

// The value field takes when value is typed into it: positions and extents fitted into a
// width x height frame with FitPosition and FitExtent against the window's other field in
// the same direction, extents raised to the minimum window size.
std::int32_t FitWindowField(const WindowValues& window, WindowField field, std::int32_t value,
                            std::int32_t width, std::int32_t height);

// The record fields that hold a window, in WindowField order.
template <class Record>
using WindowMembers = std::array<std::int32_t Record::*, 4>;

template <class Record>
WindowValues ReadWindow(const Record& record, const WindowMembers<Record>& members) {
    return {record.*members[0], record.*members[1], record.*members[2], record.*members[3]};
}

// Fits value into field of the record's window in frame and stores it; the stored value.
template <class Record>
std::int32_t FitRecordWindow(Record& record, const WindowMembers<Record>& members,
                             WindowField field, std::int32_t value, const ResolutionEntry& frame) {
    const std::int32_t fitted =
        FitWindowField(ReadWindow(record, members), field, value, frame.width, frame.height);
    record.*members[static_cast<std::size_t>(field)] = fitted;
    return fitted;
}

// The value a splice field takes when value is typed into it, in a whole screen of
// width x height points: positions fitted with FitPosition, extents with FitSpliceExtent.
std::int32_t FitSpliceField(const WindowValues& splice, WindowField field, std::int32_t value,
                            std::int32_t width, std::int32_t height);

// Fits value into field of the record's splice in a width x height whole screen and
// stores it; the stored value.
template <class Record>
std::int32_t FitRecordSplice(Record& record, const WindowMembers<Record>& members,
                             WindowField field, std::int32_t value, std::int32_t width,
                             std::int32_t height) {
    const std::int32_t fitted =
        FitSpliceField(ReadWindow(record, members), field, value, width, height);
    record.*members[static_cast<std::size_t>(field)] = fitted;
    return fitted;
}

// A typed splice total (the points of a virtual screen) and what it does to the extent
// box beside it: the total is at least 128 (compared unsigned, as the device does), and
// an extent box showing more than the new total is cut back to it. No extent when the
// box's value fits: the record then keeps its own extent.
struct SpliceTotal {
    std::int32_t total = 0;
    std::optional<std::int32_t> extent;

    friend bool operator==(const SpliceTotal&, const SpliceTotal&) = default;
};
SpliceTotal FitSpliceTotal(std::int32_t typedTotal, std::int32_t extentShown);

// A value held inside [low, high], and whether that moved it.
struct ClampedValue {
    std::int32_t value = 0;
    bool changed = false;

    friend bool operator==(const ClampedValue&, const ClampedValue&) = default;
};
ClampedValue ClampToRange(std::int32_t value, std::int32_t low, std::int32_t high);

}  // namespace kov
