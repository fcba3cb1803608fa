#include "store/language.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "store/embedded_defaults.h"
#include "store/file_io.h"
#include "store/profile.h"

namespace kov {
namespace fs = std::filesystem;

namespace {

constexpr std::size_t kTextBuffer = 1000;
constexpr const char* kFallbackName = "english";

std::string ReadString(const fs::path& file, std::string_view key) {
    return ReadProfileString(file, "String", key, "", kTextBuffer);
}

// Files copied from other systems often carry an upper-case ".INI".
bool HasIniExtension(const fs::path& file) {
    const std::string extension = file.extension().string();
    return extension.size() == 4 && extension[0] == '.' &&
           std::tolower(static_cast<unsigned char>(extension[1])) == 'i' &&
           std::tolower(static_cast<unsigned char>(extension[2])) == 'n' &&
           std::tolower(static_cast<unsigned char>(extension[3])) == 'i';
}

}  // namespace

std::string TextWithFile(const std::string& text, const std::filesystem::path& file) {
    return text + "\n" + file.string();
}

std::string FillText(std::string_view pattern, const std::vector<std::string>& args) {
    std::string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        const std::size_t n = static_cast<std::size_t>(next - '1');
        if (pattern[i] == '%' && next >= '1' && next <= '9' && n < args.size()) {
            text += args[n];
            ++i;
        } else {
            text += pattern[i];
        }
    }
    return text;
}

std::string ExpandLineBreaks(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

Language::Language(const fs::path& programDir) : Language(ProgramFolders{programDir, programDir}) {}

Language::Language(ProgramFolders folders)
    : folders_(std::move(folders)), settings_(folders_.data) {}

fs::path Language::FindFile(const std::string& wanted) const {
    std::vector<fs::path> folders{folders_.data / "Language"};
    if (folders_.PerUser())
        folders.push_back(folders_.shipped / "Language");
    for (const fs::path& folder : folders) {
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(folder, ec)) {
            if (!HasIniExtension(entry.path()) || entry.is_directory(ec))
                continue;
            const std::string name =
                ReadProfileString(entry.path(), "Setting", "Language", "", kTextBuffer);
            if (!name.empty() && name == wanted)
                return entry.path();
        }
    }
    return {};
}

bool Language::HasFile(const std::string& name) const {
    return IsReadable(folders_.data / "Language" / name) ||
           IsReadable(folders_.shipped / "Language" / name);
}

std::string Language::Load(std::string wanted) {
    if (wanted.empty())
        wanted = settings_.ReadLanguageName(kTextBuffer, "English");
    current_ = FindFile(wanted);
    if (current_.empty()) {
        // Put back the shipped files that are missing (never over an operator's own copy)
        // and look again; a name nobody provides gets English.
        const fs::path folder = folders_.data / "Language";
        std::error_code ec;
        fs::create_directory(folder, ec);
        if (!HasFile("Chinese.ini"))
            WriteDefaultFile(kDefaultChineseId, folder / "Chinese.ini");
        if (!HasFile("English.ini"))
            WriteDefaultFile(kDefaultEnglishId, folder / "English.ini");
        current_ = FindFile(wanted);
        if (current_.empty()) {
            wanted = kFallbackName;
            current_ = FindFile(wanted);
            if (current_.empty())
                current_ = folder / "English.ini";
        }
    }
    name_ = wanted;
    settings_.WriteLanguageName(name_);
    return name_;
}

std::string Language::RawText(std::string_view key) const {
    return ReadString(current_, key);
}

std::string Language::Text(std::string_view key) const {
    return ExpandLineBreaks(RawText(key));
}

std::string Language::DialogTitle(int dialogId) const {
    return RawText("IDD" + std::to_string(dialogId) + "_Title");
}

std::string Language::ControlCaption(int controlId) const {
    return RawText("IDS_" + std::to_string(controlId));
}

void Language::LoadNamedTexts() {
    std::size_t i = 0;
    for (const std::string_view key : kNamedTextKeys)
        named_[i++] = Text(key);
    for (const std::string_view key : kExtraTextKeys)
        named_[i++] = Text(key);
}

const std::string& Language::Named(std::string_view key) const {
    static const std::string kEmpty;
    auto at = [&](auto& keys, std::size_t offset) -> const std::string* {
        const auto it = std::find(keys.begin(), keys.end(), key);
        return it == keys.end() ? nullptr
                                : &named_[offset + static_cast<std::size_t>(it - keys.begin())];
    };
    if (const std::string* text = at(kNamedTextKeys, 0))
        return *text;
    if (const std::string* text = at(kExtraTextKeys, kNamedTextKeys.size()))
        return *text;
    return kEmpty;
}

}  // namespace kov
