#include "store/tables.h"

#include <array>

namespace kov {

namespace {

// Builds the resolution table once. Codes 17 and 20 carry a size that differs from their
// label on purpose: the size is what bounds and diagram scales use.
const std::array<ResolutionEntry, kResolutionCount + 1>& Resolutions() {
    static const std::array<ResolutionEntry, kResolutionCount + 1> table = {{
        {1, 1024, 768, 60, "1024\u00d7768 60HZ"},
        {2, 1024, 768, 75, "1024\u00d7768 75HZ"},
        {3, 1024, 768, 80, "1024\u00d7768 80HZ"},
        {4, 1024, 768, 100, "1024\u00d7768 100HZ"},
        {5, 1024, 768, 120, "1024\u00d7768 120HZ"},
        {6, 1280, 1024, 60, "1280\u00d71024 60HZ"},
        {7, 1440, 900, 60, "1440\u00d7900 60HZ"},
        {8, 1600, 1200, 60, "1600\u00d71200 60HZ"},
        {9, 1600, 1200, 60, "1600\u00d71200 60HZ Reduced"},
        {10, 1680, 1050, 60, "1680\u00d71050 60HZ"},
        {11, 1920, 1080, 60, "1920\u00d71080 60HZ"},
        {12, 1920, 1080, 50, "1920\u00d71080 50HZ"},
        {13, 2560, 816, 60, "2560\u00d7816 60HZ"},
        {14, 2048, 640, 60, "2048\u00d7640 60HZ"},
        {15, 1920, 1200, 60, "1920\u00d71200 60HZ"},
        {16, 2304, 1152, 60, "2304\u00d71152 60HZ"},
        {17, 2408, 1152, 60, "2048\u00d71152 60HZ"},
        {18, 1024, 1280, 60, "1024\u00d71280 60HZ"},
        {19, 1536, 1536, 60, "1536\u00d71536 60Hz"},
        {20, 1200, 1900, 60, "1200\u00d71920 60Hz"},
        {21, 2720, 1920, 30, "2720\u00d71920 30Hz"},
        {kResolutionTerminatorCode, 0, 0, 0, ""},
    }};
    return table;
}

constexpr std::array<SourceEntry, 9> kInputSources = {{
    {0, "AV"},
    {8, "VGA"},
    {13, "Int.Bus"},
    {10, "DVI"},
    {1, "E.M.(AV1)"},
    {2, "E.M.(AV2)"},
    {3, "E.M.(AV3)"},
    {11, "E.M.(Digital)"},
    {kSourceTerminatorCode, ""},
}};

constexpr std::array<SourceEntry, 10> kOutputSources = {{
    {13, "Int.Bus"},
    {10, "DVI"},
    {9, "Int.Sync"},
    {0, "E.M.(AV1)"},
    {1, "E.M.(AV2)"},
    {2, "E.M.(AV3)"},
    {3, "E.M.(AV4)"},
    {8, "E.M.(VGA)"},
    {11, "E.M.(Digital)"},
    {kSourceTerminatorCode, ""},
}};

constexpr std::array<std::string_view, 5> kTransparencyLabels = {"0", "1", "2", "3", ""};

// Linear scan that stops at the terminator; the first match wins, the label is copied.
std::string SourceLabel(std::span<const SourceEntry> table, int code) {
    std::string label;
    for (const SourceEntry& entry : table) {
        if (entry.code == kSourceTerminatorCode)
            break;
        if (entry.code == code) {
            label = entry.label;
            break;
        }
    }
    return label;
}

std::vector<ListItem> SourceListItems(std::span<const SourceEntry> table) {
    std::vector<ListItem> items;
    for (const SourceEntry& entry : table) {
        if (entry.code == kSourceTerminatorCode)
            break;
        items.push_back({std::string(entry.label), entry.code});
    }
    return items;
}

}  // namespace

std::span<const ResolutionEntry> ResolutionTable() {
    return Resolutions();
}

std::span<const SourceEntry> InputSourceTable() {
    return kInputSources;
}

std::span<const SourceEntry> OutputSourceTable() {
    return kOutputSources;
}

std::span<const std::string_view> TransparencyLabels() {
    return kTransparencyLabels;
}

const ResolutionEntry* FindResolution(int code) {
    for (const ResolutionEntry& entry : Resolutions()) {
        if (entry.code == kResolutionTerminatorCode)
            break;
        if (entry.code == code)
            return &entry;
    }
    return nullptr;
}

std::string InputSourceLabel(int code) {
    return SourceLabel(kInputSources, code);
}

std::string OutputSourceLabel(int code) {
    return SourceLabel(kOutputSources, code);
}

std::vector<ListItem> ResolutionListItems() {
    std::vector<ListItem> items;
    int position = 1;
    for (const ResolutionEntry& entry : Resolutions()) {
        if (entry.code == kResolutionTerminatorCode)
            break;
        items.push_back({entry.label, position++});
    }
    return items;
}

std::vector<ListItem> InputSourceListItems() {
    return SourceListItems(kInputSources);
}

std::vector<ListItem> OutputSourceListItems() {
    return SourceListItems(kOutputSources);
}

std::vector<ListItem> TransparencyListItems() {
    std::vector<ListItem> items;
    int value = 0;
    for (std::string_view label : kTransparencyLabels) {
        if (label.empty())
            break;
        items.push_back({std::string(label), value++});
    }
    return items;
}

std::optional<std::size_t> FindItemByData(std::span<const ListItem> items, int data) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].data == data)
            return i;
    }
    return std::nullopt;
}

}  // namespace kov
