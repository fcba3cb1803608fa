#pragma once
// The host of the input diagram: it fits the diagram of the input frame (a resolution of the
// resolution table) into its area, builds and rescales the input cells from the records,
// publishes the smallest cell the diagrams may produce, and takes the keyboard focus after a
// mouse release. It sends nothing itself; a dragged window is applied by the diagram control.

#include <QSize>
#include <QWidget>

#include "diagram/cell_binding.h"
#include "diagram/field_layout.h"
#include "diagram/picture_ctrl.h"

namespace kov::ui {

struct AppContext;

class CInPutFieldDlg final : public QWidget {
    Q_OBJECT

public:
    // notify receives the diagram's WM_CARD_SELECTED (the main window).
    CInPutFieldDlg(AppContext& context, QObject* notify, QWidget* parent = nullptr);

    // Resolution code 1, layout, cells built anew from the records (all hidden), every
    // highlight cleared, repaint.
    void Build();
    // Layout for the current resolution code, the control moved onto the diagram, every
    // card cell mapped again from its record (selection and hidden flags stay), repaint.
    void Refresh();

    // The resolution of the input frame shown; the next Refresh uses it. A code that is not
    // in the resolution table leaves the previous layout and cells as they are.
    void SetResolutionCode(int code) { resolutionCode_ = code; }
    int ResolutionCode() const { return resolutionCode_; }

    CPictureCtrl& Picture() { return picture_; }
    // The layout last computed.
    const diagram::FieldLayout& Layout() const { return layout_; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // Computes the layout for the current code, publishes the minimum cell size and moves
    // the control; the client rectangle of the control afterwards.
    diagram::Rect LayOut();

    AppContext& context_;
    CPictureCtrl picture_;
    int resolutionCode_ = diagram::kInputBuildResolutionCode;
    diagram::FieldLayout layout_;
    QSize laidOutFor_;  // host size of the last layout
};

}  // namespace kov::ui
