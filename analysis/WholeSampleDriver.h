#pragma once
// Processing a whole loaded sample at once.
#include "control/Engine.h"

namespace parlomat {

void ProcessWholeSample(Engine& e);

}  // namespace parlomat
