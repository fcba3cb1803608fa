#pragma once
// One card's rectangle in a cell diagram, and the colours and texts a cell is drawn with.
// Plain data only: the drawing itself belongs to the windowing layer.

#include <algorithm>
#include <cstdint>
#include <string>

namespace kov::diagram {

// A point in the client coordinates of a diagram control.
struct Point {
    int x = 0;
    int y = 0;

    friend bool operator==(const Point&, const Point&) = default;
};

// A pixel rectangle of a diagram control. Right and bottom lie just outside the rectangle,
// so the width is right - left.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // True when the rectangle covers no pixel.
    bool Empty() const { return right <= left || bottom <= top; }
    // The same rectangle with left <= right and top <= bottom.
    Rect Normalized() const {
        return Rect{std::min(left, right), std::min(top, bottom), std::max(left, right),
                    std::max(top, bottom)};
    }
    // True when the pixel square from (x, y) to (x + 1, y + 1) overlaps the rectangle.
    bool ContainsPixel(Point p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }

    friend bool operator==(const Rect&, const Rect&) = default;
};

// A solid colour.
struct Rgb {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Fill of a cell whose background picture cannot be loaded.
inline constexpr Rgb kNormalBrush{0, 128, 192};
// The same for a picture-in-picture cell.
inline constexpr Rgb kPictureInPictureBrush{192, 192, 192};
// Label and border of the selected cell.
inline constexpr Rgb kSelectedColour{255, 0, 0};
// Label of every other cell.
inline constexpr Rgb kLabelColour{255, 255, 255};
// Border of every other cell.
inline constexpr Rgb kBorderColour{128, 128, 128};

// Bits of CCell::flags.
inline constexpr std::uint32_t kCellSelected = 1u << 0;
inline constexpr std::uint32_t kCellHidden = 1u << 1;  // neither drawn nor hit

// Device units lost when a cell's edges and sizes were scaled to pixels.
struct Remainders {
    int hPosition = 0;  // of the left edge
    int width = 0;
    int vPosition = 0;  // of the top edge
    int height = 0;

    friend bool operator==(const Remainders&, const Remainders&) = default;
};

// One card's rectangle in the diagram.
struct CCell {
    std::uint32_t flags = 0;
    Rect rect;  // in pixels of the control; normalised by every operation that sets it
    Remainders remainders;
    std::uint16_t pictureInPicture = 0;  // 1 for the second set of input cells
    int cardId = 0;

    bool Selected() const { return (flags & kCellSelected) != 0; }
    bool Hidden() const { return (flags & kCellHidden) != 0; }
    bool IsPictureInPicture() const { return pictureInPicture != 0; }
    void SetSelected(bool on) { flags = on ? (flags | kCellSelected) : (flags & ~kCellSelected); }
    void SetHidden(bool on) { flags = on ? (flags | kCellHidden) : (flags & ~kCellHidden); }

    friend bool operator==(const CCell&, const CCell&) = default;
};

// True for the card IDs of input cards (128 to 255): those whose ID divided by 128 is 1.
inline bool IsInputCardId(int cardId) {
    return cardId / 128 == 1;
}

// "INPUT" or "OUTPUT", then the card ID modulo 128 in decimal, then ":PIP" for a
// picture-in-picture cell. Example: "INPUT1", "OUTPUT3", "INPUT2:PIP".
std::string CellLabel(const CCell& cell);

// The background picture of a cell, a file in the program directory: "ronghe.bmp" for an
// input card, "pinjie.bmp" for an output card.
const char* CellImageName(const CCell& cell);

// The fill used when the background picture cannot be loaded.
Rgb CellBrush(const CCell& cell);

// Label colour and border colour: red for the selected cell, white label and grey border
// otherwise.
Rgb CellLabelColour(const CCell& cell);
Rgb CellBorderColour(const CCell& cell);

// The area to repaint when a cell's selection changes: a selected cell's rectangle grown
// by 4 pixels on the left, 5 on the top, 5 on the right and 4 at the bottom (room for
// the red frame); an unselected cell's own rectangle.
Rect SelectionRepaintRect(const CCell& cell);

}  // namespace kov::diagram
