#pragma once
// What every parlomat-cli command works with: the output streams, the simulated platform, the
// shared engine and the one control instance.
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

#include "control/Parlomat.h"
#include "platform/sim/SimPlatform.h"

namespace parlomat {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the work failed (a file could not be loaded or read)
inline constexpr int kExitUsage = 2;   // the command line was wrong

// A problem with the command line itself: reported with the usage status.
struct UsageError {
  std::string message;
};

struct CliContext {
  CliContext(std::ostream& out, std::ostream& err);
  ~CliContext();
  Parlomat& control();

  std::ostream& out;
  std::ostream& err;
  SimPlatform sim;
  std::shared_ptr<Engine> engine;
  std::unique_ptr<ControlWindows> windows;  // reports the editors the control would open

 private:
  std::unique_ptr<Parlomat> control_;
};

using Args = std::vector<std::string>;

// Commands, each in its own file.
int membersCommand(CliContext& c, const Args& args);
int getCommand(CliContext& c, const Args& args);
int processCommand(CliContext& c, const Args& args);
int vocabCommand(CliContext& c, const Args& args);
int langCommand(CliContext& c, const Args& args);
int listenCommand(CliContext& c, const Args& args);

}  // namespace parlomat
