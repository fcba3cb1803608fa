#pragma once
// The link PROGRAM_DIR/ports/COM<N> through which the program finds the device's port.

#include <string>

namespace kov::sim {

// PROGRAM_DIR/ports/COM<N>.
std::string PortLinkPath(const std::string& dir, int port);

// Makes the ports folder if needed and points the link at target, replacing whatever link was
// there in one step. False with `error` on failure.
bool CreatePortLink(const std::string& linkPath, const std::string& target, std::string& error);

// Removes the link if it still points at target (another device may have taken it over).
void RemovePortLink(const std::string& linkPath, const std::string& target);

}  // namespace kov::sim
