#include "support/TestSupport.h"

#include <fstream>
#include <random>

namespace parlomat::testing {

namespace {
std::filesystem::path makeTempDir() {
  static std::mt19937_64 rng{std::random_device{}()};
  auto base = std::filesystem::temp_directory_path();
  for (;;) {
    auto d = base / ("parlomat-test-" + std::to_string(rng()));
    if (std::filesystem::create_directory(d)) return d;
  }
}
}  // namespace

SimFixture::SimFixture() : dir(makeTempDir()), sim(makeTempDir().string()) {
  sim.dialogs.onUnexpected = [](const DialogRecord& r) {
    ADD_FAILURE() << "unexpected box [" << r.title << "] " << r.text;
  };
  engine = std::make_shared<Engine>(sim.platform());
}

SimFixture::~SimFixture() {
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  std::filesystem::remove_all(sim.platform().controlFolder, ec);
}

std::vector<DialogRecord> SimFixture::takeBoxes() {
  auto boxes = sim.dialogs.shown();
  sim.dialogs.clear();
  return boxes;
}

std::vector<uint8_t> readFile(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

void writeFile(const std::filesystem::path& p, const std::vector<uint8_t>& bytes) {
  std::ofstream f(p, std::ios::binary);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

namespace {
void put32(std::vector<uint8_t>& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void put16(std::vector<uint8_t>& v, uint16_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
void tag(std::vector<uint8_t>& v, const char* t) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(t[i]));
}
}  // namespace

std::vector<uint8_t> waveFileBytes(const std::vector<uint8_t>& data, int rate) {
  std::vector<uint8_t> v;
  tag(v, "RIFF");
  put32(v, static_cast<uint32_t>(4 + 8 + 16 + 8 + data.size() + (data.size() & 1)));
  tag(v, "WAVE");
  tag(v, "fmt ");
  put32(v, 16);
  put16(v, 1);
  put16(v, 1);
  put32(v, static_cast<uint32_t>(rate));
  put32(v, static_cast<uint32_t>(rate));
  put16(v, 1);
  put16(v, 8);
  tag(v, "data");
  put32(v, static_cast<uint32_t>(data.size()));
  v.insert(v.end(), data.begin(), data.end());
  if (data.size() & 1) v.push_back(0);
  return v;
}

}  // namespace parlomat::testing
