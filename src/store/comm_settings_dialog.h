#pragma once
// The communication settings dialog (CdlgComn, dialog 130): the serial port and the timeout
// of the link. OK changes the link's fields and normalStart.ini; the port is not reopened,
// so the new settings apply the next time the port is opened.

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace kov::ui {

struct AppContext;

class CdlgComn final : public QDialog {
    Q_OBJECT

public:
    explicit CdlgComn(AppContext& context, QWidget* parent = nullptr);

    // OK: without a selected port, tells the operator and stays open; otherwise stores the
    // port and the timeout in the link and in normalStart.ini and closes with OK.
    void accept() override;

private:
    void FillPortList();

    AppContext& context_;
    QComboBox* portList_ = nullptr;
    QLineEdit* baudRate_ = nullptr;
    QLineEdit* timeout_ = nullptr;
};

}  // namespace kov::ui
