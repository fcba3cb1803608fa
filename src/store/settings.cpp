#include "store/settings.h"

#include "store/embedded_defaults.h"
#include "store/file_io.h"
#include "store/profile.h"

namespace kov {
namespace {
constexpr std::size_t kShortValue = 5;  // four characters and the terminator
}

void Settings::EnsureExists() const {
    if (!IsReadable(path_))
        WriteDefaultFile(kDefaultSettingsId, path_);
}

LinkSettings Settings::ReadLinkSettings() const {
    return {ReadProfileInt(path_, "COM", "port", kShortValue),
            ReadProfileString(path_, "COM", "timeout", "", kShortValue)};
}

bool Settings::WriteLinkSettings(int port, const std::string& timeoutText) const {
    return WriteProfileInt(path_, "COM", "port", port) &&
           WriteProfileString(path_, "COM", "timeout", timeoutText);
}

std::string Settings::ReadLanguageName(std::size_t bufferChars, const std::string& def) const {
    return ReadProfileString(path_, "Setting", "Language", def, bufferChars);
}

bool Settings::WriteLanguageName(const std::string& name) const {
    return WriteProfileString(path_, "Setting", "Language", name);
}

int Settings::ReadExitMarker() const {
    return ReadProfileInt(path_, "Restart", "normal", kShortValue);
}

bool Settings::WriteExitMarker(int value) const {
    return WriteProfileInt(path_, "Restart", "normal", value);
}

}  // namespace kov
