#pragma once
// A wave-input device fed from a wave file in real time, as if the file were spoken into a
// microphone: the file starts when the device is first started and runs on the clock from then
// on, then silence (128) follows. Sound that passes while the device is stopped is lost, as with
// a real microphone; while it runs without a buffer, sound is kept a quarter of a second for the
// next one (so consecutive buffers have no gap), then lost. Records unsigned 8-bit mono at the rate
// it is opened with; the file is converted to it (see CaptureSound.h). Opening fails when the file
// cannot be read. Create, use and destroy it on the thread of the QApplication.
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Audio.h"
#include "platform/EventLoop.h"
#include "platform/qt/WaveInQueue.h"

namespace parlomat {

class VirtualMicrophone : public QObject, public WaveInDevice {
  Q_OBJECT

 public:
  // `clock` gives the time (the program's event loop).
  VirtualMicrophone(EventLoop& clock, std::string path, QObject* parent = nullptr);
  ~VirtualMicrophone() override;

  const std::string& path() const { return path_; }
  bool isOpen() const { return open_; }
  // Why the last open failed, empty after a successful one.
  const std::string& problem() const { return problem_; }

  int queryCapabilities(int device) override;
  int open(const WaveFormat& format) override;
  int prepare(WaveHeader& h) override;
  int addBuffer(WaveHeader& h) override;
  int start() override;
  int stop() override;
  int reset() override;
  int unprepare(WaveHeader& h) override;
  int close() override;

 private:
  // Samples heard from the first start up to now.
  int64_t dueNow() const;
  // Hands the samples heard since the last delivery to the queue.
  void deliver();
  // Runs the ticker only while the queue waits for sound.
  void settle();

  EventLoop& clock_;
  std::string path_;
  std::string problem_;
  bool open_ = false;
  bool running_ = false;
  int rate_ = 0;
  std::vector<uint8_t> sound_;  // the file at rate_
  int convertedRate_ = 0;       // the rate sound_ was made for; 0 before the first open
  std::optional<int64_t> firstStartUs_;
  int64_t heard_ = 0;         // index of the next sample to hand over
  int64_t emptySinceUs_ = 0;  // since when no buffer waits, while running
  WaveInQueue queue_;
  QTimer ticker_;
};

}  // namespace parlomat
