#include "shell/control_map.h"

#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWidget>

#include "store/file_io.h"
#include "widgets/relabel.h"

namespace kov::ui {

namespace {

// The nearest window above widget that names itself (a page or dialog: its class name),
// which tells apart the controls of two pages that share an id; "-" when none does.
QString OwnerName(const QWidget& widget) {
    for (const QWidget* w = widget.parentWidget(); w; w = w->parentWidget()) {
        // Qt names some of its own inner widgets "qt_…"; they are no page.
        const QString name = w->objectName();
        if (!name.isEmpty() && !name.startsWith(QLatin1String("qt_")))
            return name;
    }
    return QStringLiteral("-");
}

QString Line(const QString& key, const QRect& onScreen, const char* className,
             const QString& owner) {
    return QString("%1 %2 %3 %4 %5 %6 %7\n")
        .arg(key)
        .arg(onScreen.x())
        .arg(onScreen.y())
        .arg(onScreen.width())
        .arg(onScreen.height())
        .arg(QString::fromLatin1(className), owner);
}

// The items of a tree that carry a number as their data, as "<tree id>.<number>".
QString TreeItemLines(const QTreeWidget& tree, int id, const QString& owner) {
    QString text;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(&tree)); *it; ++it) {
        const QVariant data = (*it)->data(0, Qt::UserRole);
        const QRect rect = tree.visualItemRect(*it);
        if (!data.isValid() || rect.isEmpty())
            continue;
        const QPoint at = tree.viewport()->mapToGlobal(rect.topLeft());
        text += Line(QString("%1.%2").arg(id).arg(data.toInt()), QRect(at, rect.size()),
                     "QTreeWidgetItem", owner);
    }
    return text;
}

}  // namespace

QString ControlMapText(const QWidget& root) {
    QString text;
    for (const QWidget* w : root.findChildren<QWidget*>()) {
        const int id = ControlId(w);
        if (id == 0 || !w->isVisible())
            continue;
        const QString owner = OwnerName(*w);
        text += Line(QString::number(id), QRect(w->mapToGlobal(QPoint(0, 0)), w->size()),
                     w->metaObject()->className(), owner);
        if (const auto* tree = qobject_cast<const QTreeWidget*>(w))
            text += TreeItemLines(*tree, id, owner);
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
