#include "platform/qt/QtWaveIn.h"

#include <QAudioSource>
#include <QIODevice>
#include <QMediaDevices>

#include "platform/qt/QtWaveFormat.h"

namespace parlomat {

namespace {
// Qt's source hands out sound every period (50 ms by default); polling as well catches a
// readyRead that was missed and notices a device that went quiet.
constexpr int kWatchMs = 100;
constexpr qint64 kDiscardChunk = 4096;
// How long sound is kept for the next buffer while none waits.
constexpr qint64 kHoldMs = 250;
}  // namespace

QtWaveIn::QtWaveIn(QObject* parent) : QObject(parent) {
  watchdog_.setInterval(kWatchMs);
  connect(&watchdog_, &QTimer::timeout, this, &QtWaveIn::watch);
}

QtWaveIn::~QtWaveIn() {
  stopSource();
  queue_.returnAll();
}

QAudioDevice QtWaveIn::device() const {
  return chosen_.isNull() ? QMediaDevices::defaultAudioInput() : chosen_;
}

int QtWaveIn::queryCapabilities(int device) {
  if (device < 0 || device >= QMediaDevices::audioInputs().size()) return kWaveError;
  return kWaveOk;
}

int QtWaveIn::open(const WaveFormat& format) {
  if (source_) return kWaveError;
  const QAudioDevice dev = device();
  const std::optional<QAudioFormat> qf = toQAudioFormat(format);
  if (dev.isNull() || !qf || !dev.isFormatSupported(*qf)) return kWaveError;
  source_ = std::make_unique<QAudioSource>(dev, *qf);
  const uint64_t opened = ++opened_;
  connect(source_.get(), &QAudioSource::stateChanged, this, [this, opened](QAudio::State state) {
    if (state == QAudio::StoppedState && io_ && source_->error() != QAudio::NoError) {
      // Never stop the source inside its own signal: the failure is handled from the loop, and
      // only if the device was not closed and opened again meanwhile.
      QMetaObject::invokeMethod(
          this,
          [this, opened] {
            if (opened == opened_) fail();
          },
          Qt::QueuedConnection);
    }
  });
  failed_ = false;
  return kWaveOk;
}

int QtWaveIn::prepare(WaveHeader& h) {
  if (!source_) return kWaveError;
  return queue_.prepare(h);
}

int QtWaveIn::addBuffer(WaveHeader& h) {
  if (!source_ || failed_) return kWaveError;
  // The stall time counts from the moment a buffer waits, not from the last sound discarded.
  if (queue_.empty()) sinceData_.start();
  const int result = queue_.add(h);
  // What the source holds already belongs to this buffer.
  if (result == kWaveOk) drain();
  return result;
}

int QtWaveIn::start() {
  if (!source_ || failed_) return kWaveError;
  if (io_) return kWaveOk;
  QIODevice* io = source_->start();
  if (!io) {
    failed_ = true;
    return kWaveError;
  }
  io_ = io;
  connect(io_, &QIODevice::readyRead, this, &QtWaveIn::drain);
  sinceData_.start();
  emptySince_.start();
  watchdog_.start();
  return kWaveOk;
}

void QtWaveIn::drain() {
  // Reading can make Qt's source emit signals; a drain never runs inside another.
  if (!io_ || draining_) return;
  // Sound that comes while no buffer waits stays with the source for a moment, so the capture
  // loop's next buffer follows the last one without a gap; held longer, it is lost.
  if (queue_.empty() && emptySince_.elapsed() < kHoldMs) return;
  draining_ = true;
  const bool buffered = !queue_.empty();
  char discard[kDiscardChunk];
  for (;;) {
    qint64 got;
    if (queue_.empty()) {
      if (buffered) {
        emptySince_.start();
        break;
      }
      got = io_->read(discard, kDiscardChunk);
    } else {
      const qint64 room = static_cast<qint64>(queue_.spaceLeft());
      got = io_->read(reinterpret_cast<char*>(queue_.space()), room);
      if (got > 0) queue_.filled(static_cast<size_t>(std::min(got, room)));
    }
    if (got <= 0) break;
    sinceData_.start();
  }
  draining_ = false;
}

void QtWaveIn::watch() {
  if (!io_) return;
  drain();
  if (!queue_.empty() && sinceData_.elapsed() >= stallMs_) fail();
}

void QtWaveIn::fail() {
  if (!source_ || !io_) return;
  failed_ = true;
  stopSource();
  queue_.returnAll();
}

void QtWaveIn::stopSource() {
  watchdog_.stop();
  if (!source_) return;
  if (io_) {
    disconnect(io_, nullptr, this, nullptr);
    io_ = nullptr;
  }
  source_->stop();
}

int QtWaveIn::stop() {
  if (!source_) return kWaveError;
  drain();
  stopSource();
  return kWaveOk;
}

int QtWaveIn::reset() {
  if (!source_) return kWaveError;
  drain();
  stopSource();
  queue_.returnAll();
  return kWaveOk;
}

int QtWaveIn::unprepare(WaveHeader& h) {
  return queue_.unprepare(h);
}

int QtWaveIn::close() {
  if (!source_ || !queue_.empty()) return kWaveError;
  stopSource();
  disconnect(source_.get(), nullptr, this, nullptr);
  source_.reset();
  return kWaveOk;
}

}  // namespace parlomat
