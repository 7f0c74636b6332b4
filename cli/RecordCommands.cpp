// vocab and lang: list the records of vocabulary and language files, read-only.
#include "cli/CliContext.h"

namespace parlomat {

int vocabCommand(CliContext&, const Args&) { throw UsageError{"vocab: not available yet"}; }
int langCommand(CliContext&, const Args&) { throw UsageError{"lang: not available yet"}; }

}  // namespace parlomat
