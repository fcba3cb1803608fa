#include "diagram/picture_ctrl.h"

#include <cstdint>
#include <optional>

#include "diagram/cell_binding.h"
#include "link/commands.h"
#include "shell/app_context.h"
#include "store/card_records.h"

namespace kov::ui {

CPictureCtrl::CPictureCtrl(AppContext& context, QObject* notify, QWidget* parent)
    : DiagramCtrl(context, notify, diagram::DiagramKind::kInput, parent) {
    setObjectName("CPictureCtrl");
}

diagram::RecordRectLookup CPictureCtrl::RecordLookup() const {
    return diagram::InputRectLookup(Context().records.input);
}

bool CPictureCtrl::ApplyChange(const diagram::RecordChange& change) {
    // The frame is sent from a copy, so the records' lock is not held while the link writes.
    std::optional<InputCardRecord> changed;
    {
        const auto lock = Context().records.Lock();
        if (const InputCardRecord* record =
                diagram::ApplyInputChange(Context().records.input, change)) {
            changed = *record;
        }
    }
    if (!changed)
        return false;
    SendCaptureWindow(Context().link, *changed, static_cast<std::uint8_t>(change.cardId));
    return true;
}

}  // namespace kov::ui
