#pragma once
// Loading a stored RIFF wave file into the sample buffer.
#include <string>

#include "control/Engine.h"

namespace parlomat {

// Shows its message and returns false when the file cannot be loaded. A data chunk of length 0
// raises SubscriptOutOfRange.
bool LoadWaveFile(Engine& e, const std::string& path);

}  // namespace parlomat
