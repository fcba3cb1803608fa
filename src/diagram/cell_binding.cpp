#include "diagram/cell_binding.h"

#include "store/tables.h"

namespace kov::diagram {
namespace {

template <class Record>
std::vector<int> IdsOf(const CardTable<Record>& table) {
    std::vector<int> ids;
    ids.reserve(table.Count());
    for (const Record& r : table.Records())
        ids.push_back(r.cardId);
    return ids;
}

template <class Record, class Rectangle>
RecordRectLookup LookupIn(const CardTable<Record>& table, Rectangle rectangleOf) {
    return [&table, rectangleOf](int cardId) -> std::optional<DeviceRect> {
        const Record* r = table.Find(cardId);
        if (r == nullptr)
            return std::nullopt;
        return rectangleOf(*r);
    };
}

}  // namespace

DeviceRect InputCaptureWindow(const InputCardRecord& record) {
    return DeviceRect{record.inputHLocation, record.inputVLocation, record.inputHWidth,
                      record.inputVHeight};
}

void StoreInputCaptureWindow(InputCardRecord& record, const DeviceRect& rect) {
    record.inputHLocation = rect.x;
    record.inputVLocation = rect.y;
    record.inputHWidth = rect.w;
    record.inputVHeight = rect.h;
}

DeviceRect OutputSplice(const OutputCardRecord& record) {
    return DeviceRect{record.spliceHLocation, record.spliceVLocation, record.spliceHWidth,
                      record.spliceVHeight};
}

void StoreOutputSplice(OutputCardRecord& record, const DeviceRect& rect) {
    record.spliceHLocation = rect.x;
    record.spliceVLocation = rect.y;
    record.spliceHWidth = rect.w;
    record.spliceVHeight = rect.h;
}

std::vector<int> CardIds(const CardTable<InputCardRecord>& table) {
    return IdsOf(table);
}
std::vector<int> CardIds(const CardTable<OutputCardRecord>& table) {
    return IdsOf(table);
}

RecordRectLookup InputRectLookup(const CardTable<InputCardRecord>& table) {
    return LookupIn(table, InputCaptureWindow);
}

RecordRectLookup OutputRectLookup(const CardTable<OutputCardRecord>& table) {
    return LookupIn(table, OutputSplice);
}

std::optional<Extents> InputFrameExtents(int resolutionCode) {
    const ResolutionEntry* entry = FindResolution(resolutionCode);
    if (entry == nullptr)
        return std::nullopt;
    return Extents{entry->width, entry->height};
}

Extents OutputFrameExtents(const WholeScreen& screen) {
    return Extents{screen.width, screen.height};
}

bool CreateInputCells(DiagramModel& model, const CardTable<InputCardRecord>& table, Scales scales,
                      const Rect& client) {
    const std::optional<Extents> extents = InputFrameExtents(kInputBuildResolutionCode);
    if (!extents)
        return false;
    const std::vector<int> ids = CardIds(table);
    model.CreateCells(ids, InputRectLookup(table), scales, *extents, client);
    return true;
}

bool RescaleInputCells(DiagramModel& model, const CardTable<InputCardRecord>& table,
                       int resolutionCode, Scales scales, const Rect& client) {
    const std::optional<Extents> extents = InputFrameExtents(resolutionCode);
    if (!extents)
        return false;
    model.Rescale(InputRectLookup(table), scales, *extents, client);
    return true;
}

void CreateOutputCells(DiagramModel& model, const CardTable<OutputCardRecord>& table, Scales scales,
                       const WholeScreen& screen, const Rect& client) {
    const std::vector<int> ids = CardIds(table);
    model.CreateCells(ids, OutputRectLookup(table), scales, OutputFrameExtents(screen), client);
}

void RescaleOutputCells(DiagramModel& model, const CardTable<OutputCardRecord>& table,
                        Scales scales, const WholeScreen& screen, const Rect& client) {
    model.Rescale(OutputRectLookup(table), scales, OutputFrameExtents(screen), client);
}

InputCardRecord* ApplyInputChange(CardTable<InputCardRecord>& table, const RecordChange& change) {
    InputCardRecord* record = table.Find(change.cardId);
    if (record != nullptr)
        StoreInputCaptureWindow(*record, change.rect);
    return record;
}

OutputCardRecord* ApplyOutputChange(CardTable<OutputCardRecord>& table,
                                    const RecordChange& change) {
    OutputCardRecord* record = table.Find(change.cardId);
    if (record != nullptr)
        StoreOutputSplice(*record, change.rect);
    return record;
}

}  // namespace kov::diagram
