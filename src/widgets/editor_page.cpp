#include "widgets/editor_page.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kov::ui {

bool IsSwallowedKey(const QKeyEvent& event) {
    return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
           event.key() == Qt::Key_Escape;
}

EditorPage::EditorPage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
}

void EditorPage::keyPressEvent(QKeyEvent* event) {
    if (IsSwallowedKey(*event))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

void EditorPage::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

}  // namespace kov::ui
