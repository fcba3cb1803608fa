#pragma once
// The device's state as a text file that tests can read back.

#include <string>

#include "device_state.h"

namespace kov::sim {

// The whole state as "key=value" lines (format described in state_file.cpp).
std::string FormatState(const DeviceState& state, const DateTime& clockNow);

// Writes text to path.tmp and renames it over path, so a reader never sees half a file.
bool WriteStateFile(const std::string& path, const std::string& text);

}  // namespace kov::sim
