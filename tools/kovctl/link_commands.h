#pragma once
// kovctl commands that talk to the device over the link.

#include <string>
#include <vector>

#include "context.h"

namespace kovctl {

int RunPorts(Context& context);
int RunSend(Context& context, const std::vector<std::string>& bytes);
int RunDetect(Context& context);
int RunClock(Context& context, const std::string& action);

// Parses a whole decimal number in [low, high].
std::optional<int> ParseNumber(const std::string& text, int low, int high);

}  // namespace kovctl
