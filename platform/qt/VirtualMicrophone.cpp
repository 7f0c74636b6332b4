#include "platform/qt/VirtualMicrophone.h"

#include <QDebug>
#include <algorithm>
#include <cstring>

#include "platform/qt/CaptureSound.h"

namespace parlomat {

namespace {
// Delivers in 10 ms steps, finer than a sound card does, so the chunk detection sees sound
// arrive as it would.
constexpr int kTickMs = 10;
constexpr uint8_t kSilence = 128;
// How long sound is kept for the next buffer while none waits, as the sound card device does.
constexpr int64_t kHoldUs = 250'000;
}  // namespace

VirtualMicrophone::VirtualMicrophone(EventLoop& clock, std::string path, QObject* parent)
    : QObject(parent), clock_(clock), path_(std::move(path)) {
  ticker_.setTimerType(Qt::PreciseTimer);
  ticker_.setInterval(kTickMs);
  connect(&ticker_, &QTimer::timeout, this, [this] {
    deliver();
    settle();
  });
}

VirtualMicrophone::~VirtualMicrophone() {
  queue_.returnAll();
}

int VirtualMicrophone::queryCapabilities(int device) {
  return device == 0 ? kWaveOk : kWaveError;
}

int VirtualMicrophone::open(const WaveFormat& format) {
  if (open_) return kWaveError;
  if (format.formatTag != 1 || format.channels != 1 || format.bitsPerSample != 8 ||
      format.samplesPerSec <= 0) {
    problem_ = "the virtual microphone records unsigned 8-bit mono PCM only";
    return kWaveError;
  }
  if (convertedRate_ != format.samplesPerSec) {
    std::string why;
    std::optional<std::vector<uint8_t>> sound = loadCaptureSound(path_, format.samplesPerSec, &why);
    if (!sound) {
      problem_ = why;
      qWarning("Virtual microphone: %s", why.c_str());
      return kWaveError;
    }
    sound_ = std::move(*sound);
    convertedRate_ = format.samplesPerSec;
  }
  problem_.clear();
  rate_ = format.samplesPerSec;
  open_ = true;
  return kWaveOk;
}

int VirtualMicrophone::prepare(WaveHeader& h) {
  if (!open_) return kWaveError;
  return queue_.prepare(h);
}

int VirtualMicrophone::addBuffer(WaveHeader& h) {
  if (!open_) return kWaveError;
  deliver();
  const int result = queue_.add(h);
  deliver();
  settle();
  return result;
}

int VirtualMicrophone::start() {
  if (!open_) return kWaveError;
  if (running_) return kWaveOk;
  if (!firstStartUs_) firstStartUs_ = clock_.nowMicros();
  // What was spoken while the device was stopped is gone.
  heard_ = dueNow();
  emptySinceUs_ = clock_.nowMicros();
  running_ = true;
  settle();
  return kWaveOk;
}

int64_t VirtualMicrophone::dueNow() const {
  if (!firstStartUs_) return 0;
  return (clock_.nowMicros() - *firstStartUs_) * rate_ / 1'000'000;
}

void VirtualMicrophone::deliver() {
  if (!running_) return;
  const int64_t now = clock_.nowMicros();
  const int64_t due = dueNow();
  if (queue_.empty()) {
    // Sound nobody took for a while is gone; a moment's worth waits for the next buffer.
    if (now - emptySinceUs_ >= kHoldUs) heard_ = due;
    return;
  }
  while (heard_ < due && !queue_.empty()) {
    const int64_t n = std::min<int64_t>(due - heard_, static_cast<int64_t>(queue_.spaceLeft()));
    uint8_t* to = queue_.space();
    const int64_t size = static_cast<int64_t>(sound_.size());
    const int64_t fromFile = std::clamp<int64_t>(size - heard_, 0, n);
    if (fromFile > 0) std::memcpy(to, sound_.data() + heard_, static_cast<size_t>(fromFile));
    std::memset(to + fromFile, kSilence, static_cast<size_t>(n - fromFile));
    queue_.filled(static_cast<size_t>(n));
    heard_ += n;
  }
  if (queue_.empty()) emptySinceUs_ = now;
}

void VirtualMicrophone::settle() {
  if (running_ && !queue_.empty()) {
    if (!ticker_.isActive()) ticker_.start();
  } else {
    ticker_.stop();
  }
}

int VirtualMicrophone::stop() {
  if (!open_) return kWaveError;
  deliver();
  running_ = false;
  settle();
  return kWaveOk;
}

int VirtualMicrophone::reset() {
  if (!open_) return kWaveError;
  deliver();
  running_ = false;
  queue_.returnAll();
  settle();
  return kWaveOk;
}

int VirtualMicrophone::unprepare(WaveHeader& h) {
  return queue_.unprepare(h);
}

int VirtualMicrophone::close() {
  if (!open_ || !queue_.empty()) return kWaveError;
  running_ = false;
  settle();
  open_ = false;
  return kWaveOk;
}

}  // namespace parlomat
