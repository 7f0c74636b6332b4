#pragma once
// How Tarnwick asks the system to shut down or restart. On Linux the request goes to logind over
// the system bus (PowerOff or Reboot, interactive, so that polkit may ask the user), and when
// logind cannot be asked or refuses, to `systemctl poweroff` or `systemctl reboot`. A dry run
// (TARNWICK_DRY_RUN=1) only prints the request. No request's outcome reaches the caller.
#include <QStringList>
#include <functional>
#include <memory>
#include <ostream>

#include "platform/Windows.h"

namespace parlomat::tarnwick {

class SystemPowerControl : public PowerControl {
 public:
  // How the two ways are reached; tests pass their own.
  struct Backend {
    // Calls the logind manager's method ("PowerOff" or "Reboot") with interactive = true;
    // true when logind accepted it.
    std::function<bool(const QString& method)> logind;
    // Starts systemctl with these arguments and does not wait for it.
    std::function<void(const QStringList& arguments)> systemctl;
  };
  static Backend systemBackend();

  explicit SystemPowerControl(Backend backend = systemBackend()) : backend_(std::move(backend)) {}
  void request(Request r) override;

 private:
  Backend backend_;
};

// Prints "power-request: shutdown" or "power-request: restart" as one line and does nothing else.
class DryRunPowerControl : public PowerControl {
 public:
  explicit DryRunPowerControl(std::ostream& out) : out_(out) {}
  void request(Request r) override;

 private:
  std::ostream& out_;
};

inline constexpr const char* kDryRunVariable = "TARNWICK_DRY_RUN";

// The dry run writing to `out` when TARNWICK_DRY_RUN is "1", else the system's request.
std::unique_ptr<PowerControl> makePowerControl(std::ostream& out);

}  // namespace parlomat::tarnwick
