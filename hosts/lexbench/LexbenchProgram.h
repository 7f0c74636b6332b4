#pragma once
// The Lexbench program around its main window: the window on the Qt runtime, its boxes centred
// on it, the listening colour along its top, and the end of the program. When the window has
// unloaded it is destroyed on the next pass of the event loop, and with it the control, whose
// shutdown also ends a capture loop that is running; the program ends when its last window
// (ComingSplash) closes, or at once on End.
#include <QApplication>
#include <functional>

#include "hosts/common/HostRuntime.h"
#include "hosts/lexbench/LexbenchWindow.h"

namespace parlomat::lexbench {

// Runs the program to its end and returns its exit status. `shown`, when given, is called once
// the window is shown (tests drive the window from there).
int runProgram(QApplication& app, hosts::HostRuntime& runtime,
               const std::function<void(LexbenchWindow&)>& shown = {});

}  // namespace parlomat::lexbench
