#include "widgets/editor_page.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace kov::ui {

EditorPage::EditorPage(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::ClickFocus);
}

void EditorPage::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            event->accept();
            return;
        default:
            QWidget::keyPressEvent(event);
    }
}

void EditorPage::mousePressEvent(QMouseEvent* event) {
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

}  // namespace kov::ui
