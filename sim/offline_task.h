#pragma once
// Unpacking the write-offline-task command (0x1A) into the task the mother board stores.

#include <cstdint>
#include <string>

#include "device_state.h"
#include "link/frame.h"

namespace kov::sim {

struct TaskWrite {
    int index = 0;  // byte 4: task number 0-127 (anything above is out of range)
    OfflineTask task;
};

// b5 = (year - 2000) * 2 + month bit 3, b6 = (month & 7) * 32 + day, b7-b9 = time,
// b10 = cycle * 16 + template - 1, b11 = weekday bits.
TaskWrite UnpackTask(const CommandFrame& frame);

// "2013-12-31 08:30:00 cycle=3 days=0x22 template=2".
std::string FormatTask(const OfflineTask& task);

}  // namespace kov::sim
