#pragma once
// The program's folder: where a host keeps its settings and data files and where the paths it
// hands the control start. A program run from a folder it may write that is not an installation
// (a build tree) uses that folder. An installed program uses the per-user data folder
// $XDG_DATA_HOME/parlomat (~/.local/share/parlomat by default), created when missing. Either way
// the folder is seeded with the bundled example files it lacks; files already there are kept.
#include <string>
#include <vector>

namespace parlomat::hosts {

struct FolderInputs {
  std::string exeFolder;        // the folder of the running program
  std::string xdgDataHome;      // $XDG_DATA_HOME, empty when unset
  std::string home;             // $HOME
  std::string installedMarker;  // exists only in an installation (its shared data folder)
  // Sets of folders of bundled example files: the first set with a folder that exists is used,
  // every existing folder of it copied.
  std::vector<std::vector<std::string>> exampleSets;
};

struct ProgramFolder {
  std::string folder;
  bool installed = false;
  int filesSeeded = 0;
  std::string problem;  // why the folder could not be made or seeded, empty when all went well
};

// Chooses, creates and seeds the folder.
ProgramFolder resolveProgramFolder(const FolderInputs& in);

// The inputs of the running program, from its location, its environment and where the build
// put the bundled examples.
FolderInputs currentFolderInputs();

// Copies into `folder` each file under `examples` that it lacks (sub-folders too); returns the
// number of files copied. Raises std::filesystem::filesystem_error.
int seedFolder(const std::string& folder, const std::string& examples);

}  // namespace parlomat::hosts
