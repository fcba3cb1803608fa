#pragma once
// Every key of the language files ("Language/*.ini", section [String]):
//  - the 64 named texts, in the order the text loader reads them;
//  - the menu keys with the command ids of their items (0 for a menu or submenu title);
//  - the dialogs that are relabelled, each with the control ids whose caption key is
//    "IDS_" + id and whose title key is "IDD" + id + "_Title";
//  - further named texts that are not among the 64.
// The language files shipped in data/Language must hold a non-empty value for every key
// listed here; the unit test language_files_test.cpp checks that.

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

namespace kov {

// The named texts, in load order.
inline constexpr std::array<std::string_view, 64> kNamedTextKeys = {
    "IDS_TREE_SLOT",
    "IDS_TREE_CARDLIST",
    "IDS_TREE_INPUTCARDLIST",
    "IDS_TREE_OUTPUTCARDLIST",
    "IDS_INPUTCARD",
    "IDS_OUTPUT",
    "IDS_TABLE_INPUT",
    "IDS_TABLE_OUTPUT",
    "IDS_TABLE_PICADJUST",
    "IDS_TABLE_PICWORD",
    "IDS_TABLE_BASEMAP",
    "IDS_TABLE_OUTPUTSET",
    "IDS_TABLE_DOUBLEPIC",
    "IDS_BNT_COM",
    "IDS_SCHEDULE_ID",
    "IDS_SCHEDULE_CYCLE",
    "IDS_SCHEDULE_PERIOD",
    "IDS_SCHEDULE_TIME",
    "IDS_SCHEDULE_METHOD",
    "IDS_SCHEDULE_DESCRIBE",
    "IDS_SCHEDULE_MODELID",
    "IDS_COLOR_CUSTOM",
    "IDS_COLOR_STANDARD",
    "IDS_COLOR_WARM",
    "IDS_COLOR_COLD",
    "IDS_GAMMA_CLOSE",
    "IDS_CONFIGURE_FILE",
    "IDS_FIND_FILE",
    "IDS_PORT",
    "IDS_PORT_CHANGE",
    "IDS_ONEDAY",
    "IDS_SCRIPT",
    "IDS_SOURCE",
    "IDS_LST_NOCONTENT",
    "IDS_PLS_SELONE",
    "IDS_SURE_DELALL",
    "IDS_SAVE_SUCCESS",
    "IDS_SAVE_FAILED",
    "IDS_RESTART",
    "IDS_OPENCOM",
    "IDS_COMEXIST",
    "IDS_OPENPORT",
    "IDS_FILEOPEN_FAILED",
    "IDS_SCHEDULE_START",
    "IDS_SCHEDULE_STOP",
    "IDS_SCHEDULE_SECLECT",
    "IDS_EVERYDAY",
    "IDS_EVERYWEEK",
    "IDS_ONCE",
    "IDS_PROC_SCRIPT",
    "IDS_CHNL",
    "IDS_EVERYDAT",
    "IDS_DAY1",
    "IDS_DAY2",
    "IDS_DAY3",
    "IDS_DAY4",
    "IDS_DAY5",
    "IDS_DAY6",
    "IDS_DAY7",
    "IDS_INVALID",
    "IDS_Helpstr",
    "IDS_CARD_ID",
    "IDS_CARD_SLOT",
    "IDS_CARD_TYPE",
};

// Named texts beyond the 64 that the loader reads:
//  IDS_DETECT_FAILED  - card detection got no valid reply; the configuration was not changed;
//  IDS_SCHEDULE_LATER - the chosen function is not available yet.
inline constexpr std::array<std::string_view, 10> kExtraTextKeys = {
    "IDS_DETECT_FAILED",
    "IDS_SCHEDULE_LATER",
    // offline schedules
    "IDS_OFFLINE_NOT_READ_ROW",
    "IDS_OFFLINE_NOT_READ",
    "IDS_OFFLINE_FLUSH_FAILED",
    "IDS_OFFLINE_DISCARD",
    "IDS_OFFLINE_DOWNLOAD_FAILED",
    "IDS_OFFLINE_TIME_FAILED",
    "IDS_OFFLINE_TIME_OFFSET",
    "IDS_OFFLINE_CANCEL",
};

// Port errors and disconnection: why the serial-port toggle could not open the port, and
// what the status bar says when the device goes away and comes back.
//  IDS_PORT_MISSING / IDS_PORT_DENIED / IDS_PORT_BUSY - the open failed (the system's
//    reason follows the text);
//  IDS_DEVICE_GONE - the device went away, the program waits for it;
//  IDS_DEVICE_BACK - the port is open again; changes made meanwhile did not reach the
//    device: synchronise now?
inline constexpr std::array<std::string_view, 5> kPortTextKeys = {
    "IDS_PORT_MISSING", "IDS_PORT_DENIED", "IDS_PORT_BUSY", "IDS_DEVICE_GONE", "IDS_DEVICE_BACK",
};

// The status area and the card configuration dialog:
//  IDS_STATUS_PORT (name, device, state) / IDS_STATUS_FALLBACK (configured number, name,
//    device, state) / IDS_STATUS_NO_PORT - the port the link uses;
//  IDS_STATUS_OPEN / CLOSED / FAILED (reason) / GONE - its state;
//  IDS_STATUS_SAVED / OPENED (path), STORED / RECALLED (template), SYNCED (frames,
//    seconds), SYNC_LOST (lost, total), CONFIGURED (cards) - what the last command did;
//  IDS_CARD_INPUT / IDS_CARD_OUTPUT / IDS_CARD_CLOSE - the configuration dialog's kinds
//    and its Close button.
inline constexpr std::array<std::string_view, 17> kStatusTextKeys = {
    "IDS_STATUS_PORT",      "IDS_STATUS_FALLBACK",   "IDS_STATUS_NO_PORT",  "IDS_STATUS_OPEN",
    "IDS_STATUS_CLOSED",    "IDS_STATUS_FAILED",     "IDS_STATUS_GONE",     "IDS_STATUS_SAVED",
    "IDS_STATUS_OPENED",    "IDS_STATUS_STORED",     "IDS_STATUS_RECALLED", "IDS_STATUS_SYNCED",
    "IDS_STATUS_SYNC_LOST", "IDS_STATUS_CONFIGURED", "IDS_CARD_INPUT",      "IDS_CARD_OUTPUT",
    "IDS_CARD_CLOSE",
};

// The user manual and the per-user folder:
//  IDS_HELP_OPEN_FAILED - the manual exists but no opener could be started (%1 the file);
//  IDS_DATA_FOLDER_FAILED - the program directory cannot be written and the per-user
//    folder cannot be prepared (%1 the reason); the program ends.
inline constexpr std::array<std::string_view, 2> kPackageTextKeys = {
    "IDS_HELP_OPEN_FAILED",
    "IDS_DATA_FOLDER_FAILED",
};

// Online schedules: texts of the schedule editor, the runner window and the main window's
// status bar.
//  IDS_SCHEDULE_DISCARD - the editor's list changed since it was opened or saved;
//  IDS_SCHEDULE_NOCARD  - a channel switch without a card;
//  IDS_SCHEDULE_BADPATH - a script path that a schedule file cannot hold;
//  IDS_SCHEDULE_RUNNING - status: a schedule runs, %1 is the entry due next;
//  IDS_SCHEDULE_NONEDUE - status: a schedule runs, nothing more is due;
//  IDS_SCHEDULE_ENDED   - status: the last entry fired and ended the run;
//  IDS_SCHEDULE_SKIPPED - status: entry %1 was skipped (details in the command log);
//  IDS_SCHEDULE_FAILED  - status: entry %1 fired but could not be carried out;
//  IDS_LABEL_SCHEDULE_CARD - the caption beside the editor's card list.
inline constexpr std::array<std::string_view, 9> kOnlineScheduleTextKeys = {
    "IDS_SCHEDULE_DISCARD", "IDS_SCHEDULE_NOCARD",  "IDS_SCHEDULE_BADPATH",
    "IDS_SCHEDULE_RUNNING", "IDS_SCHEDULE_NONEDUE", "IDS_SCHEDULE_ENDED",
    "IDS_SCHEDULE_SKIPPED", "IDS_SCHEDULE_FAILED",  "IDS_LABEL_SCHEDULE_CARD",
};

// Files that cannot be written: what the status bar says when saving the state file or
// writing the command log starts failing and when it works again, and why a card
// configuration could not be stored.
//  IDS_STATE_SAVE_FAILED / IDS_STATE_SAVE_BACK - the automatic save of useConfig.ini;
//  IDS_LOG_DROPPED / IDS_LOG_BACK - lines of the command log;
//  IDS_CONFIG_WRITE_FAILED - "Board Config.ini" could not be written.
inline constexpr std::array<std::string_view, 5> kFileFaultTextKeys = {
    "IDS_STATE_SAVE_FAILED", "IDS_STATE_SAVE_BACK",     "IDS_LOG_DROPPED",
    "IDS_LOG_BACK",          "IDS_CONFIG_WRITE_FAILED",
};

// Captions that belong to no control of their own (labels beside a box or list, group
// frames). Where the caption of a control with a fitting text exists, its key is reused.
inline constexpr std::array<std::string_view, 27> kCaptionKeys = {
    // input card page
    "IDS_1070",
    "IDS_1055",
    "IDS_1090",
    "IDS_1071",
    "IDS_1073",
    "IDS_1072",
    "IDS_1025",
    // picture adjustment
    "IDS_1091",
    "IDS_1092",
    "IDS_1093",
    "IDS_1094",
    "IDS_1067",
    // picture word
    "IDS_LABEL_PICWORD_STATE",
    "IDS_LABEL_PICWORD_MODE",
    "IDS_LABEL_PICWORD_COMPARE",
    "IDS_LABEL_PICWORD_CONDITION",
    "IDS_1095",
    "IDS_1096",
    "IDS_1097",
    // base map
    "IDS_LABEL_BASEMAP",
    "IDS_1074",
    // output picture adjustment
    "IDS_LABEL_GAMMA",
    // offline schedules
    "IDS_SCHEDULE_ID",
    "IDS_SCHEDULE_MODELID",
    "IDS_1113",
    "IDS_1114",
    "IDS_LABEL_DEVICE_TIME",
};

// One key of the main menu. Titles carry command id 0. `menu` is the position of the
// top-level menu (0 file ... 7 help); `submenu` is the position of the submenu inside it
// that holds the item or whose title the key is, or -1 when there is none.
struct MenuKey {
    std::string_view key;
    int commandId;
    int menu;
    int submenu;
};

inline constexpr std::array<MenuKey, 55> kMenuKeys = {{
    // 0: file
    {"IDS_FILE", 0, 0, -1},
    {"IDS_FILE_NEW", 32774, 0, -1},  // the open item
    {"IDS_FILE_SAVE", 32775, 0, -1},
    {"IDS_FILE_EXIT", 32776, 0, -1},
    // 1: recall template
    {"IDS_OPEN_MODE", 0, 1, -1},
    {"IDS_OPEN_MODE1", 32778, 1, -1},
    {"IDS_OPEN_MODE2", 32779, 1, -1},
    {"IDS_OPEN_MODE3", 32780, 1, -1},
    {"IDS_OPEN_MODE4", 32781, 1, -1},
    {"IDS_OPEN_MODE5", 32782, 1, -1},
    {"IDS_OPEN_MODE6", 32783, 1, -1},
    {"IDS_OPEN_MODE7", 32784, 1, -1},
    {"IDS_OPEN_MODE8", 32804, 1, -1},
    {"IDS_OPEN_MODE9", 32805, 1, -1},
    {"IDS_OPEN_MODE10", 32806, 1, -1},
    {"IDS_OPEN_MODE11", 32807, 1, -1},
    {"IDS_OPEN_MODE12", 32808, 1, -1},
    {"IDS_OPEN_MODE13", 32809, 1, -1},
    {"IDS_OPEN_MODE14", 32810, 1, -1},
    {"IDS_OPEN_MODE15", 32811, 1, -1},
    // 2: store template
    {"IDS_SAVE_MODE", 0, 2, -1},
    {"IDS_SAVE_MODE1", 32785, 2, -1},
    {"IDS_SAVE_MODE2", 32786, 2, -1},
    {"IDS_SAVE_MODE3", 32787, 2, -1},
    {"IDS_SAVE_MODE4", 32788, 2, -1},
    {"IDS_SAVE_MODE5", 32789, 2, -1},
    {"IDS_SAVE_MODE6", 32812, 2, -1},
    {"IDS_SAVE_MODE7", 32813, 2, -1},
    {"IDS_SAVE_MODE8", 32814, 2, -1},
    {"IDS_SAVE_MODE9", 32815, 2, -1},
    {"IDS_SAVE_MODE10", 32816, 2, -1},
    {"IDS_SAVE_MODE11", 32817, 2, -1},
    {"IDS_SAVE_MODE12", 32818, 2, -1},
    {"IDS_SAVE_MODE13", 32819, 2, -1},
    {"IDS_SAVE_MODE14", 32820, 2, -1},
    {"IDS_SAVE_MODE15", 32821, 2, -1},
    // 3: configuration
    {"IDS_CONFIG", 0, 3, -1},
    {"IDS_CONFIG_COMMUNICATION", 32790, 3, -1},
    {"IDS_CONFIG_CARD", 32824, 3, -1},
    // 4: functions
    {"IDS_FUNCTION", 0, 4, -1},
    {"IDS_FUNCTION_SYNC", 32791, 4, -1},
    {"IDS_FUNCTION_DEFAULTSET", 32792, 4, -1},
    {"IDS_FUNCTION_AUTOADJUST", 32794, 4, -1},
    {"IDS_FUNCTION_RESTINTBUS", 32825, 4, -1},
    // 5: schedules; the online schedules are a submenu at position 0
    {"IDS_SCHEDULE", 0, 5, -1},
    {"IDS_SCHEDULE_ONLINE", 0, 5, 0},
    {"IDS_SCHEDULE_CUSTOM", 32798, 5, 0},
    {"IDS_SCHEDULE_RUN", 32799, 5, 0},
    {"IDS_SCHEDULE_OFFLINE", 32797, 5, -1},
    // 6: language
    {"IDS_LANGUAGE", 0, 6, -1},
    {"IDS_LANGUAGE_CHN", 32800, 6, -1},
    {"IDS_LANGUAGE_ENG", 32801, 6, -1},
    // 7: help
    {"IDS_HELP", 0, 7, -1},
    {"IDS_HELP_ABOUT", 32802, 7, -1},
    {"IDS_HELP_HELP", 32803, 7, -1},
}};

// ---------------------------------------------------------------------------------------
// Control ids of the relabelled windows. Each control's caption key is "IDS_" + its id; one
// key serves every control with that id in every relabelled window.

// Windows relabelled with dialog id 102: the main window and its eight pages.
inline constexpr std::array<int, 16> kMainWindowControlIds = {
    1122, 1004, 1006, 1007, 1008, 1009, 1010, 1011, 1013, 1014, 1015, 1233, 1256, 1017, 1026, 1232,
};
inline constexpr std::array<int, 11> kInputCardPageControlIds = {
    // template 149
    1056, 1057, 1055, 1090, 1059, 1060, 1061, 1025, 1062, 1086, 1026,
};
inline constexpr std::array<int, 10> kInputPictureControlIds = {
    // template 150
    1091, 1063, 1092, 1064, 1093, 1065, 1094, 1066, 1067, 1068,
};
inline constexpr std::array<int, 14> kPictureWordControlIds = {
    // template 151
    1075, 1076, 1218, 1219, 1079, 1080, 1081, 1082, 1095, 1083, 1096, 1084, 1097, 1085,
};
inline constexpr std::array<int, 5> kBaseMapControlIds = {
    // template 152
    1070, 1071, 1073, 1072, 1074,
};
inline constexpr std::array<int, 15> kOutputCardPageControlIds = {
    // template 143
    1132, 1220, 1020, 1015, 1030, 1133, 1028, 1134, 1221, 1022, 1023, 1222, 1031, 1087, 1088,
};
inline constexpr std::array<int, 4> kOutputWindowControlIds = {
    // template 146
    1223,
    1224,
    1035,
    1036,
};
inline constexpr std::array<int, 11> kOutputPictureControlIds = {
    // template 147
    1037, 1041, 1038, 1020, 1039, 1021, 1040, 1022, 1042, 1043, 1069,
};
inline constexpr std::array<int, 15> kDoublePictureControlIds = {
    // template 148
    1043, 1044, 1045, 1046, 1225, 1226, 1047, 1176, 1048, 1227, 1228, 1229, 1230, 1025, 1231,
};

// One window relabelled under dialog id 102, by its own template id.
struct RelabelledWindow {
    int templateId;
    std::span<const int> controlIds;
};

inline constexpr std::array<RelabelledWindow, 9> kMainWindowRelabelled = {{
    {102, kMainWindowControlIds},
    {149, kInputCardPageControlIds},
    {150, kInputPictureControlIds},
    {151, kPictureWordControlIds},
    {152, kBaseMapControlIds},
    {143, kOutputCardPageControlIds},
    {146, kOutputWindowControlIds},
    {147, kOutputPictureControlIds},
    {148, kDoublePictureControlIds},
}};

// All control ids relabelled with dialog id 102: the nine windows above in that order,
// each id once (1015, 1020, 1022, 1025, 1026 and 1043 occur in two of the windows).
inline constexpr std::array<int, 95> kDialog102ControlIds = {
    // main window
    1122,
    1004,
    1006,
    1007,
    1008,
    1009,
    1010,
    1011,
    1013,
    1014,
    1015,
    1233,
    1256,
    1017,
    1026,
    1232,
    // input card page and its sub-pages
    1056,
    1057,
    1055,
    1090,
    1059,
    1060,
    1061,
    1025,
    1062,
    1086,
    1091,
    1063,
    1092,
    1064,
    1093,
    1065,
    1094,
    1066,
    1067,
    1068,
    1075,
    1076,
    1218,
    1219,
    1079,
    1080,
    1081,
    1082,
    1095,
    1083,
    1096,
    1084,
    1097,
    1085,
    1070,
    1071,
    1073,
    1072,
    1074,
    // output card page and its sub-pages
    1132,
    1220,
    1020,
    1030,
    1133,
    1028,
    1134,
    1221,
    1022,
    1023,
    1222,
    1031,
    1087,
    1088,
    1223,
    1224,
    1035,
    1036,
    1037,
    1041,
    1038,
    1039,
    1021,
    1040,
    1042,
    1043,
    1069,
    1044,
    1045,
    1046,
    1225,
    1226,
    1047,
    1176,
    1048,
    1227,
    1228,
    1229,
    1230,
    1231,
};

// Communication settings.
inline constexpr std::array<int, 8> kDialog130ControlIds = {
    1183, 1004, 1184, 1019, 1185, 1023, 1186, 1187,
};
// Card configuration: list, buttons, output boxes of slots 1-14, input boxes of slots 1-14.
inline constexpr std::array<int, 32> kDialog164ControlIds = {
    1016, 1236, 1237, 1239, 1240, 1241, 1242, 1243, 1244, 1245, 1246, 1247, 1248, 1056, 1057, 1058,
    1059, 1060, 1044, 1061, 1062, 1063, 1064, 1065, 1066, 1249, 1250, 1251, 1252, 1253, 1254, 1255,
};
// Confirmations: text, OK, Cancel.
inline constexpr std::array<int, 3> kDialog134ControlIds = {1203, 1204, 1205};  // auto adjust
inline constexpr std::array<int, 3> kDialog158ControlIds = {1200, 1201, 1202};  // card reset
inline constexpr std::array<int, 3> kDialog135ControlIds = {1191, 1192, 1193};  // factory reset
inline constexpr std::array<int, 3> kDialog157ControlIds = {1197, 1198, 1199};  // internal bus
inline constexpr std::array<int, 3> kDialog155ControlIds = {1194, 1195, 1196};  // exit
// Online schedule editor.
inline constexpr std::array<int, 31> kDialog159ControlIds = {
    1111, 1112, 1213, 1190, 1021, 1108, 1102, 1103, 1104, 1101, 1109, 1049, 1050, 1051, 1052, 1053,
    1054, 1077, 1078, 1015, 1028, 1105, 1106, 1110, 1029, 1030, 1031, 1032, 1033, 1034, 1107,
};
// Offline schedules.
inline constexpr std::array<int, 23> kDialog160ControlIds = {
    1016, 1019, 1102, 1103, 1104, 1105, 1113, 1114, 1115, 1116, 1117, 1118,
    1119, 1120, 1121, 1021, 1209, 1210, 1212, 1027, 1214, 1020, 1211,
};
// Online schedule runner.
inline constexpr std::array<int, 6> kDialog161ControlIds = {
    1019, 1215, 1217, 1216, 1016, 1015,
};

// A relabelled dialog: its title key is "IDD" + id + "_Title".
struct RelabelledDialog {
    int id;
    std::span<const int> controlIds;
};

inline constexpr std::array<RelabelledDialog, 11> kRelabelledDialogs = {{
    {102, kDialog102ControlIds},  // main window and its eight pages
    {130, kDialog130ControlIds},  // communication settings
    {164, kDialog164ControlIds},  // card configuration
    {134, kDialog134ControlIds},  // auto-adjust confirmation
    {158, kDialog158ControlIds},  // card reset confirmation
    {135, kDialog135ControlIds},  // factory reset confirmation
    {157, kDialog157ControlIds},  // internal bus reset confirmation
    {155, kDialog155ControlIds},  // exit confirmation
    {159, kDialog159ControlIds},  // online schedule editor
    {160, kDialog160ControlIds},  // offline schedules
    {161, kDialog161ControlIds},  // online schedule runner
}};

// ---------------------------------------------------------------------------------------
// Compile-time consistency checks of the tables above.

namespace language_keys_detail {

template <typename T>
constexpr bool AllDistinct(std::span<const T> items) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            if (items[i] == items[j])
                return false;
        }
    }
    return true;
}

constexpr bool Contains(std::span<const int> ids, int id) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// The combined list of dialog 102 holds exactly the ids of its nine windows.
constexpr bool Dialog102MatchesWindows() {
    for (const RelabelledWindow& window : kMainWindowRelabelled) {
        for (int id : window.controlIds) {
            if (!Contains(kDialog102ControlIds, id))
                return false;
        }
    }
    for (int id : kDialog102ControlIds) {
        bool found = false;
        for (const RelabelledWindow& window : kMainWindowRelabelled) {
            found = found || Contains(window.controlIds, id);
        }
        if (!found)
            return false;
    }
    return true;
}

constexpr bool MenuKeysDistinct() {
    for (std::size_t i = 0; i < kMenuKeys.size(); ++i) {
        for (std::size_t j = i + 1; j < kMenuKeys.size(); ++j) {
            if (kMenuKeys[i].key == kMenuKeys[j].key)
                return false;
            if (kMenuKeys[i].commandId != 0 && kMenuKeys[i].commandId == kMenuKeys[j].commandId) {
                return false;
            }
        }
    }
    return true;
}

// The further named texts repeat neither a named text nor a menu key.
constexpr bool ExtraKeysAreNew() {
    for (std::string_view extra : kExtraTextKeys) {
        for (std::string_view named : kNamedTextKeys) {
            if (extra == named)
                return false;
        }
        for (const MenuKey& menu : kMenuKeys) {
            if (extra == menu.key)
                return false;
        }
    }
    return true;
}

constexpr bool DialogsWellFormed() {
    for (std::size_t i = 0; i < kRelabelledDialogs.size(); ++i) {
        if (!AllDistinct(kRelabelledDialogs[i].controlIds))
            return false;
        for (std::size_t j = i + 1; j < kRelabelledDialogs.size(); ++j) {
            if (kRelabelledDialogs[i].id == kRelabelledDialogs[j].id)
                return false;
        }
    }
    return true;
}

}  // namespace language_keys_detail

static_assert(language_keys_detail::AllDistinct<std::string_view>(kNamedTextKeys));
static_assert(language_keys_detail::AllDistinct<std::string_view>(kExtraTextKeys));
static_assert(language_keys_detail::AllDistinct<std::string_view>(kPortTextKeys));
static_assert(language_keys_detail::AllDistinct<std::string_view>(kPackageTextKeys));
static_assert(language_keys_detail::AllDistinct<std::string_view>(kOnlineScheduleTextKeys));
static_assert(language_keys_detail::AllDistinct<std::string_view>(kFileFaultTextKeys));
static_assert(language_keys_detail::MenuKeysDistinct());
static_assert(language_keys_detail::ExtraKeysAreNew());
static_assert(language_keys_detail::Dialog102MatchesWindows());
static_assert(language_keys_detail::DialogsWellFormed());

}  // namespace kov
