#include "hosts/common/HostRuntime.h"

#include <QCoreApplication>

#include "control/Parlomat.h"

namespace parlomat::hosts {

HostRuntime::HostRuntime(const std::string& folder) : folder_(folder) {
  qt.platform().controlFolder = folder;
  engine = std::make_shared<Engine>(qt.platform());
  editorWindows = std::make_unique<editors::EditorWindows>(*engine);
  qt.platform().windows = editorWindows.get();
  registerParlomat(qt.registry, engine);
}

HostRuntime::~HostRuntime() {
  qt.platform().windows = &qt.windows;
  editorWindows.reset();
}

HostServices HostRuntime::services() {
  return HostServices{qt.registry, qt.dialogs, qt.files, folder_,
                      [] { QCoreApplication::exit(0); }};
}

}  // namespace parlomat::hosts
