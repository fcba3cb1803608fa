#pragma once
// Device templates: fifteen numbered set-ups that the device stores and recalls by itself.
// The program keeps a copy of each in the program directory ("Mode1.ini" ... "Mode15.ini",
// project format), so that after a recall its records hold what the device now shows.

#include <filesystem>
#include <string>

#include "store/card_records.h"
#include "store/project_file.h"

namespace kov {

class CSerialComm;

inline constexpr int kFirstTemplate = 1;
inline constexpr int kLastTemplate = 15;

// True for the template numbers the device knows, 1 to 15.
bool IsTemplateNumber(int n);

// "Mode<n>.ini", the file copy of template n in the program directory.
std::string TemplateFileName(int n);

// Sends Recall template n (result not looked at), then reads programDir/Mode<n>.ini into the
// records with the project-file reader. A template that was never stored from this program
// has no file: the report's `opened` is false and the records stay as they were, while the
// device has recalled its own template all the same. The caller refreshes its windows in
// either case. A number outside 1-15 is refused: nothing is sent, nothing is read and the
// report says not opened (check IsTemplateNumber first to tell the two apart).
ProjectReadReport RecallTemplate(CSerialComm& link, CardRecords& records,
                                 const std::filesystem::path& programDir, int n);

// Sends Store template n (result not looked at), then writes a snapshot of the records to
// programDir/Mode<n>.ini, replacing the file atomically. True when the file was written.
// A number outside 1-15 is refused: nothing is sent or written and the result is false.
bool StoreTemplate(CSerialComm& link, const CardRecords& records,
                   const std::filesystem::path& programDir, int n);

}  // namespace kov
