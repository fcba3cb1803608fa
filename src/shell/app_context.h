#pragma once
// What the windows work on: the program directory and the program-wide objects. The
// windows keep references; the application owns the objects.

#include <filesystem>

#include "store/card_inventory.h"

namespace kov {
class AutoResetEvent;
class BrellLog;
class CardRecords;
class CSerialComm;
class Language;
}  // namespace kov

namespace kov::ui {

class OperatorDialogs;

struct AppContext {
    std::filesystem::path programDir;
    CSerialComm& link;
    CardRecords& records;
    CardConfiguration& config;
    Language& language;
    AutoResetEvent& stateChanged;
    OperatorDialogs& dialogs;
};

}  // namespace kov::ui
