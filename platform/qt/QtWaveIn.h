#pragma once
// The wave-input device on Qt Multimedia: a QAudioSource in push mode whose bytes go straight
// into the queued header's buffer as they arrive, on the thread of the event loop. A header is
// marked done when it is full, on reset, and when the device fails (its audio server went away,
// or no byte came for the stall time while a buffer waited): the capture never waits for a done
// mark that cannot come, and after a failure adding a buffer or starting is refused until the
// device is closed and opened again. Sound that arrives while no buffer is queued is kept a
// quarter of a second for the next buffer (so consecutive buffers have no gap), then lost.
//
// Qt's source is only ever stopped or destroyed from our own calls or from a queued call, never
// inside one of its signals, and its QIODevice is dropped before the source is stopped (the
// source deletes it). Create, use and destroy the device on the thread of the QApplication.
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

#include "platform/Audio.h"
#include "platform/qt/WaveInQueue.h"

class QAudioSource;
class QIODevice;

namespace parlomat {

class QtWaveIn : public QObject, public WaveInDevice {
  Q_OBJECT

 public:
  // How long a running device may stay silent, with a buffer waiting, before it counts as failed.
  static constexpr int kStallMs = 3000;

  explicit QtWaveIn(QObject* parent = nullptr);
  ~QtWaveIn() override;

  // Records from this device instead of the system's default input.
  void setDevice(const QAudioDevice& device) { chosen_ = device; }
  void setStallMs(int ms) { stallMs_ = ms; }
  bool isOpen() const { return source_ != nullptr; }
  bool isRunning() const { return io_ != nullptr; }
  // The device stopped delivering sound on its own; cleared by the next open.
  bool failed() const { return failed_; }

  // Succeeds when an input device exists (device 0 is the default one).
  int queryCapabilities(int device) override;
  // Fails when there is no input device, a device is already open, or the format is not PCM
  // that the device can record.
  int open(const WaveFormat& format) override;
  int prepare(WaveHeader& h) override;
  int addBuffer(WaveHeader& h) override;
  int start() override;
  // Takes in what has arrived, then stops; queued headers stay queued.
  int stop() override;
  // Takes in what has arrived, stops, and returns every queued header marked done.
  int reset() override;
  int unprepare(WaveHeader& h) override;
  // Fails while a header is queued.
  int close() override;

 private:
  QAudioDevice device() const;
  // Moves what the source holds into the queue; with nothing queued for a while, drops it.
  void drain();
  void watch();
  void fail();
  // Stops Qt's source; the QIODevice it handed out is gone afterwards.
  void stopSource();

  QAudioDevice chosen_;
  std::unique_ptr<QAudioSource> source_;
  QIODevice* io_ = nullptr;  // owned by source_; set only while it runs
  WaveInQueue queue_;
  QTimer watchdog_;
  QElapsedTimer sinceData_;
  QElapsedTimer emptySince_;  // since when no buffer waits, while running
  int stallMs_ = kStallMs;
  uint64_t opened_ = 0;  // counts opens, so a failure reported late hits only its own source
  bool failed_ = false;
  bool draining_ = false;
};

}  // namespace parlomat
