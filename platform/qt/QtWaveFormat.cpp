#include "platform/qt/QtWaveFormat.h"

namespace parlomat {

namespace {
constexpr int16_t kPcm = 1;
constexpr int kMaxChannels = 8;
constexpr int kMaxRate = 384000;
}  // namespace

std::optional<QAudioFormat> toQAudioFormat(const WaveFormat& format) {
  if (format.formatTag != kPcm) return std::nullopt;
  if (format.channels < 1 || format.channels > kMaxChannels) return std::nullopt;
  if (format.samplesPerSec < 1 || format.samplesPerSec > kMaxRate) return std::nullopt;
  QAudioFormat q;
  switch (format.bitsPerSample) {
    case 8:
      q.setSampleFormat(QAudioFormat::UInt8);
      break;
    case 16:
      q.setSampleFormat(QAudioFormat::Int16);
      break;
    case 32:
      q.setSampleFormat(QAudioFormat::Int32);
      break;
    default:
      return std::nullopt;
  }
  q.setChannelCount(format.channels);
  q.setSampleRate(format.samplesPerSec);
  return q;
}

}  // namespace parlomat
