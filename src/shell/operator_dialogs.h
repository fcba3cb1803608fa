#pragma once
// Everything that asks the operator something or tells them something goes through this
// one interface: message boxes, questions, file choosers, beeps and modal dialogs. The
// program uses Qt's real dialogs; widget tests install a scripted stand-in.

#include <QString>

class QDialog;
class QWidget;

namespace kov::ui {

enum class MessageIcon { kInformation, kWarning, kError };

class OperatorDialogs {
public:
    virtual ~OperatorDialogs() = default;

    virtual void Message(QWidget* parent, const QString& text, MessageIcon icon) = 0;
    // OK / Cancel question; true for OK.
    virtual bool Question(QWidget* parent, const QString& text) = 0;
    // A file chooser; the chosen path, or empty when cancelled.
    virtual QString OpenFile(QWidget* parent, const QString& filter, const QString& suffix) = 0;
    virtual QString SaveFile(QWidget* parent, const QString& filter, const QString& suffix) = 0;
    // Runs a dialog modally and returns its result (QDialog::Accepted or Rejected).
    virtual int ShowModal(QDialog& dialog) = 0;
    virtual void Beep() = 0;
};

// The real dialogs of Qt.
class QtOperatorDialogs final : public OperatorDialogs {
public:
    void Message(QWidget* parent, const QString& text, MessageIcon icon) override;
    bool Question(QWidget* parent, const QString& text) override;
    QString OpenFile(QWidget* parent, const QString& filter, const QString& suffix) override;
    QString SaveFile(QWidget* parent, const QString& filter, const QString& suffix) override;
    int ShowModal(QDialog& dialog) override;
    void Beep() override;
};

}  // namespace kov::ui
