#pragma once
// parlomat-cli as a library: run() takes the arguments after the program name and writes to the
// given streams, so tests drive it in-process.
#include <iosfwd>
#include <string>
#include <vector>

namespace parlomat {

// Exit statuses: 0 success, 1 the work failed (a file could not be loaded), 2 bad usage.
int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

struct CliContext;
// The same on a context the caller made, which stays alive afterwards for inspection.
int runCli(CliContext& c, const std::vector<std::string>& args);

}  // namespace parlomat
