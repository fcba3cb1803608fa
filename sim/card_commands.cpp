#include "card_commands.h"

namespace kov::sim {
namespace {

bool ApplyQuality(const CommandFrame& frame, bool isInput, CardState& card) {
    const int value = frame[6];
    switch (frame[4]) {
        case item::kBrightness:
            card.brightness = value;
            return true;
        case item::kContrast:
            card.contrast = value;
            return true;
        case item::kSaturation:
            card.saturation = value;
            return true;
        case item::kDefinition:
            card.definition = value;
            return true;
        case item::kColourTemperature:
            card.colourTemperature = value;
            return true;
        case item::kGamma:
            if (isInput)
                return false;
            card.gamma = value;
            return true;
        default:
            return false;
    }
}

bool ApplySource(const CommandFrame& frame, bool isInput, CardState& card) {
    const int layer = frame[4];
    const int source = frame[5];
    // Input cards: layer 1 is the picture, layer 0 the base map. Output cards: layer 0 is
    // picture 1, layer 1 picture 2.
    if (layer == 0) {
        (isInput ? card.baseMapSource : card.source) = source;
        return true;
    }
    if (layer == 1) {
        (isInput ? card.pictureSource : card.picture2Source) = source;
        return true;
    }
    return false;
}

bool ApplyInputOnly(const CommandFrame& frame, CardState& card) {
    if (frame[3] != code::kPictureWord)
        return false;
    card.pictureWord =
        PictureWord{frame[4], frame[5], frame[6], frame[7], frame[8], frame[9], frame[10]};
    return true;
}

bool ApplyOutputOnly(const CommandFrame& frame, CardState& card) {
    switch (frame[3]) {
        case code::kShowOutput:
            card.shown = frame[4];
            return true;
        case code::kHSplice:
            card.hSplice = SpliceOf(frame);
            return true;
        case code::kVSplice:
            card.vSplice = SpliceOf(frame);
            return true;
        case code::kPicture2HSplice:
            card.picture2HSplice = SpliceOf(frame);
            return true;
        case code::kPicture2VSplice:
            card.picture2VSplice = SpliceOf(frame);
            return true;
        case code::kPicture2Splice:
            card.picture2Splice = frame[4];
            return true;
        default:
            return false;
    }
}

}  // namespace

Window WindowOf(const CommandFrame& frame) {
    return Window{WordAt(frame, 4), WordAt(frame, 6), WordAt(frame, 8), WordAt(frame, 10)};
}

Splice SpliceOf(const CommandFrame& frame) {
    return Splice{WordAt(frame, 4), WordAt(frame, 6), WordAt(frame, 8)};
}

bool ApplyCardCommand(const CommandFrame& frame, bool isInput, CardState& card) {
    switch (frame[3]) {
        case code::kResolution:
            card.resolution = frame[4];
            return true;
        case code::kQuality:
            return ApplyQuality(frame, isInput, card);
        case code::kWindow4:
            (isInput ? card.baseMap : card.outputWindow) = WindowOf(frame);
            return true;
        case code::kWindow5:
            (isInput ? card.capture : card.picture2Window) = WindowOf(frame);
            return true;
        case code::kDisplay:
            if (isInput) {
                card.shown = frame[4];
                card.transparency = frame[5];
            } else {
                card.picture2On = frame[4];
                card.picture2Transparency = frame[5];
            }
            return true;
        case code::kSource:
            return ApplySource(frame, isInput, card);
        case code::kAutoAdjust:
            ++card.autoAdjusts;
            return true;
        case code::kReset: {
            // Back to the state of a new card; the counters survive.
            CardState fresh;
            fresh.autoAdjusts = card.autoAdjusts;
            fresh.resets = card.resets + 1;
            card = fresh;
            return true;
        }
        default:
            return isInput ? ApplyInputOnly(frame, card) : ApplyOutputOnly(frame, card);
    }
}

}  // namespace kov::sim
