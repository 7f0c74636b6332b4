#include "hosts/common/ProgramFolder.h"

#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

#ifndef PARLOMAT_INSTALLED_DATA_REL
#define PARLOMAT_INSTALLED_DATA_REL "../share/parlomat"
#endif
#ifndef PARLOMAT_SOURCE_DATA
#define PARLOMAT_SOURCE_DATA ""
#endif

namespace parlomat::hosts {

namespace {

bool writable(const std::string& folder) {
  return !folder.empty() && ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::string dataFolder(const FolderInputs& in) {
  // A relative XDG_DATA_HOME is invalid and must be ignored.
  if (!in.xdgDataHome.empty() && in.xdgDataHome.front() == '/') {
    return (fs::path(in.xdgDataHome) / "parlomat").string();
  }
  return (fs::path(in.home) / ".local" / "share" / "parlomat").string();
}

}  // namespace

int seedFolder(const std::string& folder, const std::string& examples) {
  int copied = 0;
  const fs::path from(examples);
  for (auto it = fs::recursive_directory_iterator(from); it != fs::recursive_directory_iterator();
       ++it) {
    const fs::path target = fs::path(folder) / fs::relative(it->path(), from);
    if (it->is_directory()) {
      fs::create_directories(target);
    } else if (!fs::exists(target)) {
      fs::copy_file(it->path(), target);
      ++copied;
    }
  }
  return copied;
}

ProgramFolder resolveProgramFolder(const FolderInputs& in) {
  ProgramFolder out;
  std::error_code ec;
  out.installed = (!in.installedMarker.empty() && fs::is_directory(in.installedMarker, ec)) ||
                  !writable(in.exeFolder);
  out.folder = out.installed ? dataFolder(in) : in.exeFolder;
  if (out.installed) {
    fs::create_directories(out.folder, ec);
    if (ec) {
      out.problem = "The folder " + out.folder + " could not be created: " + ec.message();
      return out;
    }
  }
  for (const auto& set : in.exampleSets) {
    bool found = false;
    for (const std::string& examples : set) {
      if (examples.empty() || !fs::is_directory(examples, ec)) continue;
      found = true;
      try {
        out.filesSeeded += seedFolder(out.folder, examples);
      } catch (const fs::filesystem_error& e) {
        out.problem =
            "The example files could not all be copied into " + out.folder + ": " + e.what();
      }
    }
    if (found) break;
  }
  return out;
}

FolderInputs currentFolderInputs() {
  FolderInputs in;
  char exe[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) {
    exe[n] = '\0';
    in.exeFolder = fs::path(exe).parent_path().string();
  } else {
    in.exeFolder = fs::current_path().string();
  }
  if (const char* x = std::getenv("XDG_DATA_HOME")) in.xdgDataHome = x;
  if (const char* h = std::getenv("HOME")) in.home = h;
  const fs::path shared = (fs::path(in.exeFolder) / PARLOMAT_INSTALLED_DATA_REL).lexically_normal();
  in.installedMarker = shared.string();
  // Installed, the examples of the whole system share one folder; in the build tree they are the
  // source tree's data/examples and the hosts' own example files.
  in.exampleSets = {{(shared / "examples").string()}};
  if (const std::string data = PARLOMAT_SOURCE_DATA; !data.empty()) {
    in.exampleSets.push_back({data + "/examples", data + "/lexbench/examples"});
  }
  return in;
}

}  // namespace parlomat::hosts
