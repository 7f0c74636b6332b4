#pragma once
// Drives the modal boxes a test opens: each action handles the next box that becomes the
// active modal widget. A box with no action left is rejected and reported, so no test hangs.
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/EventLoop.h"

namespace parlomat::testing {

class ModalScript {
 public:
  using Action = std::function<void(QWidget* box)>;
  ModalScript();
  ~ModalScript();

  void then(Action a) { actions_.push_back(std::move(a)); }
  size_t pending() const { return actions_.size(); }
  // Class names of the boxes that appeared with no action left for them.
  const std::vector<std::string>& unexpected() const { return unexpected_; }

 private:
  void poll();
  std::deque<Action> actions_;
  std::vector<std::string> unexpected_;
  QTimer timer_;
};

// A fresh folder under the system's temporary folder, removed at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

// A mono 8-bit PCM wave file of `samples` bytes of a 440 Hz tone.
void writeToneWave(const std::string& path, int rate, int samples);
// A PCM wave file with these frames (little-endian samples, channels interleaved) as its data.
void writeWave(const std::string& path, int rate, int channels, int bits,
               const std::vector<uint8_t>& data);
void writeText(const std::string& path, const std::string& text);

// Serves the loop's events until `done` holds or `timeoutMs` has passed; returns `done()`.
bool waitFor(EventLoop& loop, const std::function<bool()>& done, int timeoutMs);
// Serves the loop's events for `ms` milliseconds.
void serveFor(EventLoop& loop, int ms);

}  // namespace parlomat::testing
