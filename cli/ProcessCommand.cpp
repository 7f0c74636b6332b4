// process: recognise a stored recording.
#include "cli/CliContext.h"

namespace parlomat {

int processCommand(CliContext&, const Args&) { throw UsageError{"process: not available yet"}; }

}  // namespace parlomat
