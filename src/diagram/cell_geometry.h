#pragma once
// Geometry of the cell diagram: mapping a card's device rectangle to a cell in pixels and
// back, the handle zones of a cell, the cell under a point, and the candidate rectangles of
// a move or a resize. Pure functions on plain data; the diagram model strings them together.
//
// Conversions from a double to an integer truncate toward zero. They saturate instead of
// overflowing, so rectangles read from damaged files never cause undefined behaviour.

#include <cstddef>
#include <optional>
#include <span>

#include "diagram/cell.h"

namespace kov::diagram {

// Device units per pixel: hs horizontally, vs vertically.
struct Scales {
    double hs = 0.0;
    double vs = 0.0;

    friend bool operator==(const Scales&, const Scales&) = default;
};

// Size of the device frame in device units: Wd by Hd.
struct Extents {
    int width = 0;
    int height = 0;

    friend bool operator==(const Extents&, const Extents&) = default;
};

// A card's rectangle as its record stores it: position and size in device units. As an
// edge rectangle it is (x, y, x + w, y + h).
struct DeviceRect {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;

    friend bool operator==(const DeviceRect&, const DeviceRect&) = default;
};

// A size in pixels.
struct CellSize {
    int width = 0;
    int height = 0;

    friend bool operator==(const CellSize&, const CellSize&) = default;
};

// The smallest cell a resize may produce until a diagram host publishes its own.
inline constexpr CellSize kInitialMinimumCellSize{8, 8};

// The program's one minimum cell size pair, shared by the input and the output diagram:
// each host's layout overwrites it, so the pair written last applies to both diagrams.
// Starts as kInitialMinimumCellSize. User-interface thread only.
CellSize& ProgramMinimumCellSize();

// The handle zones of a cell, in the order in which a point is looked up.
enum class HandleZone : int {
    kLeft = 0,
    kTop = 1,
    kRight = 2,
    kBottom = 3,
    kInside = 4,
    kTopLeft = 5,
    kBottomLeft = 6,
    kTopRight = 7,
    kBottomRight = 8,
    kNone = 9,
};

// The cursor shown over a zone.
enum class CursorShape {
    kArrow,           // no zone
    kSizeWestEast,    // left and right edges
    kSizeNorthSouth,  // top and bottom edges
    kHand,            // inside
    kSizeNwSe,        // top-left and bottom-right corners
    kSizeNeSw,        // bottom-left and top-right corners
};

enum class DragMode { kNone, kMove, kResize };

// True when both scales are finite and positive, the condition for every conversion
// between pixels and device units. With a scale of 0 (a whole screen of size 0) cells have
// no pixel area at all.
bool ScalesUsable(Scales scales);

// Maps a device rectangle to a cell rectangle and updates the cell's remainders.
// Horizontally (vertically alike with vs and the client's bottom edge):
// - a left edge Dl > 1 goes to pixel trunc(Dl / hs), at least 0, and the position
//   remainder becomes Dl - trunc(pixel * hs); a left edge of 0 or 1 is drawn at pixel 0
//   and the position remainder is left as it was;
// - the right edge is trunc((Dr - Dl) / hs + left pixel) and the width remainder
//   (Dr - Dl) - trunc(pixel width * hs); a right edge within one pixel of the client's
//   right edge, or beyond it, is put on that edge.
// The result is normalised. Without usable scales the cell gets the empty rectangle
// (0, 0, 0, 0) and the remainders are left as they were.
Rect MapToPixels(const DeviceRect& device, Scales scales, const Rect& client,
                 Remainders& remainders);

// The remainders of a record rectangle, recomputed when a drag completes: with
// bl = trunc(Dl / hs), position remainder Dl - trunc(bl * hs) and width remainder
// Dr - trunc(hs * (trunc(bl + (Dr - Dl) / hs) - bl)) - Dl; vertically alike. All zero
// without usable scales.
Remainders RemaindersFromRecord(const DeviceRect& device, Scales scales);

// The zone of a point in a cell: the first of zones 0 to 8 whose band (5 pixels from an
// edge, bounds inclusive) holds the point, or kNone.
HandleZone ZoneOf(const Rect& cell, Point p);

// The cursor of a zone.
CursorShape CursorForZone(HandleZone zone);

// The drag a press in that zone starts: inside moves, an edge or corner resizes, no zone
// starts nothing.
DragMode DragModeForZone(HandleZone zone);

// The index of the cell under a point: walking from the last cell of the list (the one on
// top) to the first, the first cell that is not hidden and whose normalised rectangle
// holds the pixel at p. Hidden cells are never hit.
std::optional<std::size_t> CellUnderPoint(std::span<const CCell> cells, Point p);

// The candidate of a move: the cell shifted by (dx, dy).
Rect MoveCandidate(const Rect& cell, int dx, int dy);

// The candidate of a resize in a zone: the zone's edges go to the point, but an edge never
// comes closer to the opposite edge than the minimum size (taken as at least one pixel), so
// shrinking stops at that size and the opposite edge stays where it is. Zones that are not
// edges or corners leave the cell as it is.
Rect ResizeCandidate(const Rect& cell, HandleZone zone, Point p, CellSize minimum);

// True when a candidate replaces the cell: it differs from it and lies entirely within the
// client rectangle (left and top not before the client's, right and bottom not beyond).
bool CandidateAccepted(const Rect& current, const Rect& candidate, const Rect& client);

// Where the pointer may go during a move so that the cell stays within the client area:
// from (client left + x - l, client top + y - t) to (client right - r + x + 1,
// client bottom - b + y + 1), right and bottom excluded. A rectangle with no room is
// widened to one pixel at its left and top.
Rect MoveConfinement(const Rect& cell, Point press, const Rect& client);

// The point moved to the nearest pixel of a confinement rectangle (right and bottom
// excluded). An empty rectangle confines to its left and top.
Point ConfinePoint(Point p, const Rect& confinement);

// Everything a completed drag is converted with.
struct DragApplication {
    DragMode mode = DragMode::kNone;
    HandleZone zone = HandleZone::kNone;  // of a resize
    Rect cell;                            // the cell after the drag
    DeviceRect record;                    // the card's rectangle before the drag
    Scales scales;
    Extents extents;
    Rect client;
};

// The card's new rectangle after a drag, in device units.
// New near edges from the cell's left (top alike with vs): a resize puts a left edge at
// pixel 0 or 1 at 0; a move puts pixel 1 at 1 and pixel 0 at 0; otherwise
// trunc(left * hs) + position remainder, at least 0 (remainders recomputed from the record).
// Move: the near edges become the position and the size stays; when the near edge plus
// the size plus the size remainder reaches the extent, the card is put flush with the
// far border (Wd - w), though never before 0.
// Resize: a far edge at or beyond the client edge minus 1 becomes exactly the extent;
// otherwise the left edge's own device position plus trunc(pixel width * hs) plus the width
// remainder, at most the extent. Only the dragged edges change, and the size never drops
// below 1 device unit.
// Without usable scales, or with no drag, the record is returned unchanged.
DeviceRect ApplyDrag(const DragApplication& drag);

}  // namespace kov::diagram
