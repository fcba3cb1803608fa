#pragma once
// A document opener that records what it was asked to open instead of starting a viewer.

#include <filesystem>
#include <vector>

#include "platform/open_document.h"

namespace kov::test {

class RecordingDocumentOpener final : public DocumentOpener {
public:
    bool Open(const std::filesystem::path& path) override {
        opened.push_back(path);
        return succeed;
    }

    std::vector<std::filesystem::path> opened;
    bool succeed = true;  // false: as if no viewer could be started
};

}  // namespace kov::test
