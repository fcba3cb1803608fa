#include "diagram/diagram_ctrl.h"

#include <QColor>
#include <QFontMetrics>
#include <QImageReader>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <cmath>

#include "diagram/cell.h"
#include "shell/app_context.h"
#include "shell/window_messages.h"
#include "store/auto_reset_event.h"
#include "store/card_records.h"

namespace kov::ui {
namespace {

// Smoothly scaled copies kept per picture, one per cell size in use; beyond this many the
// copies are dropped and made again as needed.
constexpr std::size_t kScaledCopiesKept = 32;

QColor ToQColor(diagram::Rgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

QRect ToQRect(const diagram::Rect& r) {
    return QRect(QPoint(r.left, r.top), QSize(r.Width(), r.Height()));
}

diagram::Point ToModelPoint(const QPointF& p) {
    return diagram::Point{static_cast<int>(std::floor(p.x())), static_cast<int>(std::floor(p.y()))};
}

// A one-pixel frame just inside r.
void FramePixels(QPainter& painter, const QRect& r, const QColor& colour) {
    if (r.width() <= 0 || r.height() <= 0)
        return;
    painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

}  // namespace

Qt::CursorShape QtCursorFor(diagram::CursorShape shape, bool dragging) {
    switch (shape) {
        case diagram::CursorShape::kSizeWestEast:
            return Qt::SizeHorCursor;
        case diagram::CursorShape::kSizeNorthSouth:
            return Qt::SizeVerCursor;
        case diagram::CursorShape::kHand:
            return dragging ? Qt::ClosedHandCursor : Qt::OpenHandCursor;
        case diagram::CursorShape::kSizeNwSe:
            return Qt::SizeFDiagCursor;
        case diagram::CursorShape::kSizeNeSw:
            return Qt::SizeBDiagCursor;
        case diagram::CursorShape::kArrow:
            break;
    }
    return Qt::ArrowCursor;
}

QRect DiagramGeometry(const diagram::FieldLayout& layout, const QRect& hostClient) {
    if (layout.Usable())
        return ToQRect(layout.diagram);
    const int width = hostClient.width() - hostClient.width() % 2;
    const int height = std::max(0, hostClient.height() - diagram::kHostBottomMargin);
    return QRect(hostClient.topLeft(), QSize(std::max(0, width), height));
}

diagram::Rect ToModelRect(const QRect& rect) {
    return diagram::Rect{rect.left(), rect.top(), rect.left() + rect.width(),
                         rect.top() + rect.height()};
}

DiagramCtrl::DiagramCtrl(AppContext& context, QObject* notify, diagram::DiagramKind kind,
                         QWidget* parent)
    : QWidget(parent), context_(context), notify_(notify), model_(kind) {
    // Every pixel comes from the off-screen image, so Qt need not clear the area first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Moves without a button show the cursor of the zone under the pointer.
    setMouseTracking(true);
}

DiagramCtrl::~DiagramCtrl() = default;

void DiagramCtrl::SetCardHidden(int cardId, bool hidden) {
    model_.SetCardHidden(cardId, hidden);
    update();
}

bool DiagramCtrl::IsCardHidden(int cardId) const {
    const diagram::CCell* cell = model_.CellOfCard(cardId);
    return cell == nullptr || cell->Hidden();
}

int DiagramCtrl::SelectedCardId() const {
    const diagram::CCell* cell = model_.SelectedCell();
    return cell ? cell->cardId : 0;
}

void DiagramCtrl::SelectCard(int cardId) {
    model_.SelectCard(cardId);
    update();
}

diagram::Rect DiagramCtrl::ClientRect() const {
    return diagram::Rect{0, 0, width(), height()};
}

void DiagramCtrl::HandlePress(diagram::Point p) {
    const diagram::PressResult result = model_.Press(p);
    for (const diagram::Rect& r : result.repaint)
        update(ToQRect(r));
    if (result.cellPressed) {
        ShowCursor(QtCursorFor(diagram::CursorForZone(result.zone),
                               result.mode == diagram::DragMode::kMove));
        PostCardSelected(result.postKey);
    }
}

void DiagramCtrl::HandleMove(diagram::Point p) {
    const diagram::MoveResult result = model_.MouseMove(p);
    if (result.dragging)
        update();
    ShowCursor(QtCursorFor(result.cursor, result.dragging));
}

void DiagramCtrl::HandleRelease(diagram::Point p) {
    diagram::ReleaseResult result;
    {
        const auto lock = context_.records.Lock();
        result = model_.Release(p, RecordLookup());
    }
    if (result.change && ApplyChange(*result.change)) {
        context_.stateChanged.Set();
        PostCardSelected(result.change->cardId);
    }
    if (result.dragEnded)
        update();
    // The cursor goes back to what the point shows without a drag.
    ShowCursor(QtCursorFor(model_.MouseMove(p).cursor, false));
    emit Released();
}

void DiagramCtrl::HostMouseEvent(QMouseEvent* event) {
    const diagram::Point p = ToModelPoint(event->position() - QPointF(pos()));
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            if (event->button() == Qt::LeftButton)
                HandlePress(p);
            break;
        case QEvent::MouseMove:
            HandleMove(p);
            break;
        case QEvent::MouseButtonRelease:
            if (event->button() == Qt::LeftButton)
                HandleRelease(p);
            break;
        default:
            break;
    }
}

void DiagramCtrl::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    HandlePress(ToModelPoint(event->position()));
}

void DiagramCtrl::mouseMoveEvent(QMouseEvent* event) {
    HandleMove(ToModelPoint(event->position()));
}

void DiagramCtrl::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    HandleRelease(ToModelPoint(event->position()));
}

void DiagramCtrl::paintEvent(QPaintEvent* /*event*/) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels(static_cast<int>(std::ceil(width() * ratio)),
                       static_cast<int>(std::ceil(height() * ratio)));
    if (pixels.isEmpty())
        return;
    if (buffer_.size() != pixels) {
        buffer_ = QImage(pixels, QImage::Format_RGB32);
        buffer_.setDevicePixelRatio(ratio);
    }
    {
        QPainter off(&buffer_);
        PaintCells(off);
    }
    // One copy to the screen; the painter is already clipped to the area to repaint.
    QPainter on(this);
    on.drawImage(QPoint(0, 0), buffer_);
}

void DiagramCtrl::PaintCells(QPainter& painter) {
    painter.fillRect(rect(), Qt::black);
    painter.setFont(font());
    const std::vector<diagram::CCell>& cells = model_.Cells();
    for (const std::size_t index : model_.PaintOrder())
        PaintCell(painter, cells[index]);
}

void DiagramCtrl::PaintCell(QPainter& painter, const diagram::CCell& cell) {
    const QRect area = ToQRect(cell.rect.Normalized());
    if (area.isEmpty())
        return;

    if (Picture* picture = LoadedPicture(cell)) {
        const bool resizing =
            cell.Selected() && model_.Captured() && model_.Mode() == diagram::DragMode::kResize;
        if (resizing) {
            // The size changes at every step of a resize: the picture is stretched as it is
            // drawn, without smoothing, which stays fast for any size. The repaint at the
            // end of the drag draws it smooth again.
            painter.drawImage(area, picture->image);
        } else {
            const qreal ratio = buffer_.devicePixelRatio();
            const QSize pixels(static_cast<int>(std::lround(area.width() * ratio)),
                               static_cast<int>(std::lround(area.height() * ratio)));
            painter.drawImage(area.topLeft(), Scaled(*picture, pixels));
        }
    } else {
        painter.fillRect(area, ToQColor(diagram::CellBrush(cell)));
    }

    const QString label = QString::fromStdString(diagram::CellLabel(cell));
    const QFontMetrics metrics(painter.font());
    if (metrics.horizontalAdvance(label) + 2 <= area.width() && metrics.height() <= area.height()) {
        painter.setPen(ToQColor(diagram::CellLabelColour(cell)));
        painter.drawText(QPoint(area.left() + 2, area.top() + metrics.ascent()), label);
    }

    const QColor border = ToQColor(diagram::CellBorderColour(cell));
    FramePixels(painter, area, border);
    FramePixels(painter, area.adjusted(1, 1, -1, -1), border);
}

DiagramCtrl::Picture* DiagramCtrl::LoadedPicture(const diagram::CCell& cell) {
    Picture& picture = pictures_[diagram::CellImageName(cell)];
    if (!picture.tried) {
        picture.tried = true;
        const std::filesystem::path file = context_.shippedDir / diagram::CellImageName(cell);
        QImageReader reader(QString::fromStdString(file.string()));
        QImage image;
        // A missing, truncated or foreign file gives a null image; the cell then gets its
        // brush. The reader's allocation limit keeps a damaged header from exhausting memory.
        if (reader.read(&image))
            picture.image = image.convertToFormat(QImage::Format_RGB32);
    }
    return picture.image.isNull() ? nullptr : &picture;
}

const QImage& DiagramCtrl::Scaled(Picture& picture, QSize size) {
    const std::pair<int, int> key{size.width(), size.height()};
    auto it = picture.scaled.find(key);
    if (it == picture.scaled.end()) {
        if (picture.scaled.size() >= kScaledCopiesKept)
            picture.scaled.clear();
        QImage scaled = picture.image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        scaled.setDevicePixelRatio(buffer_.devicePixelRatio());
        it = picture.scaled.emplace(key, std::move(scaled)).first;
    }
    return it->second;
}

void DiagramCtrl::ShowCursor(Qt::CursorShape shape) {
    if (cursor().shape() != shape)
        setCursor(shape);
}

void DiagramCtrl::PostCardSelected(int cardId) {
    if (notify_)
        PostKovMessage(notify_, WM_CARD_SELECTED, cardId);
}

}  // namespace kov::ui
