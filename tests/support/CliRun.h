#pragma once
// parlomat-cli run in-process, with what it printed.
#include <sstream>
#include <string>
#include <vector>

#include "cli/CliApp.h"

namespace parlomat::testing {

struct CliRun {
  int status;
  std::string out, err;
};

inline CliRun cli(const std::vector<std::string>& args) {
  std::ostringstream out, err;
  int status = runCli(args, out, err);
  return {status, out.str(), err.str()};
}

inline bool startsWith(const std::string& s, const std::string& head) {
  return s.rfind(head, 0) == 0;
}

}  // namespace parlomat::testing
