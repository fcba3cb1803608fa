#include "widgets/relabel.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "store/language.h"

namespace kov::ui {
namespace {
constexpr const char* kControlIdProperty = "kovControlId";
constexpr const char* kCaptionKeyProperty = "kovCaptionKey";

QString CaptionOf(const QWidget* widget, const Language& language) {
    const QVariant key = widget->property(kCaptionKeyProperty);
    if (key.isValid())
        return ToQString(language.RawText(key.toString().toStdString()));
    const int id = ControlId(widget);
    return id == 0 ? QString() : ToQString(language.ControlCaption(id));
}

}  // namespace

void SetControlId(QWidget* widget, int id) {
    widget->setProperty(kControlIdProperty, id);
}

void SetCaptionKey(QWidget* widget, const char* key) {
    widget->setProperty(kCaptionKeyProperty, QString::fromLatin1(key));
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
        const QString caption = CaptionOf(child, language);
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
