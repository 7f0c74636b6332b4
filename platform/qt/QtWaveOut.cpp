#include "platform/qt/QtWaveOut.h"

#include <QAudioSink>
#include <QMediaDevices>

#include "platform/qt/QtWaveFormat.h"

namespace parlomat {

namespace {
constexpr int kWatchMs = 20;
// The sink's clock may stop a hair short of the last sample.
constexpr qint64 kPlayedSlackUs = 10'000;
}  // namespace

QtWaveOut::QtWaveOut(QObject* parent) : QObject(parent) {
  watch_.setInterval(kWatchMs);
  connect(&watch_, &QTimer::timeout, this, &QtWaveOut::watch);
}

QtWaveOut::~QtWaveOut() {
  close();
}

QAudioDevice QtWaveOut::device() const {
  return chosen_.isNull() ? QMediaDevices::defaultAudioOutput() : chosen_;
}

int QtWaveOut::open(const WaveFormat& format, bool queryOnly) {
  const std::optional<QAudioFormat> qf = toQAudioFormat(format);
  if (!qf) return kWaveError;
  const QAudioDevice dev = device();
  if (queryOnly) {
    if (dev.isNull()) {
      return format.bitsPerSample == 8 || format.bitsPerSample == 16 ? kWaveOk : kWaveError;
    }
    return dev.isFormatSupported(*qf) ? kWaveOk : kWaveError;
  }
  if (open_) close();
  if (dev.isNull() || !dev.isFormatSupported(*qf)) return kWaveError;
  format_ = *qf;
  sink_ = std::make_unique<QAudioSink>(dev, format_);
  open_ = true;
  return kWaveOk;
}

int QtWaveOut::prepare(WaveHeader& h) {
  if (!open_ || &h == playing_) return kWaveError;
  h.flags = (h.flags | WaveHeader::kPrepared) & ~WaveHeader::kDone;
  return kWaveOk;
}

int QtWaveOut::write(WaveHeader& h) {
  if (!open_ || playing_ || (h.flags & WaveHeader::kPrepared) == 0) return kWaveError;
  if (h.data == nullptr || h.bufferLength <= 0) return kWaveError;
  h.flags &= ~WaveHeader::kDone;
  bytes_.close();
  bytes_.setData(reinterpret_cast<const char*>(h.data), h.bufferLength);
  bytes_.open(QIODevice::ReadOnly);
  playing_ = &h;
  playingUs_ = format_.durationForBytes(h.bufferLength);
  sinceWrite_.start();
  sink_->start(&bytes_);
  watch_.start();
  return kWaveOk;
}

void QtWaveOut::watch() {
  if (!playing_) return;
  const qint64 elapsedUs = sinceWrite_.nsecsElapsed() / 1000;
  const QAudio::State state = sink_->state();
  const bool handedOver = state == QAudio::IdleState || state == QAudio::StoppedState;
  const bool played = handedOver && sink_->processedUSecs() >= playingUs_ - kPlayedSlackUs;
  const bool broken = state == QAudio::StoppedState && sink_->error() != QAudio::NoError;
  if (played || broken || elapsedUs >= playingUs_ + qint64{kGraceMs} * 1000) finish();
}

void QtWaveOut::finish() {
  watch_.stop();
  if (sink_) sink_->stop();
  bytes_.close();
  bytes_.setData(QByteArray());
  if (playing_) playing_->flags |= WaveHeader::kDone;
  playing_ = nullptr;
}

int QtWaveOut::unprepare(WaveHeader& h) {
  if (&h == playing_) return kWaveError;
  h.flags &= ~WaveHeader::kPrepared;
  return kWaveOk;
}

int QtWaveOut::close() {
  if (!open_) return kWaveError;
  finish();
  sink_.reset();
  open_ = false;
  return kWaveOk;
}

}  // namespace parlomat
