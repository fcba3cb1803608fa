#pragma once
// For automation (end-to-end tests, screen readers' scripts, screenshot tools): while the
// environment names a file in KOV_CONTROL_MAP, the program keeps that file listing every
// visible control by its control ID with its place on the screen, one line each:
//   <id> <x> <y> <width> <height> <class name> <page or dialog>
// where the last field is the objectName of the nearest named window above the control,
// and an item of a tree that carries a number n as its data is listed as <tree id>.<n>
// (the card tree's items by slot).
// Nothing is written when the variable is not set.

#include <QObject>
#include <QString>

class QTimer;
class QWidget;

namespace kov::ui {

// The lines above for the visible controls below root (those with a control ID).
QString ControlMapText(const QWidget& root);

class ControlMap final : public QObject {
    Q_OBJECT

public:
    // Rewrites the file (atomically, only when its text changed) four times a second.
    ControlMap(QWidget& root, QString path);

private:
    void Update();

    QWidget& root_;
    QString path_;
    QString written_;
    QTimer* timer_;
};

// A map for root when KOV_CONTROL_MAP is set, else nullptr.
ControlMap* StartControlMapFromEnvironment(QWidget& root);

}  // namespace kov::ui
