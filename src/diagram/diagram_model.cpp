#include "diagram/diagram_model.h"

#include <cstdint>

namespace kov::diagram {
namespace {

// One edge scaled from an old span to a new one, keeping its place relative to the span.
int ScaleEdge(int edge, int oldOrigin, int oldSize, int newOrigin, int newSize) {
    const std::int64_t offset = static_cast<std::int64_t>(edge) - oldOrigin;
    return static_cast<int>(newOrigin + offset * newSize / oldSize);
}

}  // namespace

DiagramModel::DiagramModel(DiagramKind kind, CellSize& minimum) : kind_(kind), minimum_(minimum) {}

void DiagramModel::CreateCells(std::span<const int> cardIds, const RecordRectLookup& lookup,
                               Scales scales, Extents extents, const Rect& client) {
    Clear();
    scales_ = scales;
    extents_ = extents;
    client_ = client;
    for (const int id : cardIds) {
        CCell cell;
        cell.cardId = id;
        cell.SetHidden(true);
        if (const std::optional<DeviceRect> d = lookup ? lookup(id) : std::nullopt) {
            cell.rect = MapToPixels(*d, scales_, client_, cell.remainders);
        }
        keyMap_[id] = cells_.size();
        cells_.push_back(cell);
    }
    if (kind_ == DiagramKind::kInput) {
        for (const int id : cardIds) {
            CCell cell;
            cell.cardId = id;
            cell.pictureInPicture = 1;
            cell.SetHidden(true);
            cell.rect = WholeFrame(cell.remainders);
            pictureInPictureMap_[id] = cells_.size();
            cells_.push_back(cell);
        }
    }
}

void DiagramModel::Clear() {
    cells_.clear();
    keyMap_.clear();
    pictureInPictureMap_.clear();
    selected_.reset();
    ForgetDrag();
}

void DiagramModel::Rescale(const RecordRectLookup& lookup, Scales scales, Extents extents,
                           const Rect& client) {
    const Rect oldClient = client_;
    scales_ = scales;
    extents_ = extents;
    client_ = client;
    for (const auto& [id, index] : keyMap_) {
        CCell& cell = cells_[index];
        if (const std::optional<DeviceRect> d = lookup ? lookup(id) : std::nullopt) {
            cell.rect = MapToPixels(*d, scales_, client_, cell.remainders);
        }
    }
    for (const auto& [id, index] : pictureInPictureMap_) {
        CCell& cell = cells_[index];
        if (cell.rect.Empty() || oldClient.Empty()) {
            cell.rect = WholeFrame(cell.remainders);
        } else if (oldClient != client_) {
            const Rect r = cell.rect;
            cell.rect = Rect{ScaleEdge(r.left, oldClient.left, oldClient.Width(), client_.left,
                                       client_.Width()),
                             ScaleEdge(r.top, oldClient.top, oldClient.Height(), client_.top,
                                       client_.Height()),
                             ScaleEdge(r.right, oldClient.left, oldClient.Width(), client_.left,
                                       client_.Width()),
                             ScaleEdge(r.bottom, oldClient.top, oldClient.Height(), client_.top,
                                       client_.Height())}
                            .Normalized();
        }
    }
}

bool DiagramModel::SetCardHidden(int cardId, bool hidden) {
    const auto it = keyMap_.find(cardId);
    if (it == keyMap_.end())
        return false;
    cells_[it->second].SetHidden(hidden);
    return true;
}

bool DiagramModel::SetPictureInPictureHidden(int cardId, bool hidden) {
    const auto it = pictureInPictureMap_.find(cardId);
    if (it == pictureInPictureMap_.end())
        return false;
    cells_[it->second].SetHidden(hidden);
    return true;
}

void DiagramModel::ClearHighlights() {
    for (CCell& cell : cells_)
        cell.SetSelected(false);
    selected_.reset();
}

bool DiagramModel::SelectCard(int cardId) {
    ClearHighlights();
    EndDrag();
    const auto it = keyMap_.find(cardId);
    if (it == keyMap_.end())
        return false;
    cells_[it->second].SetSelected(true);
    selected_ = it->second;
    return true;
}

PressResult DiagramModel::Press(Point p) {
    PressResult result;
    const std::optional<std::size_t> hit = CellUnderPoint(cells_, p);
    if (!hit) {
        if (selected_) {
            CCell& old = cells_[*selected_];
            old.SetSelected(false);
            result.repaint.push_back(SelectionRepaintRect(old));
            selected_.reset();
            result.selectionCleared = true;
        }
        return result;
    }

    if (selected_ && *selected_ != *hit) {
        CCell& old = cells_[*selected_];
        old.SetSelected(false);
        result.repaint.push_back(SelectionRepaintRect(old));
    }
    CCell& cell = cells_[*hit];
    cell.SetSelected(true);
    result.repaint.push_back(SelectionRepaintRect(cell));
    selected_ = hit;

    zone_ = ZoneOf(cell.rect, p);
    mode_ = DragModeForZone(zone_);
    confinement_ = mode_ == DragMode::kMove ? MoveConfinement(cell.rect, p, client_) : client_;
    last_ = p;
    dragStart_ = p;
    dragCurrent_ = p;
    captured_ = true;

    result.cellPressed = true;
    result.pictureInPicture = cell.IsPictureInPicture();
    result.postKey = cell.IsPictureInPicture() ? 0 : cell.cardId;
    result.mode = mode_;
    result.zone = zone_;
    result.confinement = confinement_;
    return result;
}

MoveResult DiagramModel::MouseMove(Point p) {
    MoveResult result;
    if (captured_ && selected_) {
        const Point q = ConfinePoint(p, confinement_);
        CCell& cell = cells_[*selected_];
        Rect candidate = cell.rect;
        if (mode_ == DragMode::kMove) {
            candidate = MoveCandidate(cell.rect, q.x - last_.x, q.y - last_.y);
        } else if (mode_ == DragMode::kResize) {
            candidate = ResizeCandidate(cell.rect, zone_, q, minimum_);
        }
        if (CandidateAccepted(cell.rect, candidate, client_)) {
            cell.rect = candidate;
            result.cellChanged = true;
        }
        result.dragging = true;
        result.cursor = CursorForZone(zone_);
        last_ = q;
        dragCurrent_ = q;
        return result;
    }
    if (!captured_) {
        if (const std::optional<std::size_t> hit = CellUnderPoint(cells_, p)) {
            result.cursor = CursorForZone(ZoneOf(cells_[*hit].rect, p));
        }
    }
    return result;
}

ReleaseResult DiagramModel::Release(Point p, const RecordRectLookup& lookup) {
    ReleaseResult result;
    if (captured_ && selected_) {
        if (ConfinePoint(p, confinement_) != last_)
            MouseMove(p);
        if (dragCurrent_ != dragStart_) {
            result.dragEnded = true;
            ApplyDragToSelected(lookup, result);
        }
    }
    EndDrag();
    return result;
}

void DiagramModel::ApplyDragToSelected(const RecordRectLookup& lookup, ReleaseResult& result) {
    CCell& cell = cells_[*selected_];
    // A picture-in-picture cell stands for no record: it keeps its dragged rectangle and
    // nothing is written or sent.
    if (cell.IsPictureInPicture() || mode_ == DragMode::kNone || !lookup)
        return;
    const std::optional<DeviceRect> record = lookup(cell.cardId);
    if (!record || !ScalesUsable(scales_))
        return;

    cell.remainders = RemaindersFromRecord(*record, scales_);
    const DeviceRect updated =
        ApplyDrag(DragApplication{mode_, zone_, cell.rect, *record, scales_, extents_, client_});
    // After a resize the cell shows exactly what the card gets; a moved cell keeps the
    // rectangle it was dragged to.
    if (mode_ == DragMode::kResize) {
        cell.rect = MapToPixels(updated, scales_, client_, cell.remainders);
    }
    result.change = RecordChange{cell.cardId, updated};
}

const CCell* DiagramModel::CellOfCard(int cardId) const {
    const auto it = keyMap_.find(cardId);
    return it == keyMap_.end() ? nullptr : &cells_[it->second];
}

const CCell* DiagramModel::PictureInPictureCellOfCard(int cardId) const {
    const auto it = pictureInPictureMap_.find(cardId);
    return it == pictureInPictureMap_.end() ? nullptr : &cells_[it->second];
}

std::vector<std::size_t> DiagramModel::PaintOrder() const {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        if (!cells_[i].Hidden())
            order.push_back(i);
    }
    return order;
}

const CCell* DiagramModel::SelectedCell() const {
    return selected_ ? &cells_[*selected_] : nullptr;
}

void DiagramModel::EndDrag() {
    captured_ = false;
    mode_ = DragMode::kNone;
    zone_ = HandleZone::kNone;
    confinement_ = Rect{};
}

void DiagramModel::ForgetDrag() {
    EndDrag();
    last_ = Point{-1, -1};
    dragStart_ = Point{-1, -1};
    dragCurrent_ = Point{-1, -1};
}

Rect DiagramModel::WholeFrame(Remainders& remainders) const {
    return MapToPixels(DeviceRect{0, 0, extents_.width, extents_.height}, scales_, client_,
                       remainders);
}

}  // namespace kov::diagram
