#pragma once
// The platform bundle of a Qt program. Dialogs, the event loop, sound cues, system colours and
// fonts are Qt's; the wave devices are simulated on the real clock (a virtual microphone) and the
// control's windows and the power request are recording stand-ins until their Qt versions come.
// Create it after the QApplication, on its thread.
#include <string>

#include "platform/Platform.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtFontList.h"
#include "platform/qt/QtSoundPlayer.h"
#include "platform/qt/QtSystemColours.h"
#include "platform/qt/RealTimeSimAudio.h"
#include "platform/sim/SimWindows.h"

namespace parlomat {

class QtPlatform {
 public:
  QtPlatform();
  Platform& platform() { return platform_; }

  QtDialogs dialogs;
  QtEventLoop loop;
  RealTimeSimAudio audio{loop};
  QtSoundPlayer sounds;
  DiskRecordFiles files;
  SimStatusWindow status;
  SimGraphWindow graph;
  SimControlWindows windows;
  QtSystemColours colours;
  ComponentRegistry registry{ComponentServices{&colours}};
  SimPowerControl power;
  QtFontList fonts;

 private:
  Platform platform_;
};

}  // namespace parlomat
