#pragma once
// A fresh temporary directory, removed with everything in it when the object goes away.

#include <filesystem>
#include <string>
#include <string_view>

namespace kov::test {

class TempDir {
public:
    // Made in parent: the system's temporary folder unless a test needs another file system.
    explicit TempDir(const std::filesystem::path& parent = std::filesystem::temp_directory_path());
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

    // Writes bytes to a file below the directory, creating folders on the way.
    std::filesystem::path Write(std::string_view name, std::string_view bytes) const;
    // The bytes of a file below the directory, empty when it is missing.
    std::string Read(std::string_view name) const;

private:
    std::filesystem::path path_;
};

}  // namespace kov::test
