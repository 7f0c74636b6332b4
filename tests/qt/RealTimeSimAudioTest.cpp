#include <gtest/gtest.h>

#include <vector>

#include "platform/qt/QtEventLoop.h"
#include "platform/qt/RealTimeSimAudio.h"

namespace parlomat {
namespace {

// The stand-in microphone fills a buffer with what it is fed, at the recording rate of real
// time, and sets the done mark that a Qt program's capture waits for.
TEST(RealTimeSimAudio, MicrophoneFillsABufferInRealTime) {
  QtEventLoop loop;
  RealTimeSimAudio audio(loop);
  std::vector<uint8_t> fed(800);
  for (size_t i = 0; i < fed.size(); ++i) fed[i] = static_cast<uint8_t>(i * 7);
  audio.microphone().setSource(fed);

  WaveInDevice& in = audio.waveIn();
  WaveFormat format{1, 1, 8000, 8000, 1, 8};
  std::vector<uint8_t> data(960);  // 120 ms at 8000 samples a second
  WaveHeader h;
  h.data = data.data();
  h.bufferLength = static_cast<int32_t>(data.size());
  ASSERT_EQ(in.open(format), kWaveOk);
  ASSERT_EQ(in.prepare(h), kWaveOk);
  ASSERT_EQ(in.addBuffer(h), kWaveOk);
  int64_t start = loop.nowMicros();
  ASSERT_EQ(in.start(), kWaveOk);
  while (!h.done()) loop.waitForEvent();
  int64_t took = loop.nowMicros() - start;
  EXPECT_GE(took, 110'000);
  EXPECT_EQ(h.bytesRecorded, 960);
  EXPECT_TRUE(std::equal(fed.begin(), fed.end(), data.begin()));
  EXPECT_TRUE(std::all_of(data.begin() + 800, data.end(), [](uint8_t b) { return b == 128; }));

  // Stopped and closed, the devices leave the loop idle: after at most one late chunk of the
  // stopped device, a distant timer is the next event (a running clock would wake it ten times).
  EXPECT_EQ(in.stop(), kWaveOk);
  EXPECT_EQ(in.unprepare(h), kWaveOk);
  EXPECT_EQ(in.close(), kWaveOk);
  int ticks = 0;
  auto probe = loop.createTimer(100, [&] { ++ticks; });
  probe->setEnabled(true);
  int returns = 0;
  while (ticks == 0) {
    loop.waitForEvent();
    ++returns;
  }
  EXPECT_LE(returns, 3);
}

}  // namespace
}  // namespace parlomat
