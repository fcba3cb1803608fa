#pragma once
// The two bindings of the cell diagram to the card records. The input diagram shows each
// input card's capture window (inputHLocation, inputVLocation, inputHWidth, inputVHeight)
// within the input frame, a resolution of the resolution table; the output diagram shows
// each output card's splice rectangle (spliceHLocation, spliceVLocation, spliceHWidth,
// spliceVHeight) within the whole screen. Cards appear in the order of their table, which is
// the order of the card list.
//
// None of these functions takes the records' lock: the caller holds it while a lookup made
// here is in use and while a change is written.

#include <optional>
#include <vector>

#include "diagram/cell_geometry.h"
#include "diagram/diagram_model.h"
#include "store/card_defaults.h"
#include "store/card_record.h"
#include "store/card_table.h"

namespace kov::diagram {

// The resolution the input diagram is built with.
inline constexpr int kInputBuildResolutionCode = 1;

// A record's rectangle and its inverse.
DeviceRect InputCaptureWindow(const InputCardRecord& record);
void StoreInputCaptureWindow(InputCardRecord& record, const DeviceRect& rect);
DeviceRect OutputSplice(const OutputCardRecord& record);
void StoreOutputSplice(OutputCardRecord& record, const DeviceRect& rect);

// The card IDs of a table in list order.
std::vector<int> CardIds(const CardTable<InputCardRecord>& table);
std::vector<int> CardIds(const CardTable<OutputCardRecord>& table);

// Lookups of a card's rectangle in a table. They refer to the table, which must outlive
// them and must not change while the model runs them.
RecordRectLookup InputRectLookup(const CardTable<InputCardRecord>& table);
RecordRectLookup OutputRectLookup(const CardTable<OutputCardRecord>& table);

// The extents of the input frame for a resolution code, or nothing when the code is not in
// the resolution table.
std::optional<Extents> InputFrameExtents(int resolutionCode);
// The extents of the output diagram: the whole screen.
Extents OutputFrameExtents(const WholeScreen& screen);

// Builds the input diagram's cells in the frame of resolution code 1. False, with the old
// cells kept, when the resolution table has no such entry.
bool CreateInputCells(DiagramModel& model, const CardTable<InputCardRecord>& table, Scales scales,
                      const Rect& client);
// Rescales the input diagram to the frame of a resolution code. False, with nothing changed,
// when the code is not in the resolution table.
bool RescaleInputCells(DiagramModel& model, const CardTable<InputCardRecord>& table,
                       int resolutionCode, Scales scales, const Rect& client);

// Builds and rescales the output diagram's cells in the whole screen. A whole screen of
// size 0 comes with zero scales (see ComputeOutputFieldLayout): the cells then have no area,
// so nothing can be pressed or dragged.
void CreateOutputCells(DiagramModel& model, const CardTable<OutputCardRecord>& table, Scales scales,
                       const WholeScreen& screen, const Rect& client);
void RescaleOutputCells(DiagramModel& model, const CardTable<OutputCardRecord>& table,
                        Scales scales, const WholeScreen& screen, const Rect& client);

// Writes a change into the record of its card and returns that record (for sending Set
// capture window, or Set horizontal splice then Set vertical splice), or nullptr when the
// table has no record with that card ID; nothing is written then.
InputCardRecord* ApplyInputChange(CardTable<InputCardRecord>& table, const RecordChange& change);
OutputCardRecord* ApplyOutputChange(CardTable<OutputCardRecord>& table, const RecordChange& change);

}  // namespace kov::diagram
