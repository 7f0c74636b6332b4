#pragma once
// The Tarnwick program around its windows: Form1 on the Qt runtime, its boxes centred on it, the
// listening colour along its top. When Form1 has unloaded it is destroyed (and Form2 with it) on
// the next pass of the event loop, and with it the control, whose shutdown also ends a capture
// loop that is running; then the program ends.
#include <QApplication>
#include <functional>

#include "hosts/common/HostRuntime.h"
#include "hosts/common/ProgramFolder.h"
#include "hosts/tarnwick/TarnwickWindows.h"

namespace parlomat::tarnwick {

// The program's folder inputs: those of every host program, with Tarnwick's example files among
// the bundled ones of a build tree.
hosts::FolderInputs tarnwickFolderInputs();

// Runs the program to its end and returns its exit status. `shown`, when given, is called once
// Form1 is shown.
int runProgram(QApplication& app, hosts::HostRuntime& runtime, PowerControl& power,
               const std::function<void(Form1&)>& shown = {});

}  // namespace parlomat::tarnwick
