#pragma once
// The schedule editor (CCUSTOMSCHEDULEDLG, dialog 159): builds a list of timed actions from
// its controls and opens and saves it as a ".smfx" file. It never talks to the device.

#include <QDialog>

#include <array>
#include <optional>

#include "schedule/schedule_entry.h"

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimeEdit;
class QTreeWidget;

namespace kov::ui {

struct AppContext;

class CCUSTOMSCHEDULEDLG final : public QDialog {
    Q_OBJECT

public:
    explicit CCUSTOMSCHEDULEDLG(AppContext& context, QWidget* parent = nullptr);

    // The entries of the list, in row order.
    const Schedule& Entries() const { return schedule_; }
    // The list differs from the schedule as last opened or saved (or from an empty one).
    bool Modified() const { return schedule_ != saved_; }

    // Ends the dialog, asking first when the list has changes that were not saved.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void BuildLayout();
    void Reset();
    void ApplyEnabling();
    void FillSources();
    std::optional<ScheduleEntry> EntryFromControls();
    void Add(bool atMark);
    void Delete();
    void DeleteAll();
    void Move(int step);
    void New();
    void Open();
    void Save();
    void Browse();
    int Mark() const;
    bool MayDiscard();
    void ShowList(int mark);
    void Tell(const char* key, bool warning = false);

    AppContext& context_;
    Schedule schedule_;
    Schedule saved_;
    QLineEdit* fileName_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QDateEdit* date_ = nullptr;
    QRadioButton* daily_ = nullptr;
    QRadioButton* once_ = nullptr;
    QRadioButton* weekly_ = nullptr;
    std::array<QCheckBox*, 7> days_{};  // Monday first
    QRadioButton* script_ = nullptr;
    QRadioButton* channel_ = nullptr;
    QLineEdit* scriptPath_ = nullptr;
    QPushButton* browse_ = nullptr;
    QComboBox* cards_ = nullptr;
    QComboBox* pictures_ = nullptr;
    QComboBox* sources_ = nullptr;
    QTreeWidget* list_ = nullptr;
};

}  // namespace kov::ui
