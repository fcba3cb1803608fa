#pragma once
// The device's command codes, picture-quality items and group addresses. The device keeps
// its own table on purpose: a wrong code in the program's catalogue then shows up as a
// frame the device does not understand instead of agreeing with itself. The query
// selectors (kSelectorReadTask, kSelectorReadClock) come with the link's exchanges.

#include <cstdint>

#include "link/exchange.h"

namespace kov::sim {

// Addresses (byte 2) that reach more than one card.
inline constexpr std::uint8_t kAllCards = 0x00;
inline constexpr std::uint8_t kInputSide = 0xF0;
inline constexpr std::uint8_t kFadeGroup = 0x80;

// Command codes of the device.
namespace code {
inline constexpr std::uint8_t kQuery = 0x00;
inline constexpr std::uint8_t kTemplate = 0x01;
inline constexpr std::uint8_t kResolution = 0x02;
inline constexpr std::uint8_t kQuality = 0x03;
inline constexpr std::uint8_t kWindow4 = 0x04;  // output window / base map window
inline constexpr std::uint8_t kWindow5 = 0x05;  // capture window / picture-2 window
inline constexpr std::uint8_t kDisplay = 0x06;
inline constexpr std::uint8_t kShowOutput = 0x0B;
inline constexpr std::uint8_t kHSplice = 0x0C;
inline constexpr std::uint8_t kVSplice = 0x0D;
inline constexpr std::uint8_t kSource = 0x11;
inline constexpr std::uint8_t kAutoAdjust = 0x12;
inline constexpr std::uint8_t kReset = 0x13;
inline constexpr std::uint8_t kPictureWord = 0x15;
inline constexpr std::uint8_t kFade = 0x16;
inline constexpr std::uint8_t kWriteTask = 0x1A;
inline constexpr std::uint8_t kSetClock = 0x1B;
inline constexpr std::uint8_t kPicture2HSplice = 0x1C;
inline constexpr std::uint8_t kPicture2VSplice = 0x1D;
inline constexpr std::uint8_t kPicture2Splice = 0x1E;
inline constexpr std::uint8_t kDetect = 0x20;
}  // namespace code

// Byte 4 of the template command.
inline constexpr std::uint8_t kStoreTemplate = 0x00;
inline constexpr std::uint8_t kRecallTemplate = 0x01;

// Picture-quality items (byte 4 of command 0x03).
namespace item {
inline constexpr std::uint8_t kBrightness = 0x00;
inline constexpr std::uint8_t kContrast = 0x01;
inline constexpr std::uint8_t kSaturation = 0x02;
inline constexpr std::uint8_t kDefinition = 0x03;
inline constexpr std::uint8_t kColourTemperature = 0x08;
inline constexpr std::uint8_t kGamma = 0x0B;
}  // namespace item

}  // namespace kov::sim
