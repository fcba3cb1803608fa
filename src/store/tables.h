#pragma once
// The fixed tables that give resolution codes, source codes and transparency values
// their meaning and their shown labels. Records, files and commands store codes; lists
// show labels. The tables are built on first use and never change.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/resolution.h"

namespace kov {

// Code of the entry that ends the resolution table.
inline constexpr std::uint8_t kResolutionTerminatorCode = 22;
// Code of the entry that ends each source table.
inline constexpr std::uint8_t kSourceTerminatorCode = 99;
// Number of real entries of the resolution table (the terminator not counted).
inline constexpr std::size_t kResolutionCount = 21;

// One row of a source table.
struct SourceEntry {
    std::uint8_t code = 0;
    std::string_view label;

    friend bool operator==(const SourceEntry&, const SourceEntry&) = default;
};

// One item of a list control: the shown label and the item data it carries.
struct ListItem {
    std::string label;
    int data = 0;

    friend bool operator==(const ListItem&, const ListItem&) = default;
};

// The 21 resolutions in list order, then the terminating entry (code 22, 0 x 0, rate 0,
// empty label). Labels are UTF-8 with U+00D7 between width and height.
std::span<const ResolutionEntry> ResolutionTable();

// Sources an input card (and its base map) can take, then the terminating entry (code 99).
std::span<const SourceEntry> InputSourceTable();

// Sources an output card (and its second picture) can take, then the terminating entry.
std::span<const SourceEntry> OutputSourceTable();

// "0", "1", "2", "3", then the empty label that ends the list.
std::span<const std::string_view> TransparencyLabels();

// The first entry with that code, scanning from the start and stopping at the terminator;
// nullptr when there is none (so the terminator's own code 22 is not found either).
const ResolutionEntry* FindResolution(int code);

// The label of the first input source with that code, or "" when the table has none.
std::string InputSourceLabel(int code);

// The label of the first output source with that code, or "" when the table has none.
std::string OutputSourceLabel(int code);

// The rows of a resolution list: every entry before the terminator, in table order,
// with its position counted from 1 as item data (equal to its code).
std::vector<ListItem> ResolutionListItems();

// The rows of an input or output source list: every entry before the terminator, in
// table order, with its code as item data.
std::vector<ListItem> InputSourceListItems();
std::vector<ListItem> OutputSourceListItems();

// The rows of a transparency list: the labels before the empty one, item data 0 to 3.
std::vector<ListItem> TransparencyListItems();

// Selecting a list item by value: the position of the first item carrying that item data,
// or nothing.
std::optional<std::size_t> FindItemByData(std::span<const ListItem> items, int data);

}  // namespace kov
