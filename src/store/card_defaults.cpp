#include "store/card_defaults.h"

#include "store/file_io.h"
#include "store/profile.h"
#include "store/tables.h"

namespace kov {
namespace {

constexpr std::size_t kValueBuffer = 5;  // four characters

// Reads keys of one section of the defaults file as numbers.
class DefaultsSection {
public:
    DefaultsSection(const std::filesystem::path& file, const char* section)
        : file_(file), section_(section) {}

    int Number(const char* key) const { return ReadProfileInt(file_, section_, key, kValueBuffer); }

    template <class Field>
    void Read(const char* key, Field& field) const {
        field = static_cast<Field>(Number(key));
    }

    // Copies the whole table entry; a code that is not in the table keeps the old entry.
    void ReadResolution(const char* key, ResolutionEntry& field) const {
        if (const ResolutionEntry* entry = FindResolution(Number(key)))
            field = *entry;
    }

private:
    const std::filesystem::path& file_;
    const char* section_;
};

}  // namespace

bool InputCardIni::ReadFile(const std::filesystem::path& programDir, const std::string& file) {
    const auto path = programDir / file;
    if (!IsReadable(path))
        return false;
    InputCardRecord& d = defaults;
    const DefaultsSection info(path, "InPutCardInfo");
    info.ReadResolution("inputResolution", d.inputResolution);
    info.Read("inputSrc", d.inputSrc);
    info.Read("inputtranspy", d.inputtranspy);
    info.Read("picshow", d.inputPicShow);
    const DefaultsSection location(path, "InPutLocation");
    location.Read("inputHLocation", d.inputHLocation);
    location.Read("inputHWidth", d.inputHWidth);
    location.Read("inputVLocation", d.inputVLocation);
    location.Read("inputVHeight", d.inputVHeight);
    const DefaultsSection adjust(path, "InPutFrameAdjust");
    adjust.Read("inputFrameLight", d.inputFrameLight);
    adjust.Read("inputFrameContrast", d.inputFrameContrast);
    adjust.Read("inputFrameSaturation", d.inputFrameSaturation);
    adjust.Read("inputFrameDefinition", d.inputFrameDefinition);
    adjust.Read("inputFrameColorTemperation", d.inputFrameColorTemperation);
    d.colorTemperatureText = kStandardColorTemperatureText;
    const DefaultsSection word(path, "InPutPicWord");
    word.Read("picWordOnoff", d.picWordOnoff);
    word.Read("picWordMode", d.picWordMode);
    word.Read("picWordAboveOn", d.picWordAboveOn);
    word.Read("picWordAndOr", d.picWordAndOr);
    word.Read("picWordRed", d.picWordRed);
    word.Read("picWordGreen", d.picWordGreen);
    word.Read("picWordBlue", d.picWordBlue);
    const DefaultsSection baseMap(path, "InPutBaseMap");
    d.baseMapinputSrc = static_cast<std::uint8_t>(baseMap.Number("baseMapinputSrc"));
    baseMap.Read("baseMapHLocation", d.baseMapHLocation);
    baseMap.Read("baseMapHWidth", d.baseMapHWidth);
    baseMap.Read("baseMapVLocation", d.baseMapVLocation);
    baseMap.Read("baseMapVHeight", d.baseMapVHeight);
    return true;
}

bool OutputCardIni::ReadFile(const std::filesystem::path& programDir, const std::string& file) {
    const auto path = programDir / file;
    if (!IsReadable(path))
        return false;
    OutputCardRecord& d = defaults;
    const DefaultsSection info(path, "OutPutCardInfo");
    info.Read("OutPutinputSrc", d.OutPutinputSrc);
    info.ReadResolution("outputReso", d.outputReso);
    // The shown flag of output cards comes from the input cards' section.
    DefaultsSection(path, "InPutCardInfo").Read("picshow", d.outputPicshow);
    const DefaultsSection screen(path, "ScreenParam");
    screen.Read("outputHparam", d.outputHparam);
    screen.Read("outputVparam", d.outputVparam);
    screen_ = {d.outputHparam, d.outputVparam};
    const DefaultsSection splice(path, "SpliceParam");
    splice.Read("spliceHLocation", d.spliceHLocation);
    splice.Read("spliceHWidth", d.spliceHWidth);
    splice.Read("spliceVLocation", d.spliceVLocation);
    splice.Read("spliceVHeight", d.spliceVHeight);
    const DefaultsSection setting(path, "OutPutSetting");
    setting.Read("outputHLocation", d.outputHLocation);
    setting.Read("outputHWidth", d.outputHWidth);
    setting.Read("outputVLocation", d.outputVLocation);
    setting.Read("outputVHeight", d.outputVHeight);
    const DefaultsSection frame(path, "OutPutFrame");
    frame.Read("outputFrameLight", d.outputFrameLight);
    frame.Read("outputFrameContrast", d.outputFrameContrast);
    frame.Read("outputFrameSaturation", d.outputFrameSaturation);
    frame.Read("outputFrameDefinition", d.outputFrameDefinition);
    frame.Read("outputFrameColorTemperation", d.outputFrameColorTemperation);
    d.colorTemperatureText = kStandardColorTemperatureText;
    frame.Read("outputFrameGamma", d.outputFrameGamma);
    const DefaultsSection dbl(path, "OutPutDoublePic");
    dbl.Read("isOn", d.isOn);
    dbl.Read("DoublePicinputSrc", d.DoublePicinputSrc);
    dbl.Read("doublePicHLocation", d.doublePicHLocation);
    dbl.Read("doublePicHWidth", d.doublePicHWidth);
    dbl.Read("doublePicVLocation", d.doublePicVLocation);
    dbl.Read("doublePicVHeight", d.doublePicVHeight);
    dbl.Read("doublePictranspy", d.doublePictranspy);
    dbl.Read("isSpliceDouble", d.isSpliceDouble);
    dbl.Read("doubleSpliceHparam", d.doubleSpliceHparam);
    dbl.Read("doubleSpliceVparam", d.doubleSpliceVparam);
    dbl.Read("doubleSpliceHLocation", d.doubleSpliceHLocation);
    dbl.Read("doubleSpliceHWidth", d.doubleSpliceHWidth);
    dbl.Read("doubleSpliceVLocation", d.doubleSpliceVLocation);
    dbl.Read("doubleSpliceVHeight", d.doubleSpliceVHeight);
    return true;
}

}  // namespace kov
