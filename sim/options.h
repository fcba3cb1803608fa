#pragma once
// The command line of kov-sim.

#include <optional>
#include <string>
#include <vector>

#include "sim_device.h"

namespace kov::sim {

struct SimOptions {
    std::string dir;        // program directory; the port link goes in dir/ports/
    int port = 0;           // COM number, 1-99
    SimConfig device;       // rack, mother board ID, fault
    bool fast = false;      // no 9600-baud pacing
    std::string statePath;  // empty: no state file
};

// Parses the arguments after the program name. On a mistake returns nothing and sets error.
std::optional<SimOptions> ParseOptions(const std::vector<std::string>& args, std::string& error);

// "slot:id,slot:id,..." with slots 1-14 and IDs 0-255; unlisted slots are empty.
std::optional<Rack> ParseRack(const std::string& text, std::string& error);

// The usage text printed on a bad command line.
std::string Usage();

}  // namespace kov::sim
