#pragma once
// The state of one cell diagram apart from its painting: the cells, the maps from card IDs
// to cells, the scales and extents, the selection and the drag. The windowing layer turns
// mouse events into Press / MouseMove / Release calls and carries out what the results say
// (repaint, set the cursor, post the card-selected message, write a record and send it).
// The model never touches records, the link or the records' lock: record rectangles come in
// through a lookup that the caller runs under whatever lock it needs, and record changes go
// out as results.

#include <cstddef>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <vector>

#include "diagram/cell.h"
#include "diagram/cell_geometry.h"

namespace kov::diagram {

// Which binding a diagram has. Only the input diagram has picture-in-picture cells.
enum class DiagramKind { kInput, kOutput };

// The record rectangle of a card in device units, or nothing when there is no such card.
using RecordRectLookup = std::function<std::optional<DeviceRect>(int cardId)>;

// What a button press asks of the windowing layer.
struct PressResult {
    // A cell was hit and is now selected; post the card-selected message with postKey.
    bool cellPressed = false;
    // The card ID of the pressed cell as the key map knows it: the card's ID for a card
    // cell, 0 for a picture-in-picture cell (those are not in the key map).
    int postKey = 0;
    bool pictureInPicture = false;
    // A press outside every cell unselected the cell that was selected.
    bool selectionCleared = false;
    DragMode mode = DragMode::kNone;
    HandleZone zone = HandleZone::kNone;
    // Where the pointer is kept while the drag lasts (client coordinates, right and bottom
    // excluded). The model clamps the points it is given to it, so the windowing layer
    // need not confine the cursor itself.
    Rect confinement;
    // Areas to repaint without erasing.
    std::vector<Rect> repaint;
};

// What a mouse move asks of the windowing layer.
struct MoveResult {
    // A drag is under way: repaint the whole control without erasing.
    bool dragging = false;
    // The dragged cell took the candidate rectangle.
    bool cellChanged = false;
    CursorShape cursor = CursorShape::kArrow;
};

// A card whose record rectangle is to change.
struct RecordChange {
    int cardId = 0;
    DeviceRect rect;  // new x, y, w, h in device units

    friend bool operator==(const RecordChange&, const RecordChange&) = default;
};

// What a button release asks of the windowing layer.
struct ReleaseResult {
    // A drag with movement ended: repaint the whole control with erasing.
    bool dragEnded = false;
    // When present: write the rectangle into the card's record, send the card's command(s),
    // signal the state-changed event and post the card-selected message with cardId.
    // Absent for a press without movement, for a picture-in-picture cell and for a card
    // without a record.
    std::optional<RecordChange> change;
};

class DiagramModel {
public:
    // minimum is the shared minimum cell size pair; the program passes its one pair so that
    // both diagrams use whichever value a host wrote last.
    explicit DiagramModel(DiagramKind kind, CellSize& minimum = ProgramMinimumCellSize());

    // Builds the cells anew: one hidden cell per card ID in list order, mapped from the
    // card's record rectangle (a card without a record gets an empty cell) and entered in
    // the key map; for the input diagram then one hidden picture-in-picture cell per card
    // covering the whole frame, entered in the second map. Forgets the selection and the
    // drag; the last point and the drag points become (-1, -1).
    void CreateCells(std::span<const int> cardIds, const RecordRectLookup& lookup, Scales scales,
                     Extents extents, const Rect& client);

    // Deletes every cell, empties the maps, forgets the selection and the drag.
    void Clear();

    // Takes new scales, extents and client rectangle and maps every cell of the key map from
    // its record again (a card without a record keeps its cell). Selection and hidden flags
    // stay. Picture-in-picture cells have no record: they keep their place relative to the
    // client rectangle, and an empty one (built while the diagram had no area) is made to
    // cover the whole frame again.
    void Rescale(const RecordRectLookup& lookup, Scales scales, Extents extents,
                 const Rect& client);

    // Sets or clears the hidden flag of a card's cell (key map) or of its picture-in-picture
    // cell (second map). False when the map has no cell for the card.
    bool SetCardHidden(int cardId, bool hidden);
    bool SetPictureInPictureHidden(int cardId, bool hidden);

    // Clears the selected flag of every cell and forgets the selection.
    void ClearHighlights();

    // Clears every highlight, then selects the cell of a card (key map), as when the main
    // window selects the card elsewhere. A drag under way ends without being applied, so it
    // can never carry on with another cell. False, with nothing selected, when the map has no
    // cell for the card.
    bool SelectCard(int cardId);

    // Button down at p (client coordinates).
    PressResult Press(Point p);
    // Mouse move to p.
    MoveResult MouseMove(Point p);
    // Button up at p. A release away from the last point is first taken as a move there, so
    // the card gets the place where the button was let go. A drag is applied only when the
    // drag point differs from where the button went down; the lookup gives the card's
    // record rectangle before the drag.
    ReleaseResult Release(Point p, const RecordRectLookup& lookup);

    DiagramKind Kind() const { return kind_; }
    // The cells in list order; the last lies on top.
    const std::vector<CCell>& Cells() const { return cells_; }
    const CCell* CellOfCard(int cardId) const;
    const CCell* PictureInPictureCellOfCard(int cardId) const;
    // Indices of the cells to draw, bottom first: every cell that is not hidden, in list order.
    std::vector<std::size_t> PaintOrder() const;

    std::optional<std::size_t> SelectedIndex() const { return selected_; }
    const CCell* SelectedCell() const;
    Scales CurrentScales() const { return scales_; }
    Extents CurrentExtents() const { return extents_; }
    Rect Client() const { return client_; }
    CellSize MinimumCellSize() const { return minimum_; }

    // The drag: whether the model holds the pointer (between a press on a cell and the
    // release), its mode and zone, and its points.
    bool Captured() const { return captured_; }
    DragMode Mode() const { return mode_; }
    HandleZone Zone() const { return zone_; }
    Rect Confinement() const { return confinement_; }
    Point LastPoint() const { return last_; }
    Point DragStart() const { return dragStart_; }
    Point DragCurrent() const { return dragCurrent_; }

private:
    // Lets go of the pointer: no capture, no drag mode, zone or confinement.
    void EndDrag();
    // Ends the drag and forgets its points as well.
    void ForgetDrag();
    Rect WholeFrame(Remainders& remainders) const;
    void ApplyDragToSelected(const RecordRectLookup& lookup, ReleaseResult& result);

    DiagramKind kind_;
    CellSize& minimum_;
    std::vector<CCell> cells_;
    std::map<int, std::size_t> keyMap_;
    std::map<int, std::size_t> pictureInPictureMap_;
    Scales scales_;
    Extents extents_;
    Rect client_;
    std::optional<std::size_t> selected_;
    bool captured_ = false;
    DragMode mode_ = DragMode::kNone;
    HandleZone zone_ = HandleZone::kNone;
    Rect confinement_;
    Point last_{-1, -1};
    Point dragStart_{-1, -1};
    Point dragCurrent_{-1, -1};
};

}  // namespace kov::diagram
