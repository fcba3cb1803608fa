#pragma once
// kovctl commands that push the program's card records to the device: synchronisation and
// the device templates.

#include <string>
#include <vector>

#include "context.h"

namespace kovctl {

// sync [FILE]: the records the program starts with (card configuration and defaults of the
// program directory), FILE read into them when given, sent to the device as a whole. A card
// whose picture the records do not show (inputPicShow / outputPicshow 0) goes out hidden.
int RunSync(Context& context, const std::vector<std::string>& args);

// The work of sync: file, when not null, read into the program's starting records, then the
// records sent to the device. Prints what failed.
int SynchroniseFile(Context& context, const std::string* file);

// template recall N | template store N, N = 1-15. Recall reads "Mode<N>.ini" into the
// program's starting records and says whether the file was read or missing; store writes
// those records (the defaults of the program directory) to "Mode<N>.ini".
int RunTemplate(Context& context, const std::vector<std::string>& args);

}  // namespace kovctl
