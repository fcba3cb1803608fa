#include "store/user_manual.h"

#include "store/profile.h"

namespace kov {

const char* UserManualFileName(std::string_view languageName) {
    if (SameName(languageName, "english"))
        return kEnglishManualName;
    if (SameName(languageName, "chinese"))
        return kChineseManualName;
    return nullptr;
}

}  // namespace kov
