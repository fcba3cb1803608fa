#pragma once
// The confirmations asked before operations that cannot be undone (auto adjust, card reset,
// factory reset, internal bus reset, exit), and the about box.
//
// Each confirmation is one line of text with OK (the default button, so also Enter) and
// Cancel (also Escape and the close box). Its texts come from the language texts of its
// template id each time it is shown; two of them send their command themselves on OK.

#include <QDialog>

#include <optional>

#include "link/frame.h"

namespace kov::ui {

struct AppContext;

// What distinguishes one confirmation from another.
struct ConfirmTemplate {
    int dialogId;
    int textId;
    int okId;
    int cancelId;
    const char* title;  // default texts, replaced by the language texts
    const char* text;
};

class ConfirmDialog : public QDialog {
    Q_OBJECT

public:
    // Sends the OK frame, if the dialog has one, then closes with OK. A failed send is not
    // reported.
    void accept() override;

    // Puts the language texts of the template id on the dialog.
    void Relabel();

protected:
    ConfirmDialog(AppContext& context, const ConfirmTemplate& form,
                  std::optional<CommandFrame> okFrame, QWidget* parent);

    // Relabels again, so a dialog kept across a language change shows the current texts.
    void showEvent(QShowEvent* event) override;

private:
    AppContext& context_;
    int dialogId_;
    std::optional<CommandFrame> okFrame_;
};

// Auto adjust of the device or of one card (134).
class CAutoImprove final : public ConfirmDialog {
    Q_OBJECT

public:
    explicit CAutoImprove(AppContext& context, QWidget* parent = nullptr);
};

// Reset of one card (158).
class CCardDefaultDlg final : public ConfirmDialog {
    Q_OBJECT

public:
    explicit CCardDefaultDlg(AppContext& context, QWidget* parent = nullptr);
};

// Asks the card reset question; true when the operator confirmed it.
bool ConfirmCardReset(AppContext& context, QWidget* parent);

// Asks the auto adjust question and, when it is confirmed and cardId is not 0, sends Auto
// adjust to that card. The card's record does not change.
void AutoAdjustCard(AppContext& context, QWidget* parent, int cardId);

// Factory reset (135); OK sends the factory-reset frame before closing.
class CDefaultSetup final : public ConfirmDialog {
    Q_OBJECT

public:
    explicit CDefaultSetup(AppContext& context, QWidget* parent = nullptr);
};

// Internal bus reset (157); OK sends the internal bus reset frame before closing.
class CIntBusDlg final : public ConfirmDialog {
    Q_OBJECT

public:
    explicit CIntBusDlg(AppContext& context, QWidget* parent = nullptr);
};

// Exit of the program (155).
class CTipDlg final : public ConfirmDialog {
    Q_OBJECT

public:
    explicit CTipDlg(AppContext& context, QWidget* parent = nullptr);
};

// The about box (100): program icon, name and version, vendor line, OK. No language texts.
class CAboutDlg final : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

}  // namespace kov::ui
