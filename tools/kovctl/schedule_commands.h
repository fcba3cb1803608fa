#pragma once
// kovctl commands on online schedule files: show, check, next and run.

#include <string>
#include <vector>

#include "context.h"

namespace kovctl {

// schedule show FILE | schedule check FILE |
// schedule next FILE [--from "YYYY-MM-DD HH:MM:SS"] [--count N] | schedule run FILE
int RunSchedule(Context& context, const std::vector<std::string>& args);

}  // namespace kovctl
