#pragma once
// Everything a Qt host program runs on: the Qt platform, the recogniser's engine with the
// control's editor windows, and the control registered under its programmatic name. Create it
// after the QApplication, on its thread, and destroy the windows holding controls before it.
#include <memory>
#include <string>

#include "control/Engine.h"
#include "editors/EditorWindows.h"
#include "hosts/common/HostServices.h"
#include "platform/qt/QtPlatform.h"

namespace parlomat::hosts {

class HostRuntime {
 public:
  // `folder` is the program's folder; the control keeps its default files there too, since an
  // installed library folder is not writable.
  explicit HostRuntime(const std::string& folder);
  ~HostRuntime();

  QtPlatform qt;
  std::shared_ptr<Engine> engine;
  std::unique_ptr<editors::EditorWindows> editorWindows;

  HostServices services();

 private:
  std::string folder_;
};

}  // namespace parlomat::hosts
