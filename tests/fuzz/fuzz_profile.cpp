// Profile (INI) files as the program reads and rewrites them (normalStart.ini, "Board
// Config.ini", the language files). The bytes are a file on disk; a key written is read back
// as written, and writing the same value again changes no byte.

#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "store/profile.h"
#include "support/temp_dir.h"

namespace {

struct Lookup {
    std::string_view section;
    std::string_view key;
};

// Names the shipped files use; the corpus holds those files.
constexpr Lookup kLookups[] = {
    {"Setting", "Language"},    {"String", "IDS_FIND_FILE"},
    {"Card Slot 1", "Card ID"}, {"Mother Board", "Mother Board 1 ID"},
    {"InPutLocation", "x"},     {"", ""},
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace kov;
    static const test::TempDir dir;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::filesystem::path file = dir.Write("fuzz.ini", bytes);

    for (const Lookup& l : kLookups) {
        const std::string value = ReadProfileString(file, l.section, l.key, "none", 1000);
        fuzz::Check(value.size() < 4 * 1000, "a value fits its buffer");
        DecimalValue(value);
    }
    ReadProfileString(file, "Setting", "Language", "", 0);

    fuzz::Check(WriteProfileString(file, "Setting", "Language", "fuzz"), "the file is rewritten");
    fuzz::Check(ReadProfileString(file, "Setting", "Language", "", 1000) == "fuzz",
                "a written key reads back");
    const std::string once = dir.Read("fuzz.ini");
    fuzz::Check(WriteProfileString(file, "Setting", "Language", "fuzz"), "the file is rewritten");
    fuzz::Check(dir.Read("fuzz.ini") == once, "writing the same value again changes nothing");
    return 0;
}
