#pragma once
// Loading a stored RIFF wave file into the sample buffer.
#include <string>

#include "control/Engine.h"

namespace parlomat {

// Loads the "data" chunk of a RIFF WAVE file into sampleBuffer, as bytes whatever the format,
// once the wave-output device accepts the file's format. Shows its message and returns false when
// the file cannot be loaded. A data chunk of length 0 raises SubscriptOutOfRange. No file, however
// malformed, is read past its end; a data chunk cut short by the end of the file loads the bytes
// that are there.
bool LoadWaveFile(Engine& e, const std::string& path);

}  // namespace parlomat
