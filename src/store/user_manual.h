#pragma once
// Which user manual belongs to a language.

#include <string_view>

namespace kov {

inline constexpr const char* kEnglishManualName = "KOV-Q730A User Manual.pdf";
inline constexpr const char* kChineseManualName = "KOV-Q730A User Manual-chinese.pdf";

// The manual's file name in the program directory for the language name that
// normalStart.ini holds, compared without regard to letter case ("English" and "english"
// alike); nullptr for a language without a manual.
const char* UserManualFileName(std::string_view languageName);

}  // namespace kov
