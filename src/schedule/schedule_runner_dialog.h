#pragma once
// The schedule runner window (CRunScheduleDlg, dialog 161): the operator picks a schedule
// file, sees its entries and starts or stops the run, which belongs to the window that
// owns it (IsScheduleEvent), so it goes on when this window is closed.

#include <QDialog>

class QLineEdit;
class QPushButton;
class QTimer;
class QTreeWidget;

namespace kov {
class IsScheduleEvent;
}

namespace kov::ui {

struct AppContext;

class CRunScheduleDlg final : public QDialog {
    Q_OBJECT

public:
    // Opened during a run, the window shows that run's file and offers Stop.
    CRunScheduleDlg(AppContext& context, IsScheduleEvent& events, QWidget* parent = nullptr);

    bool Running() const { return running_; }
    const QString& Path() const { return path_; }

    // Brings the start/stop button, browse and close in line with the owner's run; the
    // owner calls it when the run ended by its last entry.
    void ShowRunState();

    // The clock box: the local date and time now.
    void ShowClock();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    void Browse();
    void StartOrStop();
    void Start();
    void Stop();
    bool LoadDisplay(const QString& path);
    void Tell(const char* key);

    AppContext& context_;
    IsScheduleEvent& events_;
    QString path_;
    bool running_ = false;
    QLineEdit* pathBox_ = nullptr;
    QPushButton* browse_ = nullptr;
    QPushButton* startStop_ = nullptr;
    QPushButton* close_ = nullptr;
    QTreeWidget* list_ = nullptr;
    QLineEdit* clock_ = nullptr;
    QTimer* clockTimer_ = nullptr;
};

}  // namespace kov::ui
