#pragma once
// Moving sound between the devices and the sample buffer.
#include "control/Engine.h"

namespace parlomat {

// Stops and closes the capture device; harmless when nothing is open.
void StopCapture(Engine& e);
// Plays sampleBuffer from start + 1 to end - 2 and waits until it has been heard.
void PlaySegment(Engine& e, int32_t start, int32_t end);

}  // namespace parlomat
