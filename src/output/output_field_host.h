#pragma once
// The host of the output diagram: it fits a scaled drawing of the whole screen into its
// area, builds and rescales the output cells from the records, publishes the smallest cell
// the diagrams may produce, and takes the keyboard focus after a mouse release. A whole
// screen of size 0 leaves an empty black diagram in which nothing can be pressed or dragged.

#include <QSize>
#include <QWidget>

#include "diagram/field_layout.h"
#include "diagram/output_pic_ctrl.h"

namespace kov::ui {

struct AppContext;

class COutPutFieldDLg final : public QWidget {
    Q_OBJECT

public:
    // notify receives the diagram's WM_CARD_SELECTED (the main window).
    COutPutFieldDLg(AppContext& context, QObject* notify, QWidget* parent = nullptr);

    // Layout, then every cell built anew from the records (all hidden), repaint.
    void Initialise();
    // Layout, the control moved onto the diagram, every cell mapped again from its record
    // (selection and hidden flags stay), repaint.
    void Refresh();

    COutputPicCtrl& Picture() { return picture_; }
    // The layout last computed.
    const diagram::FieldLayout& Layout() const { return layout_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Computes the layout for the whole screen, publishes the minimum cell size when the
    // layout is usable and moves the control; the client rectangle of the control afterwards.
    diagram::Rect LayOut();

    AppContext& context_;
    COutputPicCtrl picture_;
    diagram::FieldLayout layout_;
    QSize laidOutFor_;  // host size of the last layout
};

}  // namespace kov::ui
