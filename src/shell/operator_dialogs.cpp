#include "shell/operator_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace kov::ui {
namespace {

// Adds the default suffix when the operator typed a name without one.
QString WithSuffix(const QString& path, const QString& suffix) {
    if (path.isEmpty() || suffix.isEmpty() || !QFileInfo(path).suffix().isEmpty())
        return path;
    return path + "." + suffix;
}

}  // namespace

void QtOperatorDialogs::Message(QWidget* parent, const QString& text, MessageIcon icon) {
    const QString title = QApplication::applicationDisplayName();
    switch (icon) {
        case MessageIcon::kInformation:
            QMessageBox::information(parent, title, text);
            break;
        case MessageIcon::kWarning:
            QMessageBox::warning(parent, title, text);
            break;
        case MessageIcon::kError:
            QMessageBox::critical(parent, title, text);
            break;
    }
}

bool QtOperatorDialogs::Question(QWidget* parent, const QString& text) {
    return QMessageBox::question(parent, QApplication::applicationDisplayName(), text,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

void QtOperatorDialogs::RememberChoice(const QString& path) {
    if (!path.isEmpty())
        folder_ = QFileInfo(path).absolutePath();
}

QString QtOperatorDialogs::OpenFile(QWidget* parent, const QString& filter, const QString& suffix) {
    QFileDialog dialog(parent, QString(), folder_, filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    RememberChoice(dialog.selectedFiles().front());
    return dialog.selectedFiles().front();
}

QString QtOperatorDialogs::SaveFile(QWidget* parent, const QString& filter, const QString& suffix) {
    QFileDialog dialog(parent, QString(), folder_, filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    RememberChoice(dialog.selectedFiles().front());
    return WithSuffix(dialog.selectedFiles().front(), suffix);
}

int QtOperatorDialogs::ShowModal(QDialog& dialog) {
    return dialog.exec();
}

void QtOperatorDialogs::Beep() {
    QApplication::beep();
}

}  // namespace kov::ui
