#pragma once
// The listening cycle driven by Form1's two timers.
#include "control/Engine.h"

namespace parlomat {

// One tick of Timer5: a capture pass, buffer after buffer, until an exit.
void CaptureLoop(Engine& e);
// One tick of Timer3: looks for an utterance in the buffer being captured.
void ChunkTimerTick(Engine& e);

// Ends the capture pass running now, if any: its device is closed, which ends a wait for a
// buffer, and the pass returns quietly at its next check. The timers are left as they are.
void EndRunningPass(Engine& e);
// A capture pass holds the sample buffer: a capture loop runs or the input device is open.
bool PassHoldsBuffer(const Engine& e);

}  // namespace parlomat
