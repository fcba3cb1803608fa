#include "diagram/output_pic_ctrl.h"

#include <optional>

#include "diagram/cell_binding.h"
#include "link/commands.h"
#include "shell/app_context.h"
#include "store/card_records.h"

namespace kov::ui {

COutputPicCtrl::COutputPicCtrl(AppContext& context, QObject* notify, QWidget* parent)
    : DiagramCtrl(context, notify, diagram::DiagramKind::kOutput, parent) {
    setObjectName("COutputPicCtrl");
}

diagram::RecordRectLookup COutputPicCtrl::RecordLookup() const {
    return diagram::OutputRectLookup(Context().records.output);
}

bool COutputPicCtrl::ApplyChange(const diagram::RecordChange& change) {
    // The frames are sent from a copy, so the records' lock is not held while the link writes.
    std::optional<OutputCardRecord> changed;
    {
        const auto lock = Context().records.Lock();
        if (const OutputCardRecord* record =
                diagram::ApplyOutputChange(Context().records.output, change)) {
            changed = *record;
        }
    }
    if (!changed)
        return false;
    SendHorizontalSplice(Context().link, *changed);
    SendVerticalSplice(Context().link, *changed);
    return true;
}

}  // namespace kov::ui
