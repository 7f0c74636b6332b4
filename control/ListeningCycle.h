#pragma once
// The listening cycle driven by Form1's two timers.
#include "control/Engine.h"

namespace parlomat {

// One tick of Timer5: a capture pass, buffer after buffer, until an exit.
void CaptureLoop(Engine& e);
// One tick of Timer3: looks for an utterance in the buffer being captured.
void ChunkTimerTick(Engine& e);

}  // namespace parlomat
