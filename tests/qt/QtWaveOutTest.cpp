#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <algorithm>

#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtWaveIn.h"
#include "platform/qt/QtWaveOut.h"
#include "tests/qt/QtTestSupport.h"

namespace parlomat {
namespace {

constexpr int kRate = 22050;
const WaveFormat kCapture{1, 1, kRate, kRate, 1, 8};

bool hasOutput() {
  return !QMediaDevices::defaultAudioOutput().isNull();
}

// A format query needs no device for 8- and 16-bit PCM (so a stored wave file can be processed
// on a machine without sound); with a device, the device decides.
TEST(QtWaveOut, FormatQueryAnswersWhetherTheFormatCanBePlayed) {
  struct Case {
    const char* name;
    WaveFormat format;
    bool withDevice, withoutDevice;
  };
  const Case cases[] = {
      {"8-bit mono", kCapture, true, true},
      {"16-bit stereo", {1, 2, 44100, 44100 * 4, 4, 16}, true, true},
      {"32-bit integer", {1, 1, 8000, 32000, 4, 32}, true, false},
      {"24-bit", {1, 1, 8000, 24000, 3, 24}, false, false},
      {"floating point", {3, 1, 8000, 32000, 4, 32}, false, false},
      {"no channels", {1, 0, 8000, 0, 0, 8}, false, false},
      {"no rate", {1, 1, 0, 0, 1, 8}, false, false},
  };
  const bool device = hasOutput();
  QtWaveOut out;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const bool playable = device ? c.withDevice : c.withoutDevice;
    EXPECT_EQ(out.open(c.format, true), playable ? kWaveOk : kWaveError);
    EXPECT_FALSE(out.isOpen());
  }
  // Playing needs the device.
  EXPECT_EQ(out.open(kCapture, false), device ? kWaveOk : kWaveError);
  EXPECT_EQ(out.close(), device ? kWaveOk : kWaveError);
}

// The done mark comes when the bytes have been played, not when they were handed to the server,
// and what was played reaches the output (heard back through the monitor of the test server's
// sink, the source "mic").
TEST(QtWaveOut, PlaysTheBufferAndMarksItDoneWhenPlayed) {
  if (!hasOutput()) GTEST_SKIP() << "no audio output device";
  QtEventLoop loop;
  QAudioDevice monitor;
  for (const QAudioDevice& d : QMediaDevices::audioInputs()) {
    if (d.id() == "mic") monitor = d;
  }
  QtWaveIn listener;
  std::vector<uint8_t> heard(kRate * 3 / 2, 0);
  WaveHeader heardHeader;
  heardHeader.data = heard.data();
  heardHeader.bufferLength = static_cast<int32_t>(heard.size());
  if (!monitor.isNull()) {
    listener.setDevice(monitor);
    ASSERT_EQ(listener.open(kCapture), kWaveOk);
    ASSERT_EQ(listener.prepare(heardHeader), kWaveOk);
    ASSERT_EQ(listener.addBuffer(heardHeader), kWaveOk);
    ASSERT_EQ(listener.start(), kWaveOk);
  }

  // Half a second of a loud 441 Hz square wave.
  std::vector<uint8_t> tone(kRate / 2);
  for (size_t i = 0; i < tone.size(); ++i) tone[i] = (i / 25) % 2 ? 228 : 28;
  WaveHeader h;
  h.data = tone.data();
  h.bufferLength = static_cast<int32_t>(tone.size());
  QtWaveOut out;
  ASSERT_EQ(out.open(kCapture, false), kWaveOk);
  ASSERT_EQ(out.prepare(h), kWaveOk);
  const int64_t start = loop.nowMicros();
  ASSERT_EQ(out.write(h), kWaveOk);
  EXPECT_EQ(out.write(h), kWaveError);
  EXPECT_EQ(out.unprepare(h), kWaveError);
  ASSERT_TRUE(testing::waitFor(
      loop, [&] { return h.done(); }, 10'000));
  const int64_t took = loop.nowMicros() - start;
  EXPECT_GE(took, 480'000);
  EXPECT_LT(took, 500'000 + QtWaveOut::kGraceMs * 1000);
  EXPECT_EQ(out.unprepare(h), kWaveOk);
  EXPECT_EQ(out.close(), kWaveOk);

  if (!monitor.isNull()) {
    ASSERT_TRUE(testing::waitFor(
        loop, [&] { return heardHeader.done(); }, 10'000));
    const auto loud =
        std::count_if(heard.begin(), heard.end(), [](uint8_t b) { return b < 60 || b > 196; });
    EXPECT_GT(loud, kRate * 2 / 5) << "the tone did not reach the output";
    EXPECT_EQ(listener.unprepare(heardHeader), kWaveOk);
    EXPECT_EQ(listener.close(), kWaveOk);
  }

  // Closed while it plays, the buffer comes back done at once.
  ASSERT_EQ(out.open(kCapture, false), kWaveOk);
  ASSERT_EQ(out.prepare(h), kWaveOk);
  ASSERT_EQ(out.write(h), kWaveOk);
  testing::serveFor(loop, 50);
  EXPECT_FALSE(h.done());
  EXPECT_EQ(out.close(), kWaveOk);
  EXPECT_TRUE(h.done());
  EXPECT_FALSE(out.isPlaying());
}

}  // namespace
}  // namespace parlomat
