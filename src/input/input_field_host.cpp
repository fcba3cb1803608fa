#include "input/input_field_host.h"

#include <QMouseEvent>
#include <QResizeEvent>

#include "diagram/cell_binding.h"
#include "shell/app_context.h"
#include "store/card_records.h"

namespace kov::ui {

CInPutFieldDlg::CInPutFieldDlg(AppContext& context, QObject* notify, QWidget* parent)
    : QWidget(parent), context_(context), picture_(context, notify, this) {
    setObjectName("CInPutFieldDlg");
    // The host keeps the no-focus policy, so a press does not take the focus; it moves here
    // when the button goes up, after a drag has been applied.
    connect(&picture_, &DiagramCtrl::Released, this, [this] { setFocus(Qt::MouseFocusReason); });
}

diagram::Rect CInPutFieldDlg::LayOut() {
    laidOutFor_ = size();
    const QRect client = rect();
    if (const std::optional<diagram::FieldLayout> layout =
            diagram::ComputeInputFieldLayout(ToModelRect(client), resolutionCode_)) {
        layout_ = *layout;
        diagram::PublishMinimumCellSize(layout_, diagram::ProgramMinimumCellSize());
        picture_.setGeometry(DiagramGeometry(layout_, client));
    }
    return picture_.ClientRect();
}

void CInPutFieldDlg::Build() {
    resolutionCode_ = diagram::kInputBuildResolutionCode;
    const diagram::Rect client = LayOut();
    {
        const auto lock = context_.records.Lock();
        diagram::CreateInputCells(picture_.Model(), context_.records.input, layout_.scales, client);
    }
    picture_.Model().ClearHighlights();
    picture_.update();
}

void CInPutFieldDlg::Refresh() {
    const diagram::Rect client = LayOut();
    {
        const auto lock = context_.records.Lock();
        diagram::RescaleInputCells(picture_.Model(), context_.records.input, resolutionCode_,
                                   layout_.scales, client);
    }
    update();
    picture_.update();
}

void CInPutFieldDlg::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    // Qt holds the size changes of a hidden widget back until it is shown, so the host often
    // gets its real size only after Build ran with a provisional one: every size the
    // diagram was not laid out for lays it out again.
    if (laidOutFor_ != size())
        Refresh();
}

void CInPutFieldDlg::mousePressEvent(QMouseEvent* event) {
    picture_.HostMouseEvent(event);
}

void CInPutFieldDlg::mouseMoveEvent(QMouseEvent* event) {
    picture_.HostMouseEvent(event);
}

void CInPutFieldDlg::mouseReleaseEvent(QMouseEvent* event) {
    picture_.HostMouseEvent(event);
}

}  // namespace kov::ui
