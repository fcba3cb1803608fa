#include "store/card_inventory.h"

#include "store/file_io.h"
#include "store/profile.h"

namespace kov {
namespace {

std::string SlotSection(int slot) {
    return "Card Slot " + std::to_string(slot);
}

constexpr std::size_t kIdBuffer = 10;          // nine characters
constexpr std::size_t kMotherBoardBuffer = 5;  // four characters

}  // namespace

int CardConfiguration::SlotOf(int cardId) const {
    for (const auto* list : {&inputCards, &outputCards}) {
        for (const CardSlot& card : *list) {
            if (card.cardId == cardId)
                return card.slot;
        }
    }
    return 0;
}

bool ReadCardConfiguration(const std::filesystem::path& file, CardConfiguration& config) {
    config.slotMap.clear();
    config.inputCards.clear();
    config.outputCards.clear();
    if (!IsReadable(file))
        return false;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        const std::string id = ReadProfileString(file, SlotSection(slot), "Card ID", "", kIdBuffer);
        if (!id.empty() && DecimalValue(id) != 0)
            config.slotMap[slot] = id;
    }
    config.motherBoardId =
        ReadProfileInt(file, "Mother Board", "Mother Board 1 ID", kMotherBoardBuffer);
    for (const auto& [slot, text] : config.slotMap) {
        const int id = DecimalValue(text);
        (IsInputCardId(id) ? config.inputCards : config.outputCards).push_back({slot, id});
    }
    return true;
}

bool WriteCardConfiguration(const std::filesystem::path& file,
                            const std::array<int, kSlotCount>& ids) {
    if (!IsReadable(file))
        return false;
    bool ok = true;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
        ok = WriteProfileInt(file, SlotSection(slot), "Card ID", ids[slot - 1]) && ok;
    }
    return ok;
}

std::array<int, kSlotCount> ManualConfiguration(const std::array<bool, kSlotCount>& outputs,
                                                const std::array<bool, kSlotCount>& inputs) {
    std::array<int, kSlotCount> ids{};
    int nextInput = kFirstInputCardId;
    for (int i = 0; i < kSlotCount; ++i) {
        if (outputs[i]) {
            ids[i] = i + 1;
        } else if (inputs[i]) {
            ids[i] = nextInput++;
        }
    }
    return ids;
}

std::vector<DetectedRow> DetectedRows(const std::array<int, kSlotCount>& ids) {
    std::vector<DetectedRow> rows;
    for (int i = 0; i < kSlotCount; ++i) {
        if (ids[i] == 0)
            continue;
        const bool input = IsInputCardId(ids[i]);
        rows.push_back({input ? ids[i] - 128 : ids[i], i + 1, input});
    }
    return rows;
}

DetectionOutcome DetectAndWriteConfiguration(CSerialComm& link, const std::filesystem::path& file) {
    DetectionOutcome outcome;
    SlotIds raw{};
    outcome.result = DetectCards(link, raw);
    if (outcome.result != DetectResult::kOk)
        return outcome;
    for (int i = 0; i < kSlotCount; ++i)
        outcome.ids[i] = raw[i];
    outcome.written = WriteCardConfiguration(file, outcome.ids);
    return outcome;
}

}  // namespace kov
