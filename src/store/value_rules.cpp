#include "store/value_rules.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace kov {
namespace {

// extent + value > limit as the device's firmware compares them: unsigned and wrapping.
bool PastLimit(std::int32_t value, std::int32_t extent, std::int32_t limit) {
    return static_cast<std::uint32_t>(extent) + static_cast<std::uint32_t>(value) >
           static_cast<std::uint32_t>(limit);
}

// limit - other without overflow, for the values a record can hold.
std::int32_t Remaining(std::int32_t limit, std::int32_t other) {
    const std::int64_t rest = std::int64_t{limit} - other;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(rest, INT32_MIN, INT32_MAX));
}

}  // namespace

std::int32_t FitPosition(std::int32_t value, std::int32_t extent, std::int32_t limit) {
    if (!PastLimit(value, extent, limit))
        return value;
    return std::max(Remaining(limit, extent), 0);
}

std::int32_t FitExtent(std::int32_t value, std::int32_t position, std::int32_t limit,
                       std::int32_t minimum) {
    if (PastLimit(value, position, limit))
        value = Remaining(limit, position);
    return std::max(value, minimum);
}

std::int32_t FitSpliceExtent(std::int32_t value, std::int32_t position, std::int32_t limit) {
    if (PastLimit(value, position, limit))
        value = Remaining(limit, position);
    if (value < kMinSpliceExtent)
        return limit < kMinSpliceExtent ? limit : kMinSpliceExtent;
    return std::min(value, limit);
}

namespace {

// How an extent is fitted: value, the window's position and the frame's length.
using ExtentFit = std::int32_t (*)(std::int32_t value, std::int32_t position, std::int32_t limit);

// One field of a window fitted against its partner in the same direction: positions with
// FitPosition, widths and heights with their own fits.
std::int32_t FitField(const WindowValues& w, WindowField field, std::int32_t value,
                      std::int32_t width, std::int32_t height, ExtentFit fitWidth,
                      ExtentFit fitHeight) {
    const auto at = [&w](WindowField f) { return w[static_cast<std::size_t>(f)]; };
    switch (field) {
        case WindowField::kHLocation:
            return FitPosition(value, at(WindowField::kHWidth), width);
        case WindowField::kHWidth:
            return fitWidth(value, at(WindowField::kHLocation), width);
        case WindowField::kVLocation:
            return FitPosition(value, at(WindowField::kVHeight), height);
        case WindowField::kVHeight:
            return fitHeight(value, at(WindowField::kVLocation), height);
    }
    return value;
}

}  // namespace

std::int32_t FitWindowField(const WindowValues& w, WindowField field, std::int32_t value,
                            std::int32_t width, std::int32_t height) {
    return FitField(
        w, field, value, width, height,
        [](std::int32_t v, std::int32_t p, std::int32_t l) {
            return FitExtent(v, p, l, kMinWindowWidth);
        },
        [](std::int32_t v, std::int32_t p, std::int32_t l) {
            return FitExtent(v, p, l, kMinWindowHeight);
        });
}

std::int32_t FitSpliceField(const WindowValues& splice, WindowField field, std::int32_t value,
                            std::int32_t width, std::int32_t height) {
    return FitField(splice, field, value, width, height, FitSpliceExtent, FitSpliceExtent);
}

SpliceTotal FitSpliceTotal(std::int32_t typedTotal, std::int32_t extentShown) {
    SpliceTotal fitted;
    fitted.total =
        static_cast<std::uint32_t>(typedTotal) < kMinWholeScreen ? kMinWholeScreen : typedTotal;
    if (static_cast<std::uint32_t>(extentShown) > static_cast<std::uint32_t>(fitted.total))
        fitted.extent = fitted.total;
    return fitted;
}

std::int32_t FitWholeScreen(std::int32_t value) {
    return std::max(value, kMinWholeScreen);
}

double RescaleFactor(std::int32_t oldTotal, std::int32_t newTotal) {
    if (oldTotal == 0 || newTotal == 0)
        return 0.0;
    return static_cast<double>(oldTotal) / static_cast<double>(newTotal);
}

std::int32_t Rescale(std::int32_t value, double factor) {
    if (factor == 0.0)
        return 0;
    const double scaled =
        std::trunc(static_cast<double>(static_cast<std::uint32_t>(value)) / factor);
    if (scaled >= static_cast<double>(INT32_MAX))
        return INT32_MAX;
    if (scaled <= static_cast<double>(INT32_MIN))
        return INT32_MIN;
    return static_cast<std::int32_t>(scaled);
}

ClampedValue ClampToRange(std::int32_t value, std::int32_t low, std::int32_t high) {
    const std::int32_t clamped = std::clamp(value, low, high);
    return {clamped, clamped != value};
}

}  // namespace kov
