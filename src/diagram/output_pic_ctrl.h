#pragma once
// The output diagram: one cell per output card showing the card's splice rectangle within
// the whole screen. A dragged cell is written into the card's splice fields and sent with
// Set horizontal splice, then Set vertical splice.

#include "diagram/diagram_ctrl.h"

namespace kov::ui {

class COutputPicCtrl final : public DiagramCtrl {
    Q_OBJECT

public:
    COutputPicCtrl(AppContext& context, QObject* notify, QWidget* parent = nullptr);

protected:
    diagram::RecordRectLookup RecordLookup() const override;
    bool ApplyChange(const diagram::RecordChange& change) override;
};

}  // namespace kov::ui
