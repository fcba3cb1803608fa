#include "store/whole_screen.h"

#include "store/value_rules.h"

namespace kov {

std::int32_t ChangeWholeScreen(WholeScreen& screen, std::vector<OutputCardRecord>& records,
                               ScreenAxis axis, std::int32_t typed) {
    const bool horizontal = axis == ScreenAxis::kHorizontal;
    std::int32_t& total = horizontal ? screen.width : screen.height;
    const std::int32_t fitted = FitWholeScreen(typed);
    const double factor = RescaleFactor(total, fitted);
    total = fitted;
    for (OutputCardRecord& r : records) {
        std::int32_t& position = horizontal ? r.spliceHLocation : r.spliceVLocation;
        std::int32_t& extent = horizontal ? r.spliceHWidth : r.spliceVHeight;
        position = Rescale(position, factor);
        extent = Rescale(extent, factor);
        (horizontal ? r.outputHparam : r.outputVparam) = fitted;
    }
    return fitted;
}

}  // namespace kov
