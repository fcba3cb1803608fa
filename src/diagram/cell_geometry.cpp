#include "diagram/cell_geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>

namespace kov::diagram {
namespace {

using Wide = std::int64_t;

// Truncates toward zero. Values beyond what any rectangle can hold are clamped first, so
// the conversion is always defined; not-a-number gives 0.
Wide Trunc(double v) {
    constexpr double kLimit = 4.0e15;
    if (std::isnan(v))
        return 0;
    return static_cast<Wide>(std::clamp(v, -kLimit, kLimit));
}

// Narrows to int, saturating at the ends of its range.
int Narrow(Wide v) {
    return static_cast<int>(
        std::clamp<Wide>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// One axis of a rectangle: near and far edge.
struct Span {
    Wide near = 0;
    Wide far = 0;
};

Span MapAxisToPixels(Wide d0, Wide d1, double scale, int clientFar, int& positionRemainder,
                     int& sizeRemainder) {
    Wide p0 = 0;
    if (d0 > 1) {
        p0 = std::max<Wide>(Trunc(static_cast<double>(d0) / scale), 0);
        positionRemainder = Narrow(d0 - Trunc(static_cast<double>(p0) * scale));
    }
    const Wide size = d1 - d0;
    Wide p1 = Trunc(static_cast<double>(size) / scale + static_cast<double>(p0));
    sizeRemainder = Narrow(size - Trunc(static_cast<double>(p1 - p0) * scale));
    if (p1 >= static_cast<Wide>(clientFar) - 1)
        p1 = clientFar;
    return Span{p0, p1};
}

void AxisRemainders(Wide d0, Wide d1, double scale, int& positionRemainder, int& sizeRemainder) {
    const Wide b = Trunc(static_cast<double>(d0) / scale);
    positionRemainder = Narrow(d0 - Trunc(static_cast<double>(b) * scale));
    const Wide cells = Trunc(static_cast<double>(b) + static_cast<double>(d1 - d0) / scale) - b;
    sizeRemainder = Narrow(d1 - Trunc(scale * static_cast<double>(cells)) - d0);
}

bool Between(int v, int lo, int hi) {
    return v >= lo && v <= hi;
}

bool MovesLeft(HandleZone z) {
    return z == HandleZone::kLeft || z == HandleZone::kTopLeft || z == HandleZone::kBottomLeft;
}
bool MovesRight(HandleZone z) {
    return z == HandleZone::kRight || z == HandleZone::kTopRight || z == HandleZone::kBottomRight;
}
bool MovesTop(HandleZone z) {
    return z == HandleZone::kTop || z == HandleZone::kTopLeft || z == HandleZone::kTopRight;
}
bool MovesBottom(HandleZone z) {
    return z == HandleZone::kBottom || z == HandleZone::kBottomLeft ||
           z == HandleZone::kBottomRight;
}

// The device position of a cell's left or top edge in pixels after a drag. The device
// positions 0 and 1 are both drawn at pixel 0; a move keeps them apart (pixel 1 gives 1,
// pixel 0 gives 0), a resize takes both to 0.
Wide NearEdgeToDevice(int pixel, double scale, int positionRemainder, bool move) {
    if (pixel <= 1)
        return move ? std::max(pixel, 0) : 0;
    return std::max<Wide>(Trunc(static_cast<double>(pixel) * scale) + positionRemainder, 0);
}

// The device position of a resized cell's right or bottom edge. The near edge's device
// position is taken as it is, without the 0-or-1 rule above: that rule would move the far
// edge by the near edge's device position whenever the cell starts at pixel 0 or 1.
Wide FarEdgeToDevice(int nearPixel, int farPixel, int clientFar, double scale,
                     int positionRemainder, int sizeRemainder, int extent) {
    if (farPixel >= clientFar - 1)
        return extent;
    const Wide nearDevice =
        std::max<Wide>(Trunc(static_cast<double>(nearPixel) * scale) + positionRemainder, 0);
    const Wide far =
        nearDevice + Trunc(static_cast<double>(farPixel - nearPixel) * scale) + sizeRemainder;
    return std::min<Wide>(far, extent);
}

}  // namespace

CellSize& ProgramMinimumCellSize() {
    static CellSize minimum = kInitialMinimumCellSize;
    return minimum;
}

bool ScalesUsable(Scales scales) {
    return std::isfinite(scales.hs) && std::isfinite(scales.vs) && scales.hs > 0.0 &&
           scales.vs > 0.0;
}

Rect MapToPixels(const DeviceRect& device, Scales scales, const Rect& client,
                 Remainders& remainders) {
    if (!ScalesUsable(scales))
        return Rect{};
    const Wide dl = device.x;
    const Wide dt = device.y;
    const Span h = MapAxisToPixels(dl, dl + device.w, scales.hs, client.right, remainders.hPosition,
                                   remainders.width);
    const Span v = MapAxisToPixels(dt, dt + device.h, scales.vs, client.bottom,
                                   remainders.vPosition, remainders.height);
    return Rect{Narrow(h.near), Narrow(v.near), Narrow(h.far), Narrow(v.far)}.Normalized();
}

Remainders RemaindersFromRecord(const DeviceRect& device, Scales scales) {
    Remainders r;
    if (!ScalesUsable(scales))
        return r;
    const Wide dl = device.x;
    const Wide dt = device.y;
    AxisRemainders(dl, dl + device.w, scales.hs, r.hPosition, r.width);
    AxisRemainders(dt, dt + device.h, scales.vs, r.vPosition, r.height);
    return r;
}

HandleZone ZoneOf(const Rect& cell, Point p) {
    const Rect c = cell.Normalized();
    const int x = p.x;
    const int y = p.y;
    const bool leftBand = Between(x, c.left, c.left + 5);
    const bool rightBand = Between(x, c.right - 5, c.right);
    const bool middleColumn = Between(x, c.left + 5, c.right - 5);
    const bool topBand = Between(y, c.top, c.top + 5);
    const bool bottomBand = Between(y, c.bottom - 5, c.bottom);
    const bool middleRow = Between(y, c.top + 5, c.bottom - 5);
    if (leftBand && middleRow)
        return HandleZone::kLeft;
    if (middleColumn && topBand)
        return HandleZone::kTop;
    if (rightBand && middleRow)
        return HandleZone::kRight;
    if (middleColumn && bottomBand)
        return HandleZone::kBottom;
    if (middleColumn && middleRow)
        return HandleZone::kInside;
    if (leftBand && topBand)
        return HandleZone::kTopLeft;
    if (leftBand && bottomBand)
        return HandleZone::kBottomLeft;
    if (rightBand && topBand)
        return HandleZone::kTopRight;
    if (rightBand && bottomBand)
        return HandleZone::kBottomRight;
    return HandleZone::kNone;
}

CursorShape CursorForZone(HandleZone zone) {
    switch (zone) {
        case HandleZone::kLeft:
        case HandleZone::kRight:
            return CursorShape::kSizeWestEast;
        case HandleZone::kTop:
        case HandleZone::kBottom:
            return CursorShape::kSizeNorthSouth;
        case HandleZone::kInside:
            return CursorShape::kHand;
        case HandleZone::kTopLeft:
        case HandleZone::kBottomRight:
            return CursorShape::kSizeNwSe;
        case HandleZone::kBottomLeft:
        case HandleZone::kTopRight:
            return CursorShape::kSizeNeSw;
        case HandleZone::kNone:
            break;
    }
    return CursorShape::kArrow;
}

DragMode DragModeForZone(HandleZone zone) {
    if (zone == HandleZone::kInside)
        return DragMode::kMove;
    if (zone == HandleZone::kNone)
        return DragMode::kNone;
    return DragMode::kResize;
}

std::optional<std::size_t> CellUnderPoint(std::span<const CCell> cells, Point p) {
    for (std::size_t i = cells.size(); i-- > 0;) {
        const CCell& cell = cells[i];
        if (!cell.Hidden() && cell.rect.Normalized().ContainsPixel(p))
            return i;
    }
    return std::nullopt;
}

Rect MoveCandidate(const Rect& cell, int dx, int dy) {
    return Rect{cell.left + dx, cell.top + dy, cell.right + dx, cell.bottom + dy};
}

Rect ResizeCandidate(const Rect& cell, HandleZone zone, Point p, CellSize minimum) {
    Rect c = cell.Normalized();
    const int minWidth = std::max(minimum.width, 1);
    const int minHeight = std::max(minimum.height, 1);
    if (MovesLeft(zone))
        c.left = std::min(p.x, c.right - minWidth);
    if (MovesRight(zone))
        c.right = std::max(p.x, c.left + minWidth);
    if (MovesTop(zone))
        c.top = std::min(p.y, c.bottom - minHeight);
    if (MovesBottom(zone))
        c.bottom = std::max(p.y, c.top + minHeight);
    return c;
}

bool CandidateAccepted(const Rect& current, const Rect& candidate, const Rect& client) {
    return candidate != current && candidate.left >= client.left && candidate.top >= client.top &&
           candidate.right <= client.right && candidate.bottom <= client.bottom;
}

Rect MoveConfinement(const Rect& cell, Point press, const Rect& client) {
    Rect r{client.left + press.x - cell.left, client.top + press.y - cell.top,
           client.right - cell.right + press.x + 1, client.bottom - cell.bottom + press.y + 1};
    if (r.right <= r.left)
        r.right = r.left + 1;
    if (r.bottom <= r.top)
        r.bottom = r.top + 1;
    return r;
}

Point ConfinePoint(Point p, const Rect& confinement) {
    const int maxX = std::max(confinement.left, confinement.right - 1);
    const int maxY = std::max(confinement.top, confinement.bottom - 1);
    return Point{std::clamp(p.x, confinement.left, maxX), std::clamp(p.y, confinement.top, maxY)};
}

DeviceRect ApplyDrag(const DragApplication& drag) {
    if (!ScalesUsable(drag.scales) || drag.mode == DragMode::kNone)
        return drag.record;
    const double hs = drag.scales.hs;
    const double vs = drag.scales.vs;
    const Remainders rem = RemaindersFromRecord(drag.record, drag.scales);
    const Rect p = drag.cell.Normalized();
    const bool move = drag.mode == DragMode::kMove;
    const Wide newLeft = NearEdgeToDevice(p.left, hs, rem.hPosition, move);
    const Wide newTop = NearEdgeToDevice(p.top, vs, rem.vPosition, move);
    const Wide w = drag.record.w;
    const Wide h = drag.record.h;
    const Wide wd = drag.extents.width;
    const Wide hd = drag.extents.height;

    if (move) {
        Wide x = newLeft;
        Wide y = newTop;
        if (newLeft + w + rem.width >= wd)
            x = std::max<Wide>(wd - w, 0);
        if (newTop + h + rem.height >= hd)
            y = std::max<Wide>(hd - h, 0);
        return DeviceRect{Narrow(x), Narrow(y), drag.record.w, drag.record.h};
    }

    const Wide dl = drag.record.x;
    const Wide dt = drag.record.y;
    const Wide dr = dl + w;
    const Wide db = dt + h;
    Wide left = dl;
    Wide top = dt;
    Wide right = dr;
    Wide bottom = db;
    if (MovesLeft(drag.zone))
        left = std::max<Wide>(std::min(newLeft, dr - 1), 0);
    if (MovesTop(drag.zone))
        top = std::max<Wide>(std::min(newTop, db - 1), 0);
    if (MovesRight(drag.zone)) {
        right = FarEdgeToDevice(p.left, p.right, drag.client.right, hs, rem.hPosition, rem.width,
                                drag.extents.width);
        right = std::max(right, dl + 1);
    }
    if (MovesBottom(drag.zone)) {
        bottom = FarEdgeToDevice(p.top, p.bottom, drag.client.bottom, vs, rem.vPosition, rem.height,
                                 drag.extents.height);
        bottom = std::max(bottom, dt + 1);
    }
    return DeviceRect{Narrow(left), Narrow(top), Narrow(right - left), Narrow(bottom - top)};
}

}  // namespace kov::diagram
