#include "control/ListeningCycle.h"

namespace parlomat {

// Capture passes arrive with the live recorder; until then a tick has nothing to do.
void CaptureLoop(Engine&) {}

void ChunkTimerTick(Engine& e) {
  e.timer3->setInterval(5);
}

}  // namespace parlomat
