#include "diagram/cell.h"

namespace kov::diagram {

std::string CellLabel(const CCell& cell) {
    std::string label = IsInputCardId(cell.cardId) ? "INPUT" : "OUTPUT";
    label += std::to_string(cell.cardId % 128);
    if (cell.IsPictureInPicture())
        label += ":PIP";
    return label;
}

const char* CellImageName(const CCell& cell) {
    return IsInputCardId(cell.cardId) ? "ronghe.bmp" : "pinjie.bmp";
}

Rgb CellBrush(const CCell& cell) {
    return cell.IsPictureInPicture() ? kPictureInPictureBrush : kNormalBrush;
}

Rgb CellLabelColour(const CCell& cell) {
    return cell.Selected() ? kSelectedColour : kLabelColour;
}

Rgb CellBorderColour(const CCell& cell) {
    return cell.Selected() ? kSelectedColour : kBorderColour;
}

Rect SelectionRepaintRect(const CCell& cell) {
    if (!cell.Selected())
        return cell.rect;
    return Rect{cell.rect.left - 4, cell.rect.top - 5, cell.rect.right + 5, cell.rect.bottom + 4};
}

}  // namespace kov::diagram
