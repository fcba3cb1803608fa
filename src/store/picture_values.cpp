#include "store/picture_values.h"

#include "store/card_records.h"

namespace kov {
namespace {

template <class Record>
std::optional<PictureValues> PictureIn(const CardTable<Record>& table, int cardId) {
    const Record* record = table.Find(cardId);
    return record ? std::optional(PictureOf(*record)) : std::nullopt;
}

template <class Record>
bool UpdateIn(CardTable<Record>& table, int cardId,
              const std::function<void(PictureValues&)>& change) {
    Record* record = table.Find(cardId);
    if (!record)
        return false;
    PictureValues picture = PictureOf(*record);
    change(picture);
    SetPicture(*record, picture);
    return true;
}

}  // namespace

PictureValues PictureOf(const InputCardRecord& r) {
    return {
        {r.inputFrameLight, r.inputFrameContrast, r.inputFrameSaturation, r.inputFrameDefinition},
        r.inputFrameColorTemperation,
        r.colorTemperatureText,
        0};
}

PictureValues PictureOf(const OutputCardRecord& r) {
    return {{r.outputFrameLight, r.outputFrameContrast, r.outputFrameSaturation,
             r.outputFrameDefinition},
            r.outputFrameColorTemperation,
            r.colorTemperatureText,
            r.outputFrameGamma};
}

void SetPicture(InputCardRecord& r, const PictureValues& p) {
    r.inputFrameLight = p.values[0];
    r.inputFrameContrast = p.values[1];
    r.inputFrameSaturation = p.values[2];
    r.inputFrameDefinition = p.values[3];
    r.inputFrameColorTemperation = p.colorTemperature;
    r.colorTemperatureText = p.colorTemperatureText;
}

void SetPicture(OutputCardRecord& r, const PictureValues& p) {
    r.outputFrameLight = p.values[0];
    r.outputFrameContrast = p.values[1];
    r.outputFrameSaturation = p.values[2];
    r.outputFrameDefinition = p.values[3];
    r.outputFrameColorTemperation = p.colorTemperature;
    r.colorTemperatureText = p.colorTemperatureText;
    r.outputFrameGamma = p.gamma;
}

std::optional<PictureValues> FindPicture(const CardRecords& records, CardKind kind, int cardId) {
    auto lock = records.Lock();
    return kind == CardKind::kInput ? PictureIn(records.input, cardId)
                                    : PictureIn(records.output, cardId);
}

std::optional<PictureValues> FirstPicture(const CardRecords& records, CardKind kind) {
    auto lock = records.Lock();
    if (kind == CardKind::kInput) {
        return records.input.Count() ? std::optional(PictureOf(records.input.At(0))) : std::nullopt;
    }
    return records.output.Count() ? std::optional(PictureOf(records.output.At(0))) : std::nullopt;
}

PictureValues DefaultPicture(const CardRecords& records, CardKind kind) {
    auto lock = records.Lock();
    return kind == CardKind::kInput ? PictureOf(records.input.Default())
                                    : PictureOf(records.output.Default());
}

bool UpdatePicture(CardRecords& records, CardKind kind, int cardId,
                   const std::function<void(PictureValues&)>& change) {
    auto lock = records.Lock();
    return kind == CardKind::kInput ? UpdateIn(records.input, cardId, change)
                                    : UpdateIn(records.output, cardId, change);
}

}  // namespace kov
