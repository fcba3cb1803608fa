#include "widgets/relabel.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "store/language.h"

namespace kov::ui {
namespace {
constexpr const char* kControlIdProperty = "kovControlId";
}

void SetControlId(QWidget* widget, int id) {
    widget->setProperty(kControlIdProperty, id);
}

int ControlId(const QWidget* widget) {
    const QVariant id = widget->property(kControlIdProperty);
    return id.isValid() ? id.toInt() : 0;
}

void RelabelDialog(QWidget* window, int dialogId, const Language& language) {
    const QString title = ToQString(language.DialogTitle(dialogId));
    if (!title.isEmpty())
        window->setWindowTitle(title);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        const int id = ControlId(child);
        if (id == 0)
            continue;
        const QString caption = ToQString(language.ControlCaption(id));
        if (caption.isEmpty())
            continue;
        if (auto* label = qobject_cast<QLabel*>(child)) {
            label->setText(caption);
        } else if (auto* button = qobject_cast<QAbstractButton*>(child)) {
            button->setText(caption);
        } else if (auto* group = qobject_cast<QGroupBox*>(child)) {
            group->setTitle(caption);
        }
    }
}

}  // namespace kov::ui
