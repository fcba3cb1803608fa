#include "platform/system_language.h"

#include <cstdlib>

namespace kov {

std::string LanguageNameOfLocale(const std::string& locale) {
    const std::string base = locale.substr(0, locale.find_first_of(".@"));
    if (base == "en" || base.rfind("en_", 0) == 0)
        return "english";
    // Simplified Chinese: mainland China and Singapore, or the script named outright.
    if (base == "zh" || base == "zh_CN" || base == "zh_SG" || base.rfind("zh_Hans", 0) == 0) {
        return "chinese";
    }
    return {};
}

std::string SystemLanguageName() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return LanguageNameOfLocale(value);
    }
    return {};
}

}  // namespace kov
