#pragma once
// The parameters the program keeps for each fitted card. Field names are the keys the
// project files store them under.

#include <cstdint>
#include <string>

#include "store/resolution.h"

namespace kov {

enum class CardKind { kInput, kOutput };

struct InputCardRecord {
    std::int32_t inputPicShow = 0;
    ResolutionEntry inputResolution;
    std::int32_t inputSrc = 0;
    std::uint16_t inputtranspy = 0;
    std::int32_t inputHLocation = 0;
    std::int32_t inputHWidth = 0;
    std::int32_t inputVLocation = 0;
    std::int32_t inputVHeight = 0;
    std::int32_t inputFrameLight = 0;
    std::int32_t inputFrameContrast = 0;
    std::int32_t inputFrameSaturation = 0;
    std::int32_t inputFrameDefinition = 0;
    std::uint8_t inputFrameColorTemperation = 0;
    std::string colorTemperatureText;  // never shown, sent or stored
    std::int32_t picWordRed = 0;
    std::int32_t picWordGreen = 0;
    std::int32_t picWordBlue = 0;
    std::uint8_t picWordOnoff = 0;
    std::uint8_t picWordMode = 0;
    std::uint8_t picWordAboveOn = 0;
    std::uint8_t picWordAndOr = 0;
    std::int32_t baseMapinputSrc = 0;
    std::int32_t baseMapHLocation = 0;
    std::int32_t baseMapHWidth = 0;
    std::int32_t baseMapVLocation = 0;
    std::int32_t baseMapVHeight = 0;
    std::int32_t cardId = 0;
    std::int32_t slot = 0;

    friend bool operator==(const InputCardRecord&, const InputCardRecord&) = default;
};

struct OutputCardRecord {
    std::int32_t outputPicshow = 0;
    std::int32_t OutPutinputSrc = 0;
    ResolutionEntry outputReso;
    std::int32_t outputHparam = 0;
    std::int32_t outputVparam = 0;
    std::int32_t spliceHLocation = 0;
    std::int32_t spliceHWidth = 0;
    std::int32_t spliceVLocation = 0;
    std::int32_t spliceVHeight = 0;
    std::int32_t outputHLocation = 0;
    std::int32_t outputHWidth = 0;
    std::int32_t outputVLocation = 0;
    std::int32_t outputVHeight = 0;
    std::int32_t outputFrameLight = 0;
    std::int32_t outputFrameContrast = 0;
    std::int32_t outputFrameSaturation = 0;
    std::int32_t outputFrameDefinition = 0;
    std::uint8_t outputFrameColorTemperation = 0;
    std::string colorTemperatureText;  // never shown, sent or stored
    std::uint8_t outputFrameGamma = 0;
    std::uint8_t isOn = 0;
    std::int32_t DoublePicinputSrc = 0;
    std::int32_t doublePicHLocation = 0;
    std::int32_t doublePicHWidth = 0;
    std::int32_t doublePicVLocation = 0;
    std::int32_t doublePicVHeight = 0;
    std::uint16_t doublePictranspy = 0;
    std::uint8_t isSpliceDouble = 0;
    std::int32_t doubleSpliceHparam = 0;
    std::int32_t doubleSpliceVparam = 0;
    std::int32_t doubleSpliceHLocation = 0;
    std::int32_t doubleSpliceHWidth = 0;
    std::int32_t doubleSpliceVLocation = 0;
    std::int32_t doubleSpliceVHeight = 0;
    std::int32_t cardId = 0;
    std::int32_t slot = 0;

    friend bool operator==(const OutputCardRecord&, const OutputCardRecord&) = default;
};

}  // namespace kov
