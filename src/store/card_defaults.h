#pragma once
// Readers of the card defaults in "InitInfo.ini": the record a new card starts from.

#include <filesystem>
#include <string>

#include "store/card_record.h"

namespace kov {

inline constexpr const char* kDefaultsFileName = "InitInfo.ini";
inline constexpr const char* kStandardColorTemperatureText = "标准";

// The program-wide size of the whole video wall.
struct WholeScreen {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const WholeScreen&, const WholeScreen&) = default;
};

class IniOperator {
public:
    virtual ~IniOperator() = default;
    // Reads the defaults from file (relative to the program directory). False when the
    // file cannot be read; the defaults then stay as they were.
    virtual bool ReadFile(const std::filesystem::path& programDir, const std::string& file) = 0;
    // The defaults file belongs to the installation: nothing is ever written to it.
    virtual bool WriteFile(const std::filesystem::path& programDir, const std::string& file) = 0;
};

class InputCardIni final : public IniOperator {
public:
    bool ReadFile(const std::filesystem::path& programDir, const std::string& file) override;
    bool WriteFile(const std::filesystem::path&, const std::string&) override { return false; }

    InputCardRecord defaults;
};

class OutputCardIni final : public IniOperator {
public:
    // Reading the whole-screen keys also sets screen.
    explicit OutputCardIni(WholeScreen& screen) : screen_(screen) {}
    bool ReadFile(const std::filesystem::path& programDir, const std::string& file) override;
    bool WriteFile(const std::filesystem::path&, const std::string&) override { return false; }

    OutputCardRecord defaults;

private:
    WholeScreen& screen_;
};

}  // namespace kov
