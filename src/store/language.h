#pragma once
// The current language: which file of Language/ the texts come from, and the texts.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/program_dir.h"
#include "store/language_keys.h"
#include "store/settings.h"

namespace kov {

class Language {
public:
    explicit Language(const std::filesystem::path& programDir);
    // Language files are looked for in the data folder's Language/ (an operator's edited
    // copies) before the shipped one; normalStart.ini is the data folder's.
    explicit Language(ProgramFolders folders);

    // Chooses the file of Language/ whose [Setting] Language equals wanted exactly (the
    // first in directory order). An empty wanted name means the one in normalStart.ini.
    // Without a match the default files that neither folder has are written into the
    // data folder and the search is repeated; if it still fails, English is used. The
    // name used is stored in normalStart.ini and returned.
    std::string Load(std::string wanted);

    // The text of key with every backslash-n turned into a line break; empty when missing.
    std::string Text(std::string_view key) const;
    // The text of key as written (dialog titles and control captions).
    std::string RawText(std::string_view key) const;
    std::string DialogTitle(int dialogId) const;
    std::string ControlCaption(int controlId) const;

    // Reads the 64 named texts and the further ones into memory.
    void LoadNamedTexts();
    // A named text read by LoadNamedTexts (Text of any other key).
    const std::string& Named(std::string_view key) const;

    const std::filesystem::path& CurrentFile() const { return current_; }
    const std::string& Name() const { return name_; }

private:
    std::filesystem::path FindFile(const std::string& wanted) const;

    // True when one of the Language/ folders holds a readable file of that name.
    bool HasFile(const std::string& name) const;

    ProgramFolders folders_;
    Settings settings_;
    std::filesystem::path current_;
    std::string name_;
    std::array<std::string, kNamedTextKeys.size() + kExtraTextKeys.size()> named_;
};

// Turns every backslash followed by "n" into a line break.
std::string ExpandLineBreaks(std::string_view text);

// A message about a file: the text, and the file's path on a line of its own.
std::string TextWithFile(const std::string& text, const std::filesystem::path& file);

// A language text with its placeholders %1 to %9 replaced by the arguments in order. A
// placeholder without an argument stays as written.
std::string FillText(std::string_view pattern, const std::vector<std::string>& args);

}  // namespace kov
