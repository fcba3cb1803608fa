#include "store/data_folder.h"

#include <system_error>

#include "store/card_defaults.h"
#include "store/card_inventory.h"
#include "store/file_io.h"
#include "store/settings.h"
#include "store/state_saver.h"
#include "store/templates.h"

namespace kov {

namespace fs = std::filesystem;

std::vector<std::string> CopiedFileNames() {
    std::vector<std::string> names{kSettingsFileName, kBoardConfigFileName, kDefaultsFileName,
                                   kStateFileName};
    for (int n = kFirstTemplate; n <= kLastTemplate; ++n)
        names.push_back(TemplateFileName(n));
    return names;
}

bool FillDataFolder(const ProgramFolders& folders, std::string& error) {
    if (!folders.PerUser())
        return true;
    std::error_code ec;
    fs::create_directories(folders.data, ec);
    if (ec || !fs::is_directory(folders.data)) {
        error = "cannot create " + folders.data.string() + ": " +
                (ec ? ec.message() : std::string("not a directory"));
        return false;
    }
    for (const std::string& name : CopiedFileNames()) {
        const fs::path from = folders.shipped / name;
        const fs::path to = folders.data / name;
        if (fs::exists(fs::symlink_status(to, ec)) || !IsReadable(from))
            continue;
        // Copied through a temporary file, so an interrupted first start never leaves a
        // half copy that a later start would keep.
        const std::optional<std::string> bytes = ReadWholeFile(from);
        if (!bytes || !WriteFileAtomically(to, *bytes)) {
            error = "cannot copy " + from.string() + " to " + to.string();
            return false;
        }
    }
    return true;
}

std::optional<ProgramFolders> OpenProgramFolders(const fs::path& programDir, std::string& error) {
    const ProgramFolders folders = ChooseProgramFolders(programDir, PerUserDataDirectory());
    if (folders.data.empty()) {
        error = programDir.string() +
                " cannot be written and there is no per-user folder (HOME is not set)";
        return std::nullopt;
    }
    if (!FillDataFolder(folders, error))
        return std::nullopt;
    return folders;
}

}  // namespace kov
