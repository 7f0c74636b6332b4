#pragma once
// The platform bundle of a Qt program. Dialogs, the event loop, the wave devices, sound cues,
// the status window and audio graph, system colours and fonts are Qt's; the editors and the power
// request are recording stand-ins until their Qt versions come. With the environment variable
// PARLOMAT_CAPTURE_FILE naming a wave file, the input device is a virtual microphone that plays
// that file in real time instead of the sound card. Create it after the QApplication, on its
// thread; a program that used its audio ends with exitAfterAudio() (QtExit.h).
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/qt/QtDialogs.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtFontList.h"
#include "platform/qt/QtGraphWindow.h"
#include "platform/qt/QtSoundPlayer.h"
#include "platform/qt/QtStatusWindow.h"
#include "platform/qt/QtSystemColours.h"
#include "platform/qt/QtWaveIn.h"
#include "platform/qt/QtWaveOut.h"
#include "platform/qt/VirtualMicrophone.h"
#include "platform/sim/SimWindows.h"

namespace parlomat {

class QtPlatform {
 public:
  static constexpr const char* kCaptureFileVariable = "PARLOMAT_CAPTURE_FILE";

  QtPlatform();
  Platform& platform() { return platform_; }

  QtDialogs dialogs;
  QtEventLoop loop;
  QtWaveIn soundCard;
  // Set when PARLOMAT_CAPTURE_FILE names a file; it is then the input device.
  std::unique_ptr<VirtualMicrophone> microphone;
  QtWaveOut speaker;
  QtSoundPlayer sounds;
  DiskRecordFiles files;
  QtStatusWindow status;
  QtGraphWindow graph;
  SimControlWindows windows;
  QtSystemColours colours;
  ComponentRegistry registry{ComponentServices{&colours}};
  SimPowerControl power;
  QtFontList fonts;

 private:
  Platform platform_;
};

}  // namespace parlomat
