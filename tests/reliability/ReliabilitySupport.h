#pragma once
// Shared by the reliability tests: generated speech, record files of known contents, a private
// folder, and the process's own counts of memory and open descriptors.
#include <malloc.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "matching/RecordFixtures.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer's allocator replaces malloc's and keeps its own count.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace parlomat::testing {

// A folder of its own, removed with everything in it.
class ScratchFolder {
 public:
  explicit ScratchFolder(const std::string& tag) {
    static std::mt19937_64 rng{std::random_device{}()};
    auto base = std::filesystem::temp_directory_path();
    do {
      path_ = base / ("parlomat-" + tag + "-" + std::to_string(rng()));
    } while (!std::filesystem::create_directory(path_));
  }
  ~ScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// Speech as the microphone hears it, word after word: silence is 128; a word is a square wave or
// a tone of the given loudness, long enough for the division finder to see it.
class SpeechMaker {
 public:
  explicit SpeechMaker(uint64_t seed) : rng_(seed) {}

  int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }

  void silence(std::vector<uint8_t>& out, int n) {
    out.insert(out.end(), static_cast<size_t>(n), 128);
  }

  // One word of `n` positions: a square wave of random period and loudness, or a decaying tone.
  void word(std::vector<uint8_t>& out, int n) {
    const int loudness = uniform(45, 110);
    if (uniform(0, 2) > 0) {
      const int half = uniform(8, 30);
      for (int i = 0; i < n; ++i) {
        out.push_back(static_cast<uint8_t>(128 + ((i / half) % 2 ? loudness : -loudness)));
      }
      return;
    }
    const double step = 0.2 + uniform(0, 100) / 200.0;
    for (int i = 0; i < n; ++i) {
      const double v = loudness * std::sin(i * step) * (1.0 - 0.3 * i / n);
      out.push_back(static_cast<uint8_t>(128 + static_cast<int>(v)));
    }
  }

  // An utterance of one to three words filling about `positions` positions, after `lead` positions
  // of silence.
  std::vector<uint8_t> utterance(int positions, int lead) {
    std::vector<uint8_t> out;
    silence(out, lead);
    const int words = uniform(1, 3);
    const int loud = positions * 3 / 5;
    for (int w = 0; w < words; ++w) {
      word(out, loud / words);
      silence(out, uniform(120, 300));
    }
    if (static_cast<int>(out.size()) < lead + positions) {
      silence(out, lead + positions - static_cast<int>(out.size()));
    }
    return out;
  }

  std::mt19937_64& rng() { return rng_; }

 private:
  std::mt19937_64 rng_;
};

// Bytes in use by the allocator, and the descriptors this process has open.
inline size_t heapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  return __sanitizer_get_current_allocated_bytes();
#else
  return mallinfo2().uordblks;
#endif
}
inline int openDescriptors() {
  int n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
    ++n;
  return n;
}

}  // namespace parlomat::testing
