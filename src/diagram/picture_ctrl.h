#pragma once
// The input diagram: one cell per input card showing the card's capture window within the
// input frame, plus a picture-in-picture cell per card. A dragged card cell is written into
// the card's capture window and sent with Set capture window; a dragged picture-in-picture
// cell stands for no record, so nothing is written or sent for it.

#include "diagram/diagram_ctrl.h"

namespace kov::ui {

class CPictureCtrl final : public DiagramCtrl {
    Q_OBJECT

public:
    CPictureCtrl(AppContext& context, QObject* notify, QWidget* parent = nullptr);

protected:
    diagram::RecordRectLookup RecordLookup() const override;
    bool ApplyChange(const diagram::RecordChange& change) override;
};

}  // namespace kov::ui
