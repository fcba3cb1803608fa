#pragma once
// Putting the language texts on windows: each control carries the id its caption key is
// built from, and relabelling sets the window title and every caption that has a text.

#include <QString>

#include <string>

class QWidget;

namespace kov {
class Language;
}

namespace kov::ui {

// Marks widget as the control with that id.
void SetControlId(QWidget* widget, int id);
int ControlId(const QWidget* widget);

// widget, marked as the control with that id: for building a window's controls in one line.
template <class Widget>
Widget* WithId(Widget* widget, int id) {
    SetControlId(widget, id);
    return widget;
}

// Gives a caption that belongs to no control (a label, a group frame) its language key.
void SetCaptionKey(QWidget* widget, const char* key);

// Sets the window title from "IDD<id>_Title" and the caption of every control below
// window (labels, buttons, check boxes, group boxes) from "IDS_<control id>", where the
// language has a non-empty text; a caption key set with SetCaptionKey names its key
// itself. Edit boxes and lists keep their contents.
void RelabelDialog(QWidget* window, int dialogId, const Language& language);

inline QString ToQString(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace kov::ui
