#pragma once
// The offline schedule dialog: the mother board's 128 timed template recalls in a list,
// read from the device on a worker (with Cancel), edited row by row and downloaded where
// changed, and the device clock set from this computer or read back with its offset.

#include <QDialog>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

#include "link/device_queries.h"
#include "schedule/offline_task.h"

class QButtonGroup;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimeEdit;
class QTreeWidget;

namespace kov::ui {

struct AppContext;
class DigitsBox;

class COffLineScheduleDLg final : public QDialog {
    Q_OBJECT

public:
    // One row of the list: its task, and whether the device answered for it.
    struct Row {
        OfflineTask task;
        bool read = true;
    };

    explicit COffLineScheduleDLg(AppContext& context, QWidget* parent = nullptr);
    // Stops a running read and waits for the worker.
    ~COffLineScheduleDLg() override;

    // Closing stops a running read first (and waits for a running download).
    void done(int result) override;

    bool IsBusy() const { return worker_.joinable(); }
    const std::vector<Row>& Rows() const { return rows_; }

signals:
    // A read or a download has ended and its result is shown.
    void workFinished();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    void ApplyTexts();
    void ApplyCycleEnabling();
    void SetBusy(bool busy, bool reading);
    int ChosenCycle() const;
    std::uint8_t MotherBoard() const;
    bool PortOpen();

    void OnReadClicked();
    void StartRead();
    void AddRow(int n, const std::optional<OfflineTask>& task);
    void FinishRead(const TaskReadSummary& summary);
    void OnRowChosen();
    void Modify();
    void Download();
    void RowDownloaded(int row, bool sent);
    void FinishDownload(const std::vector<int>& failed);
    void SetDeviceTime();
    void ReadDeviceTime();
    void ClampTemplate();
    void ShowRow(int row);
    void StopWorker();

    AppContext& context_;
    QTreeWidget* list_ = nullptr;
    QLineEdit* number_ = nullptr;
    QButtonGroup* cycles_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QDateEdit* date_ = nullptr;
    std::vector<QCheckBox*> weekdays_;  // Monday first
    DigitsBox* template_ = nullptr;
    QPushButton* modify_ = nullptr;
    QPushButton* download_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* setTime_ = nullptr;
    QPushButton* readTime_ = nullptr;
    QLineEdit* deviceTime_ = nullptr;
    QLabel* timeOffset_ = nullptr;
    QPushButton* exit_ = nullptr;

    std::vector<Row> rows_;
    std::thread worker_;
    std::atomic<bool> cancel_{false};
    bool reading_ = false;
};

}  // namespace kov::ui
