#include "hosts/common/HostRuntime.h"

#include <QCoreApplication>

#include "control/Parlomat.h"

namespace parlomat::hosts {

HostRuntime::HostRuntime(const std::string& folder) : folder_(folder) {
  qt.platform().controlFolder = folder;
  engine = std::make_shared<Engine>(qt.platform());
  registerParlomat(qt.registry, engine);
}

HostRuntime::~HostRuntime() = default;

HostServices HostRuntime::services() {
  return HostServices{qt.registry, qt.dialogs, qt.files, folder_,
                      [] { QCoreApplication::exit(0); }};
}

}  // namespace parlomat::hosts
