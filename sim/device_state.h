#pragma once
// The state the virtual device keeps: its rack, every card's parameters, stored templates,
// offline tasks, clock and counters. Plain data; the rules that change it live elsewhere.

#include <array>
#include <chrono>
#include <cstdint>
#include <map>
#include <optional>

#include "link/frame.h"

namespace kov::sim {

inline constexpr int kSlotCount = 14;
inline constexpr int kTemplateCount = 15;
inline constexpr int kTaskCount = 128;

// Card ID per slot (index 0 is slot 1); 0 means an empty slot.
using Rack = std::array<std::uint8_t, kSlotCount>;

// Output cards 1-4 in slots 1-4, input cards 129-132 in slots 5-8, slots 9-14 empty.
Rack DefaultRack();

// IDs 128-255 are input cards; every other non-zero ID is an output card.
inline bool IsInputCardId(int id) {
    return id >= 128 && id <= 255;
}

// A rectangle as the window commands send it.
struct Window {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Window&, const Window&) = default;
};

// The whole-wall total, position and size of one splice direction.
struct Splice {
    int total = 0;
    int position = 0;
    int size = 0;
    friend bool operator==(const Splice&, const Splice&) = default;
};

// The picture-word keying values in command order (picWordOnoff ... picWordBlue).
struct PictureWord {
    int on = 0;
    int mode = 0;
    int above = 0;
    int andOr = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const PictureWord&, const PictureWord&) = default;
};

// Everything the commands set on one card. Which fields a card uses depends on its kind:
// the comments name the card-record fields they correspond to.
struct CardState {
    int resolution = 0;  // inputResolution / outputReso code
    int brightness = 0;
    int contrast = 0;
    int saturation = 0;
    int definition = 0;
    int colourTemperature = 0;
    int gamma = 0;  // output cards only (outputFrameGamma)

    // Input cards.
    Window capture;         // inputHLocation, inputVLocation, inputHWidth, inputVHeight
    Window baseMap;         // baseMapHLocation ... baseMapVHeight
    int pictureSource = 0;  // inputSrc (layer 1)
    int baseMapSource = 0;  // baseMapinputSrc (layer 0)
    int transparency = 0;   // inputtranspy
    PictureWord pictureWord;

    // Output cards.
    Window outputWindow;           // outputHLocation ... outputVHeight
    Window picture2Window;         // doublePicHLocation ... doublePicVHeight
    Splice hSplice;                // outputHparam, spliceHLocation, spliceHWidth
    Splice vSplice;                // outputVparam, spliceVLocation, spliceVHeight
    Splice picture2HSplice;        // doubleSpliceHparam, doubleSpliceHLocation, doubleSpliceHWidth
    Splice picture2VSplice;        // doubleSpliceVparam, doubleSpliceVLocation, doubleSpliceVHeight
    int source = 0;                // OutPutinputSrc (layer 0)
    int picture2Source = 0;        // DoublePicinputSrc (layer 1)
    int picture2On = 0;            // isOn
    int picture2Transparency = 0;  // doublePictranspy
    int picture2Splice = 0;        // isSpliceDouble

    // Both kinds: input picture shown (command 0x06) or output picture shown (command 0x0B).
    int shown = 0;

    // How often the card was auto-adjusted or reset; a reset keeps these counts.
    int autoAdjusts = 0;
    int resets = 0;

    friend bool operator==(const CardState&, const CardState&) = default;
};

// Card states keyed by card ID.
using CardMap = std::map<std::uint8_t, CardState>;

// A calendar date and time of day, year in full (2013, not 13).
struct DateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

// One offline task as the mother board stores it after unpacking command 0x1A.
struct OfflineTask {
    bool written = false;
    DateTime when;
    int cycle = 0;           // 0 off, 1 daily, 2 once, 3 weekly
    int weekdays = 0;        // bit 0 Sunday, bits 1-6 Monday to Saturday
    int templateNumber = 0;  // 1-15
    friend bool operator==(const OfflineTask&, const OfflineTask&) = default;
};

// The last fade command.
struct Fade {
    int picture = 0;  // 1 or 2
    int seconds = 0;
};

struct DeviceState {
    std::uint8_t motherBoardId = 0;
    Rack rack{};
    CardMap cards;
    std::array<std::optional<CardMap>, kTemplateCount> templates;
    std::array<OfflineTask, kTaskCount> tasks;
    // Device clock minus host clock (UTC seconds); the device clock runs with the host.
    std::chrono::seconds clockOffset{0};
    std::optional<Fade> lastFade;
    int lastRecalled = 0;  // template number 1-15, 0 when none was recalled
    int lastStored = 0;
    long frames = 0;    // valid frames acted on
    long rejected = 0;  // bad checksums, bad headers and incomplete frames
    std::optional<CommandFrame> lastFrame;
};

}  // namespace kov::sim
