#pragma once
// What every fuzz target shares: a fresh simulated platform and engine per input, whose boxes get
// the safe answer, and a scratch file of this process for readers that take a path.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "colours/ColorAttack.h"
#include "control/Engine.h"
#include "platform/sim/SimPlatform.h"

namespace parlomat::fuzz {

// Stops the run with a message libFuzzer reports as a crash: a property of the reader was broken.
[[noreturn]] inline void broken(const char* what) {
  std::fprintf(stderr, "property broken: %s\n", what);
  std::abort();
}
inline void require(bool ok, const char* what) {
  if (!ok) broken(what);
}

// A scratch folder of this process, removed at exit.
inline const std::filesystem::path& scratchFolder() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() /
             ("parlomat-fuzz-" + std::to_string(static_cast<long>(::getpid())));
    std::filesystem::create_directories(d);
    std::atexit([] {
      std::error_code ec;
      std::filesystem::remove_all(scratchFolder(), ec);
    });
    return d;
  }();
  return dir;
}

inline std::string writeScratch(const std::string& name, const uint8_t* data, size_t size) {
  const std::string path = (scratchFolder() / name).string();
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) broken("cannot write the scratch file");
  if (size > 0 && std::fwrite(data, 1, size, f) != size) broken("short scratch write");
  std::fclose(f);
  return path;
}

inline std::vector<uint8_t> readScratch(const std::string& path) {
  std::vector<uint8_t> out;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return out;
  uint8_t buf[65536];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.insert(out.end(), buf, buf + n);
  std::fclose(f);
  return out;
}

// A simulated platform and engine for one input. Boxes are answered No, OK or cancel; the colour
// class is made in-process instead of from its shared library.
struct World {
  World() : sim(scratchFolder().string()) {
    sim.dialogs.setStrict(false);
    sim.registry.registerFactory(ColorAttack::kProgId,
                                 [this] { return std::make_unique<ColorAttack>(sim.colours); });
    engine = std::make_shared<Engine>(sim.platform());
  }
  SimPlatform sim;
  std::shared_ptr<Engine> engine;
};

}  // namespace parlomat::fuzz
