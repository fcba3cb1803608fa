#pragma once
// kovctl commands for the mother board's offline tasks.

#include <string>
#include <vector>

#include "context.h"

namespace kovctl {

// task read N | task read all | task write N DATE TIME CYCLE DAYS TEMPLATE |
// task write --file FILE
int RunTask(Context& context, const std::vector<std::string>& args);

}  // namespace kovctl
