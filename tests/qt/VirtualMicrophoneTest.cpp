#include <gtest/gtest.h>

#include <QtGlobal>
#include <algorithm>
#include <random>

#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtPlatform.h"
#include "platform/qt/VirtualMicrophone.h"
#include "tests/qt/QtTestSupport.h"

namespace parlomat {
namespace {

constexpr int kRate = 8000;
constexpr uint8_t kGuard = 0xEE;
const WaveFormat kCapture{1, 1, kRate, kRate, 1, 8};

// A header over its own bytes, followed by guard bytes that no device may touch.
struct Buffer {
  explicit Buffer(int length) : bytes(static_cast<size_t>(length) + 16, kGuard) {
    h.data = bytes.data();
    h.bufferLength = length;
  }
  std::vector<uint8_t> recorded() const { return {bytes.begin(), bytes.begin() + h.bytesRecorded}; }
  bool guardIntact() const {
    return std::all_of(bytes.begin() + h.bufferLength, bytes.end(),
                       [](uint8_t b) { return b == kGuard; });
  }
  std::vector<uint8_t> bytes;
  WaveHeader h;
};

std::vector<uint8_t> randomSound(size_t n) {
  std::mt19937 gen(5);
  std::vector<uint8_t> out(n);
  for (uint8_t& b : out) b = static_cast<uint8_t>(gen() % 256);
  return out;
}

// What the microphone hears from sample `from` on: the file, then silence.
std::vector<uint8_t> heard(const std::vector<uint8_t>& file, size_t from, size_t n) {
  std::vector<uint8_t> out(n, 128);
  for (size_t i = 0; i < n && from + i < file.size(); ++i) out[i] = file[from + i];
  return out;
}

class VirtualMicrophoneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    file = randomSound(4000);  // half a second
    testing::writeWave(tmp.path("spoken.wav"), kRate, 1, 8, file);
  }
  testing::TempFolder tmp;
  std::vector<uint8_t> file;
  QtEventLoop loop;
};

// The buffers fill in real time with the file from the first start, one after the other; what
// passes while the device is stopped is lost; a reset hands back a part-filled buffer.
TEST_F(VirtualMicrophoneTest, PlaysTheFileInRealTimeAsIfSpoken) {
  VirtualMicrophone mic(loop, tmp.path("spoken.wav"));
  ASSERT_EQ(mic.open(kCapture), kWaveOk);
  EXPECT_EQ(mic.open(kCapture), kWaveError);
  Buffer first(800), second(800);
  for (Buffer* b : {&first, &second}) {
    ASSERT_EQ(mic.prepare(b->h), kWaveOk);
    ASSERT_EQ(mic.addBuffer(b->h), kWaveOk);
  }
  EXPECT_EQ(mic.addBuffer(first.h), kWaveError);
  const int64_t started = loop.nowMicros();
  ASSERT_EQ(mic.start(), kWaveOk);
  ASSERT_TRUE(testing::waitFor(
      loop, [&] { return second.h.done(); }, 2000));
  EXPECT_GE(loop.nowMicros() - started, 195'000);
  EXPECT_TRUE(first.h.done());
  EXPECT_EQ(first.recorded(), heard(file, 0, 800));
  EXPECT_EQ(second.recorded(), heard(file, 800, 800));

  // Stopped for a tenth of a second: that stretch of the file is not heard.
  ASSERT_EQ(mic.stop(), kWaveOk);
  testing::serveFor(loop, 100);
  Buffer third(1000);
  for (Buffer* b : {&first, &second}) EXPECT_EQ(mic.unprepare(b->h), kWaveOk);
  ASSERT_EQ(mic.prepare(third.h), kWaveOk);
  ASSERT_EQ(mic.addBuffer(third.h), kWaveOk);
  ASSERT_EQ(mic.start(), kWaveOk);
  ASSERT_TRUE(testing::waitFor(
      loop, [&] { return third.h.done(); }, 2000));
  const auto at =
      std::search(file.begin(), file.end(), third.bytes.begin(), third.bytes.begin() + 16);
  ASSERT_NE(at, file.end());
  const size_t resumed = static_cast<size_t>(at - file.begin());
  EXPECT_GE(resumed, 1600u + 700u);  // a coarse timer may fire up to 5 % early
  EXPECT_EQ(third.recorded(), heard(file, resumed, 1000));

  // A second's buffer, reset after a tenth: it comes back done with what it got, going on from
  // the last buffer without a gap, the file's end and then silence, and not a byte beyond its
  // length.
  Buffer fourth(8000);
  ASSERT_EQ(mic.unprepare(third.h), kWaveOk);
  ASSERT_EQ(mic.prepare(fourth.h), kWaveOk);
  ASSERT_EQ(mic.addBuffer(fourth.h), kWaveOk);
  testing::serveFor(loop, 100);
  EXPECT_FALSE(fourth.h.done());
  EXPECT_EQ(mic.unprepare(fourth.h), kWaveError);
  EXPECT_EQ(mic.close(), kWaveError);
  ASSERT_EQ(mic.reset(), kWaveOk);
  EXPECT_TRUE(fourth.h.done());
  EXPECT_GT(fourth.h.bytesRecorded, 0);
  EXPECT_LT(fourth.h.bytesRecorded, 8000);
  EXPECT_EQ(fourth.recorded(), heard(file, resumed + 1000, fourth.recorded().size()));
  for (const Buffer* b : {&first, &second, &third, &fourth}) EXPECT_TRUE(b->guardIntact());
  EXPECT_EQ(mic.unprepare(fourth.h), kWaveOk);
  EXPECT_EQ(mic.close(), kWaveOk);
  EXPECT_FALSE(mic.isOpen());
}

TEST_F(VirtualMicrophoneTest, RefusesWhatItCannotRecord) {
  struct Case {
    const char* name;
    std::string file;
    WaveFormat format;
  };
  testing::writeText(tmp.path("notes.wav"), "not a wave file");
  const Case cases[] = {
      {"missing file", tmp.path("missing.wav"), kCapture},
      {"not a wave file", tmp.path("notes.wav"), kCapture},
      {"16-bit", tmp.path("spoken.wav"), {1, 1, kRate, 2 * kRate, 2, 16}},
      {"stereo", tmp.path("spoken.wav"), {1, 2, kRate, 2 * kRate, 2, 8}},
      {"not PCM", tmp.path("spoken.wav"), {3, 1, kRate, kRate, 1, 8}},
      {"no rate", tmp.path("spoken.wav"), {1, 1, 0, 0, 1, 8}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    VirtualMicrophone mic(loop, c.file);
    EXPECT_EQ(mic.open(c.format), kWaveError);
    EXPECT_FALSE(mic.problem().empty());
    Buffer b(100);
    EXPECT_EQ(mic.prepare(b.h), kWaveError);
    EXPECT_EQ(mic.addBuffer(b.h), kWaveError);
    EXPECT_EQ(mic.start(), kWaveError);
    EXPECT_EQ(mic.reset(), kWaveError);
    EXPECT_EQ(mic.close(), kWaveError);
  }
}

TEST_F(VirtualMicrophoneTest, QtPlatformListensToTheCaptureFileWhenOneIsNamed) {
  const QByteArray before = qgetenv(QtPlatform::kCaptureFileVariable);
  {
    qputenv(QtPlatform::kCaptureFileVariable, tmp.path("spoken.wav").c_str());
    QtPlatform qt;
    ASSERT_NE(qt.microphone, nullptr);
    EXPECT_EQ(qt.platform().waveIn, qt.microphone.get());
    EXPECT_EQ(qt.microphone->path(), tmp.path("spoken.wav"));
  }
  {
    qunsetenv(QtPlatform::kCaptureFileVariable);
    QtPlatform qt;
    EXPECT_EQ(qt.microphone, nullptr);
    EXPECT_EQ(qt.platform().waveIn, &qt.soundCard);
    EXPECT_EQ(qt.platform().waveOut, &qt.speaker);
    EXPECT_EQ(qt.platform().status, &qt.status);
    EXPECT_EQ(qt.platform().graph, &qt.graph);
  }
  if (!before.isNull()) qputenv(QtPlatform::kCaptureFileVariable, before);
}

}  // namespace
}  // namespace parlomat
