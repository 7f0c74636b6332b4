#include "analysis/WholeSampleDriver.h"

namespace parlomat {

void ProcessWholeSample(Engine&) {}

}  // namespace parlomat
