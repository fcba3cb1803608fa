#include "store/picture_values.h"

#include "store/card_records.h"

namespace kov {
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
    if (kind == CardKind::kInput) {
        const auto record = records.InputCopy(cardId);
        return record ? std::optional(PictureOf(*record)) : std::nullopt;
    }
    const auto record = records.OutputCopy(cardId);
    return record ? std::optional(PictureOf(*record)) : std::nullopt;
}

std::optional<PictureValues> FirstPicture(const CardRecords& records, CardKind kind) {
    if (kind == CardKind::kInput) {
        const auto record = records.InputCopyOrFirst(0);
        return record ? std::optional(PictureOf(*record)) : std::nullopt;
    }
    const auto record = records.OutputCopyOrFirst(0);
    return record ? std::optional(PictureOf(*record)) : std::nullopt;
}

PictureValues DefaultPicture(const CardRecords& records, CardKind kind) {
    auto lock = records.Lock();
    return kind == CardKind::kInput ? PictureOf(records.input.Default())
                                    : PictureOf(records.output.Default());
}

bool UpdatePicture(CardRecords& records, CardKind kind, int cardId,
                   const std::function<void(PictureValues&)>& change) {
    const auto apply = [&change](auto& record) {
        PictureValues picture = PictureOf(record);
        change(picture);
        SetPicture(record, picture);
    };
    return kind == CardKind::kInput ? records.EditInput(cardId, apply)
                                    : records.EditOutput(cardId, apply);
}

}  // namespace kov
