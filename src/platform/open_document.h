#pragma once
// Opening a document with the desktop's default application.

#include <filesystem>

namespace kov {

// Starts the desktop's opener (xdg-open) for path without waiting for the viewer. False
// when the file does not exist or the opener cannot be started.
bool OpenWithDefaultApp(const std::filesystem::path& path);

// Opens documents for the program; tests put a recorder in its place.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // False when the file does not exist or cannot be handed to a viewer.
    virtual bool Open(const std::filesystem::path& path) = 0;
};

// The desktop's default application (OpenWithDefaultApp).
class DesktopDocumentOpener final : public DocumentOpener {
public:
    bool Open(const std::filesystem::path& path) override { return OpenWithDefaultApp(path); }
};

}  // namespace kov
