#pragma once
// The whole simulated platform: deterministic, no display, no sound card, no sleeps.
#include "platform/Platform.h"
#include "platform/sim/ScriptedDialogs.h"
#include "platform/sim/SimAudio.h"
#include "platform/sim/SimEventLoop.h"
#include "platform/sim/SimWindows.h"

namespace parlomat {

class SimPlatform {
 public:
  explicit SimPlatform(std::string controlFolder = ".");
  Platform& platform() { return platform_; }

  ScriptedDialogs dialogs;
  SimEventLoop loop;
  SimWaveIn waveIn{loop};
  SimWaveOut waveOut{loop};
  SimSoundPlayer sounds;
  DiskRecordFiles files;
  SimStatusWindow status;
  SimGraphWindow graph;
  SimControlWindows windows;
  MemorySystemColours colours;
  ComponentRegistry registry{ComponentServices{&colours}};
  SimPowerControl power;
  SimFontList fonts;

 private:
  Platform platform_;
};

}  // namespace parlomat
