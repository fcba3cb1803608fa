#pragma once
// Opening a document with the desktop's default application.

#include <filesystem>

namespace kov {

// Starts the desktop's opener (xdg-open) for path without waiting for it. False when
// the file does not exist or the opener cannot be started.
bool OpenWithDefaultApp(const std::filesystem::path& path);

}  // namespace kov
