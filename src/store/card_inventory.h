#pragma once
// The card configuration of "Board Config.ini": which card sits in which slot, and the
// mother board ID.

#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "link/device_queries.h"

namespace kov {

inline constexpr const char* kBoardConfigFileName = "Board Config.ini";
inline constexpr int kFirstInputCardId = 129;

struct CardSlot {
    int slot = 0;
    int cardId = 0;
    friend bool operator==(const CardSlot&, const CardSlot&) = default;
};

struct CardConfiguration {
    std::map<int, std::string> slotMap;  // slot -> card ID text, slots holding a card
    std::vector<CardSlot> inputCards;    // ascending slot order
    std::vector<CardSlot> outputCards;   // ascending slot order
    int motherBoardId = 0;

    // The slot of a card, or 0 when no slot holds it.
    int SlotOf(int cardId) const;
};

// 128-255 is an input card; 0 is an empty slot; anything else an output card.
inline bool IsInputCardId(int id) {
    return id / 128 == 1;
}

// Reads the file into config. False, with config left empty (mother board ID unchanged),
// when the file cannot be read.
bool ReadCardConfiguration(const std::filesystem::path& file, CardConfiguration& config);

// Writes the 14 slot IDs; the mother board section is left alone. The file is never
// created: false, with nothing written, when it cannot be read.
bool WriteCardConfiguration(const std::filesystem::path& file,
                            const std::array<int, kSlotCount>& ids);

// A configuration ticked by hand: an output card's ID is its slot, the ticked input slots
// get 129, 130, ... in slot order. A slot ticked both ways counts as an output card.
std::array<int, kSlotCount> ManualConfiguration(const std::array<bool, kSlotCount>& outputs,
                                                const std::array<bool, kSlotCount>& inputs);

// One row of the detected-cards list.
struct DetectedRow {
    int shownId = 0;  // input cards show ID - 128
    int slot = 0;
    bool input = false;
    friend bool operator==(const DetectedRow&, const DetectedRow&) = default;
};

std::vector<DetectedRow> DetectedRows(const std::array<int, kSlotCount>& ids);

// Detects the cards and, only when an acceptable reply arrived, writes the configuration.
struct DetectionOutcome {
    DetectResult result = DetectResult::kNotSent;
    std::array<int, kSlotCount> ids{};
    bool written = false;  // false also when the file could not be written
};
DetectionOutcome DetectAndWriteConfiguration(CSerialComm& link, const std::filesystem::path& file);

}  // namespace kov
