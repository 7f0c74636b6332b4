#include "platform/ComponentRegistry.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <filesystem>

#ifndef PARLOMAT_COMPONENT_DIR
#define PARLOMAT_COMPONENT_DIR "/usr/local/lib/parlomat"
#endif

namespace parlomat {

void ComponentRegistry::registerFactory(const std::string& progId, Factory f) {
  factories_[progId] = std::move(f);
}

void ComponentRegistry::registerLibrary(const std::string& progId, const std::string& libraryFile) {
  libraries_[progId] = libraryFile;
}

void ComponentRegistry::addSearchFolder(const std::string& folder) {
  extraFolders_.push_back(folder);
}

std::vector<std::string> ComponentRegistry::searchFolders() const {
  std::vector<std::string> out = extraFolders_;
  if (const char* env = std::getenv("PARLOMAT_COMPONENT_PATH")) {
    std::string s = env;
    size_t start = 0;
    while (start <= s.size()) {
      size_t end = s.find(':', start);
      if (end == std::string::npos) end = s.size();
      if (end > start) out.push_back(s.substr(start, end - start));
      start = end + 1;
    }
  }
  char exe[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n > 0) {
    exe[n] = '\0';
    std::filesystem::path dir = std::filesystem::path(exe).parent_path();
    out.push_back(dir.string());
    out.push_back((dir / ".." / "lib" / "parlomat").lexically_normal().string());
  }
  out.push_back(PARLOMAT_COMPONENT_DIR);
  return out;
}

ComponentEntry ComponentRegistry::loadEntry(const std::string& libraryFile) {
  if (auto it = loaded_.find(libraryFile); it != loaded_.end()) return it->second;
  std::string reasons;
  for (const auto& folder : searchFolders()) {
    std::filesystem::path candidate = std::filesystem::path(folder) / libraryFile;
    std::error_code ec;
    if (!std::filesystem::exists(candidate, ec)) continue;
    // Libraries stay loaded for the life of the process: objects they made may still be alive.
    void* handle = dlopen(candidate.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
      reasons += std::string("; ") + dlerror();
      continue;
    }
    auto entry = reinterpret_cast<ComponentEntry>(dlsym(handle, kComponentEntryName));
    if (!entry) {
      reasons += "; " + candidate.string() + " has no " + kComponentEntryName;
      continue;
    }
    loaded_[libraryFile] = entry;
    return entry;
  }
  throw DispatchError(errors::kCannotCreate,
                      "Cannot create component " + libraryFile + " not found" + reasons);
}

std::unique_ptr<DispatchObject> ComponentRegistry::create(const std::string& progId) {
  if (auto it = factories_.find(progId); it != factories_.end()) return it->second();
  auto lib = libraries_.find(progId);
  if (lib == libraries_.end()) {
    throw DispatchError(errors::kCannotCreate, "Cannot create component " + progId);
  }
  ComponentEntry entry = loadEntry(lib->second);
  std::unique_ptr<DispatchObject> obj(entry(progId.c_str(), &services_));
  if (!obj) {
    throw DispatchError(errors::kCannotCreate, "Cannot create component " + progId);
  }
  return obj;
}

void registerStandardComponents(ComponentRegistry& registry) {
  registry.registerLibrary("Chromaset.ColorAttack", "libChromaset.so");
}

}  // namespace parlomat
