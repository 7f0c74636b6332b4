#pragma once
// Shared test scaffolding: a simulated platform whose unexpected boxes fail the test, a temporary
// folder, and small file helpers.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "control/Parlomat.h"
#include "platform/sim/SimPlatform.h"

namespace parlomat::testing {

// A fresh simulated platform and engine per test; a box the test did not answer fails it.
class SimFixture : public ::testing::Test {
 protected:
  SimFixture();
  ~SimFixture() override;

  // The answer to the next box (see ScriptedDialogs::answer).
  void answer(const std::string& a) { sim.dialogs.answer(a); }
  // The boxes shown so far, then forgets them.
  std::vector<DialogRecord> takeBoxes();
  std::string path(const std::string& name) const { return (dir / name).string(); }

  std::filesystem::path dir;
  SimPlatform sim;
  std::shared_ptr<Engine> engine;
};

std::vector<uint8_t> readFile(const std::filesystem::path& p);
void writeFile(const std::filesystem::path& p, const std::vector<uint8_t>& bytes);

// A mono 8-bit PCM wave file around `data`.
std::vector<uint8_t> waveFileBytes(const std::vector<uint8_t>& data, int rate = 22050);

}  // namespace parlomat::testing
