#include "offline_task.h"

#include <cstdio>
#include <string>

#include "device_clock.h"

namespace kov::sim {

TaskWrite UnpackTask(const CommandFrame& frame) {
    TaskWrite write;
    write.index = frame[4];
    OfflineTask& task = write.task;
    task.written = true;
    task.when.year = 2000 + (frame[5] >> 1);
    task.when.month = ((frame[5] & 0x01) << 3) | (frame[6] >> 5);
    task.when.day = frame[6] & 0x1F;
    task.when.hour = frame[7];
    task.when.minute = frame[8];
    task.when.second = frame[9];
    task.cycle = frame[10] >> 4;
    task.templateNumber = (frame[10] & 0x0F) + 1;
    task.weekdays = frame[11];
    return write;
}

std::string FormatTask(const OfflineTask& task) {
    char tail[64];
    std::snprintf(tail, sizeof tail, " cycle=%d days=0x%02X template=%d", task.cycle,
                  static_cast<unsigned>(task.weekdays), task.templateNumber);
    return FormatDateTime(task.when) + tail;
}

}  // namespace kov::sim
