#include "store/embedded_defaults.h"

#include "store/file_io.h"

namespace kov {

std::string_view EmbeddedBytes(int id) {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i) {
        if (kEmbeddedFiles[i].id == id) {
            return {reinterpret_cast<const char*>(kEmbeddedFiles[i].data), kEmbeddedFiles[i].size};
        }
    }
    return {};
}

bool WriteDefaultFile(int id, const std::filesystem::path& path) {
    for (std::size_t i = 0; i < kEmbeddedFileCount; ++i) {
        if (kEmbeddedFiles[i].id != id)
            continue;
        WriteFileAtomically(path, EmbeddedBytes(id));
        return true;
    }
    return false;
}

}  // namespace kov
