#pragma once
// What a host window is given: where to create its control, how to ask the user, how to open
// its record files, its program folder and how to end the program. Tests pass simulated ones.
#include <functional>
#include <string>

#include "platform/ComponentRegistry.h"
#include "platform/Dialogs.h"
#include "platform/RecordFile.h"

namespace parlomat::hosts {

struct HostServices {
  ComponentRegistry& registry;
  Dialogs& dialogs;
  RecordFiles& files;
  std::string folder;  // the program's folder, without a trailing separator
  // Ends the program at once; the default quits the application's event loop.
  std::function<void()> endProgram;

  // The program's folder, the separator and a name.
  std::string inFolder(const std::string& name) const { return folder + "/" + name; }
};

}  // namespace parlomat::hosts
