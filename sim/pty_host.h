#pragma once
// Runs the virtual device on a pseudo-terminal offered as PROGRAM_DIR/ports/COM<N>.

#include "options.h"

namespace kov::sim {

// Serves frames until SIGINT, SIGTERM or SIGHUP, then removes the port link. Returns the
// process exit code: 0 after a signal, 1 when the port could not be set up.
int RunHost(const SimOptions& options);

}  // namespace kov::sim
