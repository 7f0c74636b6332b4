#pragma once
// The wave-output device on Qt Multimedia: a QAudioSink plays the header's bytes on the default
// output, and the done mark is set once they have been played, or at the latest kGraceMs after
// their playing time, so a caller waiting for it never waits for ever. One buffer plays at a time.
//
// A format query needs no device: without any output device, 8- and 16-bit PCM is accepted so a
// stored wave file can still be processed on a machine without sound; opening for playback then
// fails. Create, use and destroy the device on the thread of the QApplication.
#include <QAudioDevice>
#include <QBuffer>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <memory>

#include "platform/Audio.h"

class QAudioSink;

namespace parlomat {

class QtWaveOut : public QObject, public WaveOutDevice {
  Q_OBJECT

 public:
  static constexpr int kGraceMs = 2000;

  explicit QtWaveOut(QObject* parent = nullptr);
  ~QtWaveOut() override;

  // Plays on this device instead of the system's default output.
  void setDevice(const QAudioDevice& device) { chosen_ = device; }
  bool isOpen() const { return open_; }
  bool isPlaying() const { return playing_ != nullptr; }

  int open(const WaveFormat& format, bool queryOnly) override;
  int prepare(WaveHeader& h) override;
  int write(WaveHeader& h) override;
  // Fails while the header is still playing.
  int unprepare(WaveHeader& h) override;
  // Ends what is playing (its header is marked done) and releases the device.
  int close() override;

 private:
  QAudioDevice device() const;
  void watch();
  void finish();

  QAudioDevice chosen_;
  bool open_ = false;
  QAudioFormat format_;
  std::unique_ptr<QAudioSink> sink_;
  QBuffer bytes_;
  WaveHeader* playing_ = nullptr;
  qint64 playingUs_ = 0;  // playing time of the buffer
  QElapsedTimer sinceWrite_;
  QTimer watch_;
};

}  // namespace parlomat
