#pragma once
// The drawn cell diagram shared by the input and the output diagram. It paints the cells of
// its DiagramModel through an off-screen image (black background, a background picture or a
// solid brush per cell, a label and a double frame) and turns mouse input into model calls:
// a press selects a cell and reports it to the main window, a drag moves or resizes the cell,
// and a release with movement writes the card's record and sends it to the card. The two
// subclasses supply only the binding to the records: which rectangle a card has, where a
// change is written and which command(s) carry it to the card.

#include <QImage>
#include <QPointer>
#include <QRect>
#include <QWidget>

#include <map>
#include <string>
#include <utility>

#include "diagram/diagram_model.h"
#include "diagram/field_layout.h"

class QMouseEvent;
class QPainter;
class QPaintEvent;

namespace kov::ui {

struct AppContext;

// The Qt cursor of a cursor shape. A move drag shows a closed hand, hovering over the
// inside of a cell an open one.
Qt::CursorShape QtCursorFor(diagram::CursorShape shape, bool dragging);

// Where a host puts its diagram control: the layout's diagram rectangle when the layout is
// usable; otherwise (a frame of size 0, or a host too small) the area the diagram could
// take, the host's even width by its height less the bottom margin, which the control then
// shows as an empty black area.
QRect DiagramGeometry(const diagram::FieldLayout& layout, const QRect& hostClient);

// A rectangle of the control's client area in model coordinates.
diagram::Rect ToModelRect(const QRect& rect);

class DiagramCtrl : public QWidget {
    Q_OBJECT

public:
    // notify receives WM_CARD_SELECTED (the main window); it may be null.
    DiagramCtrl(AppContext& context, QObject* notify, diagram::DiagramKind kind,
                QWidget* parent = nullptr);
    ~DiagramCtrl() override;

    // Shows or hides the cell of a card and repaints.
    void SetCardHidden(int cardId, bool hidden);
    // True when the card's cell is hidden or the card has no cell.
    bool IsCardHidden(int cardId) const;
    // Clears every highlight, selects the card's cell (if it has one) and repaints.
    void SelectCard(int cardId);
    // The card of the highlighted cell, or 0 when no cell is highlighted.
    int SelectedCardId() const;

    diagram::DiagramModel& Model() { return model_; }
    const diagram::DiagramModel& Model() const { return model_; }

    // The control's client rectangle, (0, 0, width, height).
    diagram::Rect ClientRect() const;

    // The left button going down, the mouse moving and the left button going up at a point
    // in the control's client coordinates. The control's own mouse events come here; a host
    // forwards its own through HostMouseEvent.
    void HandlePress(diagram::Point p);
    void HandleMove(diagram::Point p);
    void HandleRelease(diagram::Point p);

    // A mouse event of the host (the control's parent), taken at the same point of the
    // control: a press beside the diagram unselects the selected cell as a press on the empty
    // diagram does.
    void HostMouseEvent(QMouseEvent* event);

signals:
    // The left button went up; the release has been handled.
    void Released();

protected:
    AppContext& Context() const { return context_; }

    // The binding. The record rectangles of the cards, looked up while the records' lock is
    // held by the caller.
    virtual diagram::RecordRectLookup RecordLookup() const = 0;
    // Writes a change into the card's record under the records' lock and sends the card's
    // command(s). False, with nothing written or sent, when no record has the card.
    virtual bool ApplyChange(const diagram::RecordChange& change) = 0;

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // A background picture, loaded once, and its copies scaled to the cell sizes in use.
    struct Picture {
        bool tried = false;
        QImage image;  // null when the file is missing or cannot be read
        std::map<std::pair<int, int>, QImage> scaled;
    };

    void PaintCells(QPainter& painter);
    void PaintCell(QPainter& painter, const diagram::CCell& cell);
    // The cell's background picture, loaded on first use; null when it cannot be loaded.
    Picture* LoadedPicture(const diagram::CCell& cell);
    // The picture smoothly scaled to size (in device pixels), kept for the next paint.
    const QImage& Scaled(Picture& picture, QSize size);
    void ShowCursor(Qt::CursorShape shape);
    void PostCardSelected(int cardId);

    AppContext& context_;
    QPointer<QObject> notify_;
    diagram::DiagramModel model_;
    QImage buffer_;
    std::map<std::string, Picture> pictures_;
};

}  // namespace kov::ui
