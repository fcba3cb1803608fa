#pragma once
// Where a diagram host puts its diagram, the scales it hands the diagram control and the
// smallest cell it publishes. The input and the output host follow the same rules: the
// diagram keeps the frame's aspect ratio and is as large as the host allows: it spans the
// host's full (even) width unless that would make it taller than the host's height less
// 50 pixels, in which case it fills that height and is narrower.

#include <optional>

#include "diagram/cell.h"
#include "diagram/cell_geometry.h"
#include "store/card_defaults.h"

namespace kov::diagram {

// Height the host keeps free below its diagram.
inline constexpr int kHostBottomMargin = 50;
// The smallest input window, 64 by 48 device units, expressed in diagram pixels.
inline constexpr int kMinimumDeviceWidth = 64;
inline constexpr int kMinimumDeviceHeight = 48;

struct FieldLayout {
    // The diagram's place in the host's client coordinates: the host's left, top and even
    // width; its height from the rules above. Zero height when there is no usable layout.
    Rect diagram;
    // Device units per diagram pixel; zero when there is no usable layout.
    Scales scales;
    // trunc(64 / hs + 0.5) by trunc(48 / vs + 0.5), at least 1 each; absent when there is no
    // usable layout, so the shared pair keeps what the last usable layout wrote.
    std::optional<CellSize> minimumCell;

    bool Usable() const { return minimumCell.has_value(); }

    friend bool operator==(const FieldLayout&, const FieldLayout&) = default;
};

// The layout of a device frame of deviceWidth by deviceHeight in a host client rectangle.
// 1. An odd client width loses its last pixel; w is the even width.
// 2. The diagram is height-limited when Hd / (client height - 50) > Wd / w: it is then
//    client height - 50 pixels high and trunc(Wd * height / Hd) pixels wide; otherwise w
//    wide and trunc(Hd * w / Wd) pixels high.
// 3. hs = Wd / diagram width, vs = Hd / diagram height.
// Ratios are compared and truncated in exact integer arithmetic, so a frame that fits
// exactly is never one pixel short. When the client is 50 pixels high or less there is no
// height to limit to, and the width alone decides. A frame or a client width of 0 or less,
// or a diagram less than one pixel high or wide, gives no usable layout: no division by zero,
// an empty diagram rectangle and zero scales.
FieldLayout ComputeFieldLayout(const Rect& hostClient, int deviceWidth, int deviceHeight);

// The input host's layout for a resolution code: the frame is the size of that entry of
// the resolution table. Nothing when the code is not in the table (the host then keeps its
// previous layout).
std::optional<FieldLayout> ComputeInputFieldLayout(const Rect& hostClient, int resolutionCode);

// The output host's layout: the frame is the whole screen. A whole screen with a width or
// height of 0 gives no usable layout.
FieldLayout ComputeOutputFieldLayout(const Rect& hostClient, const WholeScreen& screen);

// Writes a usable layout's minimum cell size into the shared pair; leaves the pair alone
// otherwise. Returns whether it wrote.
bool PublishMinimumCellSize(const FieldLayout& layout, CellSize& shared);

}  // namespace kov::diagram
