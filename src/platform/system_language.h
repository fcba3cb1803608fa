#pragma once
// The language of the user's system, as the language loader names it.

#include <string>

namespace kov {

// "english" for an English system, "chinese" for simplified Chinese, otherwise empty.
// Looks at LC_ALL, LC_MESSAGES and LANG, in the order the C library does.
std::string SystemLanguageName();

// The same rule for one locale name such as "en_GB.UTF-8" or "zh_CN.UTF-8".
std::string LanguageNameOfLocale(const std::string& locale);

}  // namespace kov
