#include "output/output_field_host.h"

#include <QMouseEvent>
#include <QResizeEvent>

#include "diagram/cell_binding.h"
#include "shell/app_context.h"
#include "store/card_records.h"

namespace kov::ui {

COutPutFieldDLg::COutPutFieldDLg(AppContext& context, QObject* notify, QWidget* parent)
    : QWidget(parent), context_(context), picture_(context, notify, this) {
    setObjectName("COutPutFieldDLg");
    // The host keeps the no-focus policy, so a press does not take the focus; it moves here
    // when the button goes up, after a drag has been applied.
    connect(&picture_, &DiagramCtrl::Released, this, [this] { setFocus(Qt::MouseFocusReason); });
}

diagram::Rect COutPutFieldDLg::LayOut() {
    laidOutFor_ = size();
    WholeScreen screen;
    {
        const auto lock = context_.records.Lock();
        screen = context_.records.screen;
    }
    const QRect client = rect();
    layout_ = diagram::ComputeOutputFieldLayout(ToModelRect(client), screen);
    diagram::PublishMinimumCellSize(layout_, diagram::ProgramMinimumCellSize());
    picture_.setGeometry(DiagramGeometry(layout_, client));
    return picture_.ClientRect();
}

void COutPutFieldDLg::Initialise() {
    const diagram::Rect client = LayOut();
    {
        const auto lock = context_.records.Lock();
        picture_.Model().Clear();
        diagram::CreateOutputCells(picture_.Model(), context_.records.output, layout_.scales,
                                   context_.records.screen, client);
    }
    picture_.update();
}

void COutPutFieldDLg::Refresh() {
    const diagram::Rect client = LayOut();
    {
        const auto lock = context_.records.Lock();
        diagram::RescaleOutputCells(picture_.Model(), context_.records.output, layout_.scales,
                                    context_.records.screen, client);
    }
    update();
    picture_.update();
}

void COutPutFieldDLg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Qt holds the size changes of a hidden widget back until it is shown, so the host often
    // gets its real size only after Initialise ran with a provisional one: every size the
    // diagram was not laid out for lays it out again.
    if (laidOutFor_ != size())
        Refresh();
}

void COutPutFieldDLg::mousePressEvent(QMouseEvent* event) {
    picture_.HostMouseEvent(event);
}

void COutPutFieldDLg::mouseMoveEvent(QMouseEvent* event) {
    picture_.HostMouseEvent(event);
}

void COutPutFieldDLg::mouseReleaseEvent(QMouseEvent* event) {
    picture_.HostMouseEvent(event);
}

}  // namespace kov::ui
