#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <random>
#include <thread>

#include "platform/qt/QtEventLoop.h"
#include "platform/qt/QtWaveIn.h"
#include "tests/qt/QtTestSupport.h"

namespace parlomat {
namespace {

constexpr int kRate = 22050;
constexpr int kDspLevel = 256;
constexpr uint8_t kGuard = 0xEE;
const WaveFormat kCapture{1, 1, kRate, kRate, 1, 8};

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

TEST(QtWaveIn, OpensOnlyForPcmItCanRecordAndRefusesCallsWhileClosed) {
  const bool device = !QMediaDevices::defaultAudioInput().isNull();
  QtWaveIn in;
  EXPECT_EQ(in.queryCapabilities(0), device ? kWaveOk : kWaveError);
  EXPECT_EQ(in.queryCapabilities(-1), kWaveError);
  const WaveFormat refused[] = {
      {3, 1, kRate, kRate * 4, 4, 32},  // floating point
      {1, 1, kRate, kRate * 3, 3, 24}, {1, 0, kRate, 0, 0, 8}, {1, 1, 0, 0, 1, 8},
      {1, 1, -8000, -8000, 1, 8},
  };
  for (const WaveFormat& f : refused) {
    SCOPED_TRACE(std::to_string(f.formatTag) + " " + std::to_string(f.bitsPerSample) + " bits " +
                 std::to_string(f.channels) + " ch " + std::to_string(f.samplesPerSec));
    EXPECT_EQ(in.open(f), kWaveError);
    EXPECT_FALSE(in.isOpen());
  }
  Buffer b(100);
  EXPECT_EQ(in.prepare(b.h), kWaveError);
  EXPECT_EQ(in.addBuffer(b.h), kWaveError);
  EXPECT_EQ(in.start(), kWaveError);
  EXPECT_EQ(in.stop(), kWaveError);
  EXPECT_EQ(in.reset(), kWaveError);
  EXPECT_EQ(in.close(), kWaveError);
  EXPECT_FALSE(b.h.done());

  // Without an input device even the capture format cannot be opened.
  EXPECT_EQ(in.open(kCapture), device ? kWaveOk : kWaveError);
  EXPECT_EQ(in.close(), device ? kWaveOk : kWaveError);
}

// Writes bytes into the audio server's feed at the pace of real time, then silence until it is
// finished or destroyed, from a thread of its own. It never blocks for long: the server stops
// reading the feed when nobody records, and the feed is then full.
class FeedWriter {
 public:
  FeedWriter(const std::string& fifo, std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
    fd_ = ::open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
    if (fd_ < 0) return;
    thread_ = std::thread([this] { run(); });
  }
  ~FeedWriter() { finish(); }
  bool ok() const { return fd_ >= 0; }
  // Stops writing: the server's feed then delivers nothing more.
  void finish() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  void run() {
    constexpr size_t kChunk = kRate / 50;  // 20 ms
    const std::vector<uint8_t> silence(kChunk, 128);
    auto due = std::chrono::steady_clock::now();
    size_t at = 0;
    while (!stop_) {
      const uint8_t* from = silence.data();
      size_t n = kChunk;
      if (at < bytes_.size()) {
        from = bytes_.data() + at;
        n = std::min(kChunk, bytes_.size() - at);
        at += n;
      }
      while (n > 0 && !stop_) {
        const ssize_t put = ::write(fd_, from, n);
        if (put > 0) {
          from += put;
          n -= static_cast<size_t>(put);
        } else if (put < 0 && errno != EAGAIN) {
          return;
        } else {
          pollfd p{fd_, POLLOUT, 0};
          ::poll(&p, 1, 20);
        }
      }
      due += std::chrono::milliseconds(20);
      std::this_thread::sleep_until(due);
    }
  }

  std::vector<uint8_t> bytes_;
  int fd_ = -1;
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The input device of the test audio server (scripts/audio-server.sh): its source "feed" takes
// what is written into the FIFO named by PARLOMAT_AUDIO_FEED.
class SoundCardTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QByteArray fifo = qgetenv("PARLOMAT_AUDIO_FEED");
    struct stat st {};
    if (fifo.isEmpty() || ::stat(fifo.constData(), &st) != 0 || !S_ISFIFO(st.st_mode)) {
      GTEST_SKIP() << "no audio server to capture from (start one with scripts/audio-server.sh)";
    }
    feedPath = fifo.toStdString();
    // One test at a time feeds the server, whatever runs the tests side by side.
    lock_ = ::open((feedPath + ".lock").c_str(), O_CREAT | O_RDWR, 0600);
    ASSERT_GE(lock_, 0);
    ASSERT_EQ(::flock(lock_, LOCK_EX), 0);
    // Nobody records now, so the server does not read the feed: drop what an earlier writer left.
    const int stale = ::open(feedPath.c_str(), O_RDONLY | O_NONBLOCK);
    ASSERT_GE(stale, 0);
    char sink[4096];
    while (::read(stale, sink, sizeof sink) > 0) {
    }
    ::close(stale);
    for (const QAudioDevice& d : QMediaDevices::audioInputs()) {
      if (d.id() == "feed") feed = d;
    }
    ASSERT_FALSE(feed.isNull()) << "the audio server runs but Qt does not list its source feed";
  }

  void TearDown() override {
    if (lock_ >= 0) ::close(lock_);
  }

  std::vector<uint8_t> pattern(size_t n) {
    std::mt19937 gen(11);
    std::vector<uint8_t> out(n);
    for (uint8_t& b : out) b = static_cast<uint8_t>(gen() % 256);
    return out;
  }

  std::string feedPath;
  QAudioDevice feed;
  QtEventLoop loop;

 private:
  int lock_ = -1;
};

// As the capture loop does: buffer after buffer into the sample buffer, waiting on the event loop
// for the done mark, then a stop in the middle of a buffer (stop, reset, unprepare, close). The
// buffers hold the fed bytes exactly, from the first one on, with no gap between two buffers.
TEST_F(SoundCardTest, SampleBufferReceivesTheSoundBitExact) {
  QtWaveIn in;
  in.setDevice(feed);
  ASSERT_EQ(in.queryCapabilities(0), kWaveOk);
  ASSERT_EQ(in.open(kCapture), kWaveOk);
  const int length = kDspLevel + kRate;  // one second and the analysis margin
  Buffer first(length), second(length);

  // Silence, then half a second of sound that runs across the end of the first buffer.
  const std::vector<uint8_t> spoken = pattern(kRate / 2);
  std::vector<uint8_t> fed(static_cast<size_t>(length) - kRate / 4, 128);
  fed.insert(fed.end(), spoken.begin(), spoken.end());
  std::unique_ptr<FeedWriter> writer;
  for (Buffer* b : {&first, &second}) {
    ASSERT_EQ(in.prepare(b->h), kWaveOk);
    ASSERT_EQ(in.addBuffer(b->h), kWaveOk);
    ASSERT_EQ(in.start(), kWaveOk);
    if (!writer) {
      writer = std::make_unique<FeedWriter>(feedPath, fed);
      ASSERT_TRUE(writer->ok());
    }
    ASSERT_TRUE(testing::waitFor(
        loop, [&] { return b->h.done(); }, 10'000))
        << b->h.bytesRecorded << " bytes after 10 s";
    EXPECT_EQ(in.unprepare(b->h), kWaveOk);
    EXPECT_EQ(b->h.bytesRecorded, length);
  }
  std::vector<uint8_t> all = first.recorded();
  const auto more = second.recorded();
  all.insert(all.end(), more.begin(), more.end());
  std::vector<uint8_t> expected = fed;
  expected.resize(all.size(), 128);
  ASSERT_EQ(all.size(), expected.size());
  const auto differ = std::mismatch(all.begin(), all.end(), expected.begin());
  EXPECT_EQ(differ.first, all.end()) << "first difference at byte " << differ.first - all.begin();

  Buffer third(length);
  ASSERT_EQ(in.prepare(third.h), kWaveOk);
  ASSERT_EQ(in.addBuffer(third.h), kWaveOk);
  ASSERT_EQ(in.start(), kWaveOk);
  ASSERT_TRUE(testing::waitFor(
      loop, [&] { return third.h.bytesRecorded > 0; }, 5'000));
  EXPECT_FALSE(third.h.done());
  EXPECT_EQ(in.unprepare(third.h), kWaveError);
  EXPECT_EQ(in.close(), kWaveError);
  EXPECT_EQ(in.stop(), kWaveOk);
  EXPECT_EQ(in.reset(), kWaveOk);
  EXPECT_TRUE(third.h.done());
  EXPECT_LT(third.h.bytesRecorded, length);
  EXPECT_EQ(in.unprepare(third.h), kWaveOk);
  EXPECT_EQ(in.close(), kWaveOk);
  for (const Buffer* b : {&first, &second, &third}) EXPECT_TRUE(b->guardIntact());
  EXPECT_FALSE(in.failed());
}

// A device that stops delivering (here the feed runs dry) hands the waiting buffer back within
// the stall time instead of leaving the capture to wait for ever, and refuses the next one. A
// quiet spell while no buffer waits is no stall.
TEST_F(SoundCardTest, DeviceThatFallsSilentHandsTheBufferBackAndRefusesMore) {
  constexpr int kStallMs = 600;
  QtWaveIn in;
  in.setDevice(feed);
  in.setStallMs(kStallMs);
  ASSERT_EQ(in.open(kCapture), kWaveOk);
  ASSERT_EQ(in.start(), kWaveOk);
  testing::serveFor(loop, kStallMs * 3 / 2);
  Buffer b(kRate * 10);
  ASSERT_EQ(in.prepare(b.h), kWaveOk);
  ASSERT_EQ(in.addBuffer(b.h), kWaveOk);
  // The stall time counts from here: a few watchdog rounds pass before the sound comes.
  testing::serveFor(loop, kStallMs / 2);
  FeedWriter writer(feedPath, pattern(kRate / 5));
  ASSERT_TRUE(writer.ok());
  ASSERT_TRUE(testing::waitFor(
      loop, [&] { return b.h.bytesRecorded > kRate / 10; }, 5'000));
  EXPECT_FALSE(in.failed());
  writer.finish();
  const int64_t dry = loop.nowMicros();
  ASSERT_TRUE(testing::waitFor(
      loop, [&] { return b.h.done(); }, kStallMs + 5'000));
  EXPECT_GE(loop.nowMicros() - dry, (kStallMs - 100) * 1000);
  EXPECT_TRUE(in.failed());
  EXPECT_LT(b.h.bytesRecorded, b.h.bufferLength);
  EXPECT_EQ(in.unprepare(b.h), kWaveOk);
  EXPECT_EQ(in.prepare(b.h), kWaveOk);
  EXPECT_EQ(in.addBuffer(b.h), kWaveError);
  EXPECT_EQ(in.start(), kWaveError);
  EXPECT_EQ(in.close(), kWaveOk);
  // Opened again, it records again.
  ASSERT_EQ(in.open(kCapture), kWaveOk);
  EXPECT_FALSE(in.failed());
  EXPECT_EQ(in.close(), kWaveOk);
  EXPECT_TRUE(b.guardIntact());
}

}  // namespace
}  // namespace parlomat
