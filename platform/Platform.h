#pragma once
// Everything the recogniser reaches of the desktop, in one bundle. Every pointer is set.
#include <string>

#include "platform/Audio.h"
#include "platform/ComponentRegistry.h"
#include "platform/Dialogs.h"
#include "platform/EventLoop.h"
#include "platform/RecordFile.h"
#include "platform/SystemColours.h"
#include "platform/Windows.h"

namespace parlomat {

struct Platform {
  Dialogs* dialogs = nullptr;
  EventLoop* loop = nullptr;
  WaveInDevice* waveIn = nullptr;
  WaveOutDevice* waveOut = nullptr;
  SoundPlayer* sounds = nullptr;
  RecordFiles* files = nullptr;
  StatusWindow* status = nullptr;
  GraphWindow* graph = nullptr;
  ControlWindows* windows = nullptr;
  SystemColours* colours = nullptr;
  ComponentRegistry* registry = nullptr;
  PowerControl* power = nullptr;
  FontList* fonts = nullptr;
  // The folder of the control's own library; the default vocabulary file "New.SAY" lives there.
  std::string controlFolder;
  char separator = '/';
};

}  // namespace parlomat
