#pragma once
// Everything that asks the operator something or tells them something goes through this
// one interface: message boxes, questions, file choosers, beeps and modal dialogs. The
// program uses Qt's real dialogs; widget tests install a scripted stand-in.

#include <QString>

#include <utility>

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

// The real dialogs of Qt. File choosers start in the folder of the last file chosen, and
// in startFolder (the program directory) until one has been chosen.
class QtOperatorDialogs final : public OperatorDialogs {
public:
    explicit QtOperatorDialogs(QString startFolder = {}) : folder_(std::move(startFolder)) {}

    void Message(QWidget* parent, const QString& text, MessageIcon icon) override;
    bool Question(QWidget* parent, const QString& text) override;
    QString OpenFile(QWidget* parent, const QString& filter, const QString& suffix) override;
    QString SaveFile(QWidget* parent, const QString& filter, const QString& suffix) override;
    int ShowModal(QDialog& dialog) override;
    void Beep() override;

    // The folder the next file chooser starts in.
    const QString& StartFolder() const { return folder_; }
    void SetStartFolder(QString folder) { folder_ = std::move(folder); }
    // Remembers the folder of a chosen file for the next chooser.
    void RememberChoice(const QString& path);

private:
    QString folder_;
};

}  // namespace kov::ui
