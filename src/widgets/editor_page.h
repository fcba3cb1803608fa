#pragma once
// The behaviour every card page and sub-page shares: Enter and Escape never close or
// trigger anything, and a click on the background takes the keyboard focus, so the value
// box being edited loses it and applies its value.

#include <QWidget>

class QKeyEvent;

namespace kov::ui {

// Enter and Escape: the keys a window of this program swallows.
bool IsSwallowedKey(const QKeyEvent& event);

class EditorPage : public QWidget {
    Q_OBJECT

public:
    explicit EditorPage(QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
};

}  // namespace kov::ui
