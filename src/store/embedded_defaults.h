#pragma once
// Default files built into the executable, so a missing one can be written back.

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace kov {

struct EmbeddedFile {
    int id;
    const unsigned char* data;
    std::size_t size;
};

inline constexpr int kDefaultSettingsId = 50000;  // normalStart.ini
inline constexpr int kDefaultChineseId = 50001;   // Language/Chinese.ini
inline constexpr int kDefaultEnglishId = 50002;   // Language/English.ini

extern const EmbeddedFile kEmbeddedFiles[];
extern const std::size_t kEmbeddedFileCount;

// The bytes of embedded file id, or an empty view when there is none.
std::string_view EmbeddedBytes(int id);

// Writes embedded file id to path. False when there is no such file; true otherwise,
// also when the file cannot be written (the caller's later reads then see defaults).
bool WriteDefaultFile(int id, const std::filesystem::path& path);

}  // namespace kov
