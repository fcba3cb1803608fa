#pragma once
// The virtual device as a state machine: one checked frame in, the state changed, a line of
// description and possibly a reply out. No input or output of its own.

#include <cstdint>
#include <string>
#include <vector>

#include "device_state.h"
#include "fault.h"
#include "link/frame.h"
#include "platform/clock.h"

namespace kov::sim {

struct SimConfig {
    std::uint8_t motherBoardId = 0;
    Rack rack = DefaultRack();
    Fault fault = Fault::kNone;
};

// What the device made of one frame.
struct Outcome {
    bool accepted = false;            // false: rejected, only the counter changed
    std::string description;          // meaning, with a note when ignored and the reply sent
    std::vector<std::uint8_t> reply;  // bytes to send back, after the fault; empty for none
};

class SimDevice {
public:
    // The device clock starts at the host's local time read from `clock`.
    SimDevice(const SimConfig& config, const Clock& clock);

    // Checks header and checksum; a bad frame is counted and not acted on.
    Outcome Handle(const CommandFrame& frame);

    // Counts bytes that never became a whole frame (no header, cut off).
    void CountRejected() { ++state_.rejected; }

    const DeviceState& state() const { return state_; }

    // The device clock now.
    DateTime ClockNow() const;

private:
    // Each returns a note for the description, empty when the command was carried out plainly.
    std::string HandleMotherBoard(const CommandFrame& frame, std::vector<std::uint8_t>& reply);
    std::string HandleQuery(const CommandFrame& frame, std::vector<std::uint8_t>& reply);
    std::string HandleWriteTask(const CommandFrame& frame);
    std::string HandleSetClock(const CommandFrame& frame);
    std::string HandleTemplate(const CommandFrame& frame);
    std::string HandleCardCommand(const CommandFrame& frame);
    std::string FactoryReset();

    SimConfig config_;
    const Clock& clock_;
    DeviceState state_;
};

}  // namespace kov::sim
