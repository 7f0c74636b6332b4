#pragma once
// Utterances found while the listening cycle captures: the chunk timer looks at the buffer as it
// fills and, once it sees an utterance, hands its first five Word divisions to the segment
// analysis, whole or in pieces. Runs nested in the capture loop's wait for the device.
#include <cstdint>

#include "control/Engine.h"

namespace parlomat {

// One look at the buffer being captured (the chunk timer's work, only while chunkBusy is 0).
// Returns with the chunk timer still enabled while there is too little activity; once an
// utterance was found it waits voiceGrabDelay pump passes, processes it and disables the timer.
void DetectUtterance(Engine& e);

// Divides the grown buffer again and analyses Word divisions 1..5 (those inside sampleCount and
// at most 30000 positions long); every division gets its time length and division memory.
void ProcessUtterance(Engine& e);

// Stops the capture and plays positions a + 1 .. b - 2 back before they are analysed.
void EchoDivision(Engine& e, int32_t a, int32_t b);

}  // namespace parlomat
