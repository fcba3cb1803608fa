#pragma once
// The picture quality of a card, the same for input and output cards apart from gamma
// (output only): four values with their ranges, the colour temperature and gamma codes.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "store/card_record.h"

namespace kov {

class CardRecords;

// The four values in the order of their command items (0x00 to 0x03).
enum class PictureValue { kBrightness = 0, kContrast = 1, kSaturation = 2, kDefinition = 3 };
inline constexpr std::size_t kPictureValueCount = 4;

// Range, initial value and slider tick spacing of one value.
struct ValueRange {
    std::int32_t low = 0;
    std::int32_t high = 0;
    std::int32_t initial = 0;
    std::int32_t tick = 1;
};

inline constexpr std::array<ValueRange, kPictureValueCount> kPictureValueRanges = {{
    {0, 100, 50, 5},
    {0, 100, 50, 5},
    {0, 100, 50, 5},
    {0, 24, 12, 2},
}};

// The colour-channel values of the picture word: 0 to 255, tick every 12.
inline constexpr ValueRange kColourValueRange = {0, 255, 0, 12};

struct PictureValues {
    std::array<std::int32_t, kPictureValueCount> values{};
    std::uint8_t colorTemperature = 0;
    std::string colorTemperatureText;
    std::uint8_t gamma = 0;  // output cards only

    friend bool operator==(const PictureValues&, const PictureValues&) = default;
};

PictureValues PictureOf(const InputCardRecord& record);
PictureValues PictureOf(const OutputCardRecord& record);
// Writes the picture fields of record; an input record has no gamma.
void SetPicture(InputCardRecord& record, const PictureValues& picture);
void SetPicture(OutputCardRecord& record, const PictureValues& picture);

// The picture of a card of that kind, under the records' lock; nothing when no record has
// that card ID.
std::optional<PictureValues> FindPicture(const CardRecords& records, CardKind kind, int cardId);
// The picture of the first record of that kind, or nothing when there are no cards.
std::optional<PictureValues> FirstPicture(const CardRecords& records, CardKind kind);
// The picture of the default record of that kind.
PictureValues DefaultPicture(const CardRecords& records, CardKind kind);
// Changes the picture of a card under the lock; false when no record has that card ID.
bool UpdatePicture(CardRecords& records, CardKind kind, int cardId,
                   const std::function<void(PictureValues&)>& change);

}  // namespace kov
