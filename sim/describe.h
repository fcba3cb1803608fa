#pragma once
// One readable line of what a command frame asks the device to do.

#include <cstdint>
#include <span>
#include <string>

#include "link/frame.h"

namespace kov::sim {

// E.g. "set capture window card 129: x=1920 y=0 w=1920 h=1080", "detect cards",
// "recall template 15", "read clock". The frame's checksum is not looked at.
std::string Describe(const CommandFrame& frame);

// Bytes as upper-case hex pairs separated by blanks.
std::string HexOf(std::span<const std::uint8_t> bytes);

}  // namespace kov::sim
