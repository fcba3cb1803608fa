#include "diagram/field_layout.h"

#include <algorithm>
#include <cstdint>

#include "store/tables.h"

namespace kov::diagram {
namespace {

using Wide = std::int64_t;

// trunc(numerator / denominator + 0.5) for positive integers, exactly.
Wide RoundHalfUp(Wide numerator, Wide denominator) {
    return (2 * numerator + denominator) / (2 * denominator);
}

}  // namespace

FieldLayout ComputeFieldLayout(const Rect& hostClient, int deviceWidth, int deviceHeight) {
    Rect client = hostClient;
    if (client.Width() % 2 != 0)
        client.right -= 1;
    const Wide w = client.Width();
    const Wide available = static_cast<Wide>(client.Height()) - kHostBottomMargin;
    const Wide wd = deviceWidth;
    const Wide hd = deviceHeight;

    FieldLayout layout;
    layout.diagram = Rect{client.left, client.top, client.right, client.top};
    if (wd <= 0 || hd <= 0 || w <= 0)
        return layout;

    // Hd / available > Wd / w, compared without division. A height-limited diagram keeps
    // the frame's aspect ratio by giving up width.
    const bool heightLimited = available > 0 && hd * w > wd * available;
    const Wide height = heightLimited ? available : hd * w / wd;
    const Wide width = heightLimited ? wd * height / hd : w;
    if (height <= 0 || width <= 0)
        return layout;

    layout.diagram.right = static_cast<int>(client.left + width);
    layout.diagram.bottom = static_cast<int>(client.top + height);
    layout.scales = Scales{static_cast<double>(wd) / static_cast<double>(width),
                           static_cast<double>(hd) / static_cast<double>(height)};
    // 64 / hs = 64 * width / Wd and 48 / vs = 48 * height / Hd.
    layout.minimumCell = CellSize{
        static_cast<int>(std::max<Wide>(RoundHalfUp(kMinimumDeviceWidth * width, wd), 1)),
        static_cast<int>(std::max<Wide>(RoundHalfUp(kMinimumDeviceHeight * height, hd), 1))};
    return layout;
}

std::optional<FieldLayout> ComputeInputFieldLayout(const Rect& hostClient, int resolutionCode) {
    const ResolutionEntry* entry = FindResolution(resolutionCode);
    if (entry == nullptr)
        return std::nullopt;
    return ComputeFieldLayout(hostClient, entry->width, entry->height);
}

FieldLayout ComputeOutputFieldLayout(const Rect& hostClient, const WholeScreen& screen) {
    return ComputeFieldLayout(hostClient, screen.width, screen.height);
}

bool PublishMinimumCellSize(const FieldLayout& layout, CellSize& shared) {
    if (!layout.minimumCell)
        return false;
    shared = *layout.minimumCell;
    return true;
}

}  // namespace kov::diagram
