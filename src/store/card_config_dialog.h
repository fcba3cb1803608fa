#pragma once
// The card configuration dialog (CConfigCardDlg, dialog 164): writes "Board Config.ini"
// from boxes ticked by hand (manual configure) or from the cards the device reports (auto
// configure). The new configuration takes effect at the next start of the program.

#include <QDialog>

#include <array>
#include <thread>

#include "store/card_inventory.h"

class QCheckBox;
class QPushButton;
class QTreeWidget;

namespace kov::ui {

struct AppContext;

class CConfigCardDlg final : public QDialog {
    Q_OBJECT

public:
    explicit CConfigCardDlg(AppContext& context, QWidget* parent = nullptr);
    // Waits for a running detection, so that its result never reaches a destroyed dialog.
    ~CConfigCardDlg() override;

    // True from the start of auto configure until its result has been shown.
    bool IsDetecting() const { return detecting_; }

    // Closing (close box, Escape, accept or reject) is refused while a detection runs.
    void done(int result) override;

signals:
    // Auto configure has finished and its result (rows or message) is shown.
    void detectionFinished();
    // "Board Config.ini" was written with this many cards (by OK or by auto configure).
    void configurationWritten(int cards);

private:
    void BuildLayout();
    void OnBoxClicked(int slot, bool output, bool checked);
    void OnManualConfigure();
    void OnOk();
    void OnAutoConfigure();
    // Runs on the UI thread with what the worker found.
    void FinishDetection(const DetectionOutcome& outcome);
    void SetBoxesAndOkEnabled(bool enabled);
    void ShowRows(const std::array<int, kSlotCount>& ids);
    // Shows the rack as "Board Config.ini" configures it now.
    void ShowConfiguredRack();

    AppContext& context_;
    QTreeWidget* list_ = nullptr;
    QPushButton* autoButton_ = nullptr;
    QPushButton* manualButton_ = nullptr;
    QPushButton* okButton_ = nullptr;
    std::array<QCheckBox*, kSlotCount> outputBoxes_{};
    std::array<QCheckBox*, kSlotCount> inputBoxes_{};
    // The card ID of every slot last configured here (0 = empty).
    std::array<int, kSlotCount> ids_{};
    std::thread worker_;
    bool detecting_ = false;
};

}  // namespace kov::ui
