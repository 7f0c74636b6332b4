#pragma once
// Creates classes by programmatic name ("ParlomatActiveX.Parlomat", "Chromaset.ColorAttack").
// Classes of this program register a factory; others live in shared libraries that are loaded
// on first use and export `parlomat_create_component`.
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/Dispatch.h"

namespace parlomat {

class SystemColours;

// What the process lends to the classes it creates.
struct ComponentServices {
  SystemColours* colours = nullptr;
};

// The entry point a component library exports (C linkage, looked up by name).
using ComponentEntry = DispatchObject* (*)(const char* progId, ComponentServices* services);
inline constexpr const char* kComponentEntryName = "parlomat_create_component";

class ComponentRegistry {
 public:
  using Factory = std::function<std::unique_ptr<DispatchObject>()>;

  explicit ComponentRegistry(ComponentServices services) : services_(services) {}

  void registerFactory(const std::string& progId, Factory f);
  // Names the shared library (file name, such as "libChromaset.so") that provides progId.
  void registerLibrary(const std::string& progId, const std::string& libraryFile);
  // Folders searched for libraries, before PARLOMAT_COMPONENT_PATH, the program's folder and
  // the installed component folder.
  void addSearchFolder(const std::string& folder);

  // Raises DispatchError (cannot create) with the reason when the class cannot be made.
  std::unique_ptr<DispatchObject> create(const std::string& progId);

  // The folders searched for component libraries, in order.
  std::vector<std::string> searchFolders() const;

 private:
  ComponentEntry loadEntry(const std::string& libraryFile);

  ComponentServices services_;
  std::map<std::string, Factory> factories_;
  std::map<std::string, std::string> libraries_;
  std::map<std::string, ComponentEntry> loaded_;
  std::vector<std::string> extraFolders_;
};

// The library that holds a program's standard components.
void registerStandardComponents(ComponentRegistry& registry);

}  // namespace parlomat
