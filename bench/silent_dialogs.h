#pragma once
// An operator who is never asked anything: benchmarks of the main window run unattended.

#include "shell/operator_dialogs.h"

namespace kov::bench {

class SilentDialogs final : public ui::OperatorDialogs {
public:
    void Message(QWidget*, const QString&, ui::MessageIcon) override {}
    bool Question(QWidget*, const QString&) override { return true; }
    QString OpenFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString SaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    int ShowModal(QDialog&) override { return 0; }
    void Beep() override {}
};

}  // namespace kov::bench
