#pragma once
// The version of the program and its tools, as the build names it.

namespace kov {

// "1.0.0" and the like.
const char* ProgramVersion();

}  // namespace kov
