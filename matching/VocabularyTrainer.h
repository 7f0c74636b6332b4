#pragma once
// Training: appending the last processing as a named character to the vocabulary file to add.
#include "control/Engine.h"

namespace parlomat {

// Training mode: trains the processing, then scans it against every configured file.
void trainAndRescan(Engine& e);
// After a scan, when the user answered Yes to adding it.
void trainAfterScan(Engine& e);

// The title of the name prompt: "Wordno:3 Proc.no:2Vyan.no:1Deepvyan.no:0".
std::string trainingPromptTitle(const ControlState& s);

}  // namespace parlomat
