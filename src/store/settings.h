#pragma once
// normalStart.ini: the link settings, the language name and the normal-exit marker.

#include <filesystem>
#include <string>

namespace kov {

inline constexpr const char* kSettingsFileName = "normalStart.ini";

struct LinkSettings {
    int port = 0;
    std::string timeoutText;
};

class Settings {
public:
    explicit Settings(std::filesystem::path programDir)
        : path_(std::move(programDir) / kSettingsFileName) {}

    const std::filesystem::path& Path() const { return path_; }

    // Writes the embedded default file when the settings file cannot be read.
    void EnsureExists() const;

    LinkSettings ReadLinkSettings() const;
    bool WriteLinkSettings(int port, const std::string& timeoutText) const;

    std::string ReadLanguageName(std::size_t bufferChars, const std::string& def) const;
    bool WriteLanguageName(const std::string& name) const;

    int ReadExitMarker() const;
    bool WriteExitMarker(int value) const;

private:
    std::filesystem::path path_;
};

}  // namespace kov
