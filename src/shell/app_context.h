#pragma once
// What the windows work on: the program's folders and the program-wide objects. The
// windows keep references; the application owns the objects.

#include <filesystem>

#include "store/card_inventory.h"

namespace kov {
class AutoResetEvent;
class BrellLog;
class CardRecords;
class CSerialComm;
class DocumentOpener;
class Language;
}  // namespace kov

namespace kov::ui {

class OperatorDialogs;

struct AppContext {
    // Where the program keeps its writable files: the program directory, or the per-user
    // folder when that cannot be written.
    std::filesystem::path programDir;
    // Where the shipped read-only files are (manuals, pictures): the program directory.
    std::filesystem::path shippedDir;
    CSerialComm& link;
    CardRecords& records;
    CardConfiguration& config;
    Language& language;
    AutoResetEvent& stateChanged;
    OperatorDialogs& dialogs;
    DocumentOpener& documents;
};

}  // namespace kov::ui
