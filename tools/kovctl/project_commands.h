#pragma once
// kovctl commands on project-format files and on the card configuration of the program
// directory.

#include <string>
#include <vector>

#include "context.h"
#include "store/card_records.h"
#include "store/project_file.h"

namespace kovctl {

// Builds the records the program would start with: the card configuration of
// "Board Config.ini" and the defaults of "InitInfo.ini" in the program directory. Prints
// which file could not be read and returns false when either is missing.
bool LoadProgramRecords(const Context& context, kov::CardRecords& records);

// Tells on stderr when reading stopped early at an unknown card ID; the records before that
// line were applied.
void WarnStopped(const kov::ProjectReadReport& report);

// project show FILE | project convert IN OUT | project check FILE
int RunProject(Context& context, const std::vector<std::string>& args);

// config detect: detects the cards and writes "Board Config.ini".
int RunConfigDetect(Context& context);

}  // namespace kovctl
