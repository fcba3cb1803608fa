// A language file as the program loads it at start: the bytes are a file of Language/ beside
// the two shipped names. A file that declares the wanted name is chosen, the name used is
// stored in normalStart.ini, and the texts come from the chosen file.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "store/language.h"
#include "store/profile.h"
#include "store/settings.h"
#include "support/temp_dir.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kov;
    namespace fs = std::filesystem;
    // English.ini and Chinese.ini stand beside the input cut down to their names and a text:
    // the loader reads them for every input, and their full 12 kB of texts would take most
    // of the run (the shipped files themselves are in the corpora). The stored name is
    // removed so every input starts from the same state.
    static const test::TempDir dir;
    static const bool seeded = [] {
        dir.Write("Language/English.ini",
                  "[Setting]\r\nLanguage=English\r\n[String]\r\nIDS_FIND_FILE=Find\r\n");
        dir.Write("Language/Chinese.ini",
                  "[Setting]\r\nLanguage=Chinese\r\n[String]\r\nIDS_FIND_FILE=\xe6\x9f\xa5\r\n");
        return true;
    }();
    (void)seeded;
    fs::remove(dir / kSettingsFileName);
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const fs::path file = dir.Write("Language/fuzz.ini", bytes);

    const std::string declared = ReadProfileString(file, "Setting", "Language", "", 1000);
    Language language(dir.Path());
    const std::string name = language.Load(declared);
    if (!declared.empty()) {
        fuzz::Check(name == declared && ReadProfileString(language.CurrentFile(), "Setting",
                                                          "Language", "", 1000) == declared,
                    "a file that declares the wanted name is chosen");
    }
    fuzz::Check(Settings(dir.Path()).ReadLanguageName(1000, "") == name, "the name used is stored");

    for (const std::string_view key : {"IDS_FIND_FILE", "IDS_LANGUAGE", "IDS_SETUP_GUIDE"})
        language.Text(key);
    language.DialogTitle(130);
    language.ControlCaption(1000);
    language.Named("IDS_FIND_FILE");
    return 0;
}
