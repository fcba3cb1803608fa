#include "shell/control_map.h"

#include <QTimer>
#include <QWidget>

#include "store/file_io.h"
#include "widgets/relabel.h"

namespace kov::ui {

QString ControlMapText(const QWidget& root) {
    QString text;
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        const int id = ControlId(w);
        if (id == 0 || !w->isVisible())
            continue;
        const QPoint at = w->mapToGlobal(QPoint(0, 0));
        text += QString("%1 %2 %3 %4 %5 %6\n")
                    .arg(id)
                    .arg(at.x())
                    .arg(at.y())
                    .arg(w->width())
                    .arg(w->height())
                    .arg(QString::fromLatin1(w->metaObject()->className()));
    }
    return text;
}

ControlMap::ControlMap(QWidget& root, QString path)
    : QObject(&root), root_(root), path_(std::move(path)), timer_(new QTimer(this)) {
    connect(timer_, &QTimer::timeout, this, &ControlMap::Update);
    timer_->start(250);
}

void ControlMap::Update() {
    const QString text = ControlMapText(root_);
    if (text == written_)
        return;
    if (WriteFileAtomically(path_.toStdString(), text.toStdString()))
        written_ = text;
}

ControlMap* StartControlMapFromEnvironment(QWidget& root) {
    const QString path = qEnvironmentVariable("KOV_CONTROL_MAP");
    return path.isEmpty() ? nullptr : new ControlMap(root, path);
}

}  // namespace kov::ui
