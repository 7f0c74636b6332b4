#include "tests/qt/QtTestSupport.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <cmath>
#include <fstream>
#include <random>

namespace parlomat::testing {

namespace {
const char* const kHandled = "parlomatScripted";
}

ModalScript::ModalScript() {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { poll(); });
  timer_.start();
}

ModalScript::~ModalScript() = default;

void ModalScript::poll() {
  QWidget* box = QApplication::activeModalWidget();
  if (!box || box->property(kHandled).toBool()) return;
  box->setProperty(kHandled, true);
  if (actions_.empty()) {
    unexpected_.push_back(box->metaObject()->className());
    if (auto* dialog = qobject_cast<QDialog*>(box)) dialog->reject();
    return;
  }
  Action a = std::move(actions_.front());
  actions_.pop_front();
  a(box);
}

TempFolder::TempFolder() {
  std::random_device rd;
  dir_ = std::filesystem::temp_directory_path() / ("parlomat-qt-" + std::to_string(rd()));
  std::filesystem::create_directories(dir_);
}

TempFolder::~TempFolder() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

namespace {
void put16(std::ofstream& f, uint16_t v) {
  f.put(static_cast<char>(v & 0xFF)).put(static_cast<char>(v >> 8));
}
void put32(std::ofstream& f, uint32_t v) {
  put16(f, static_cast<uint16_t>(v & 0xFFFF));
  put16(f, static_cast<uint16_t>(v >> 16));
}
}  // namespace

void writeToneWave(const std::string& path, int rate, int samples) {
  std::ofstream f(path, std::ios::binary);
  f.write("RIFF", 4);
  put32(f, static_cast<uint32_t>(36 + samples));
  f.write("WAVEfmt ", 8);
  put32(f, 16);
  put16(f, 1);
  put16(f, 1);
  put32(f, static_cast<uint32_t>(rate));
  put32(f, static_cast<uint32_t>(rate));
  put16(f, 1);
  put16(f, 8);
  f.write("data", 4);
  put32(f, static_cast<uint32_t>(samples));
  for (int i = 0; i < samples; ++i) {
    f.put(static_cast<char>(128 + std::lround(60 * std::sin(2 * M_PI * 440.0 * i / rate))));
  }
}

void writeWave(const std::string& path, int rate, int channels, int bits,
               const std::vector<uint8_t>& data) {
  std::ofstream f(path, std::ios::binary);
  const int block = channels * bits / 8;
  f.write("RIFF", 4);
  put32(f, static_cast<uint32_t>(36 + data.size()));
  f.write("WAVEfmt ", 8);
  put32(f, 16);
  put16(f, 1);
  put16(f, static_cast<uint16_t>(channels));
  put32(f, static_cast<uint32_t>(rate));
  put32(f, static_cast<uint32_t>(rate * block));
  put16(f, static_cast<uint16_t>(block));
  put16(f, static_cast<uint16_t>(bits));
  f.write("data", 4);
  put32(f, static_cast<uint32_t>(data.size()));
  f.write(reinterpret_cast<const char*>(data.data()), static_cast<std::streamsize>(data.size()));
}

bool waitFor(EventLoop& loop, const std::function<bool()>& done, int timeoutMs) {
  bool late = false;
  auto guard = loop.createTimer(timeoutMs, [&] { late = true; });
  guard->setEnabled(true);
  while (!done() && !late) loop.waitForEvent();
  return done();
}

void serveFor(EventLoop& loop, int ms) {
  bool over = false;
  auto t = loop.createTimer(ms, [&] { over = true; });
  t->setEnabled(true);
  while (!over) loop.waitForEvent();
}

void writeText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace parlomat::testing
