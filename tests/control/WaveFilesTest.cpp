#include "control/WaveFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/Variant.h"
#include "support/TestSupport.h"

namespace parlomat {
namespace {

using Bytes = std::vector<uint8_t>;

void put32(Bytes& v, uint32_t x) {
  for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
}
void put16(Bytes& v, uint16_t x) {
  v.push_back(static_cast<uint8_t>(x));
  v.push_back(static_cast<uint8_t>(x >> 8));
}
Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

// A chunk with its header; `declared` overrides the length its header gives.
Bytes chunk(const char* id, const Bytes& body, int64_t declared = -1) {
  Bytes v(id, id + 4);
  put32(v, static_cast<uint32_t>(declared >= 0 ? declared : static_cast<int64_t>(body.size())));
  v = v + body;
  if (body.size() % 2 == 1) v.push_back(0);
  return v;
}
Bytes riff(const char* form, const Bytes& chunks) {
  Bytes v{'R', 'I', 'F', 'F'};
  put32(v, static_cast<uint32_t>(4 + chunks.size()));
  v.insert(v.end(), form, form + 4);
  return v + chunks;
}
Bytes pcm(uint16_t channels, uint32_t rate, uint16_t bits, size_t extra = 0) {
  Bytes v;
  put16(v, 1);
  put16(v, channels);
  put32(v, rate);
  put32(v, rate * channels * bits / 8);
  put16(v, static_cast<uint16_t>(channels * bits / 8));
  put16(v, bits);
  v.resize(16 + extra, 0);
  return v;
}
Bytes samples(size_t n) {
  Bytes v(n);
  for (size_t i = 0; i < n; ++i) v[i] = static_cast<uint8_t>(i * 7 + 3);
  return v;
}
Bytes cut(Bytes v, size_t size) {
  v.resize(size);
  return v;
}

class WaveFilesTest : public testing::SimFixture {
 protected:
  // Loads `bytes` from a file; the box it shows, if any, answered with OK.
  bool load(const Bytes& bytes) {
    testing::writeFile(dir / "test.wav", bytes);
    return LoadWaveFile(*engine, path("test.wav"));
  }
  ControlState& s() { return engine->state; }
};

TEST_F(WaveFilesTest, EachFaultGivesItsMessage) {
  const Bytes fmt = chunk("fmt ", pcm(1, 8000, 8));
  const Bytes data = chunk("data", samples(100));
  const struct {
    const char* name;
    Bytes file;
    const char* message;
  } cases[] = {
      {"text file", Bytes{'j', 'u', 's', 't', ' ', 't', 'e', 'x', 't', '\n'}, "Corrupt Wavechunk."},
      {"empty file", Bytes{}, "Corrupt Wavechunk."},
      {"another form", riff("AVI ", fmt + data), "Corrupt Wavechunk."},
      {"no fmt", riff("WAVE", data), "Corrupt Fmt chunk"},
      {"data before fmt", riff("WAVE", data + fmt), "Corrupt data chunk"},
      {"no data", riff("WAVE", fmt), "Corrupt data chunk"},
      {"empty fmt", riff("WAVE", chunk("fmt ", {}) + data), "Corrupt Wave Format Record"},
      {"cut after the fmt header", cut(riff("WAVE", fmt + data), 20), "Corrupt Wave Format Record"},
      {"cut inside fmt", cut(riff("WAVE", fmt + data), 30), "Corrupt fmt chunk"},
      {"cut after the data header", cut(riff("WAVE", fmt + data), 44), " Corrupt wave data"},
  };
  for (const auto& c : cases) {
    answer("OK");
    EXPECT_FALSE(load(c.file)) << c.name;
    const auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u) << c.name;
    EXPECT_EQ(boxes[0].text, c.message) << c.name;
    EXPECT_EQ(boxes[0].title, "Parlomat Wave ERROR");
    EXPECT_EQ(boxes[0].icon, Icon::Critical);
  }
}

TEST_F(WaveFilesTest, AFileThatDoesNotOpenIsReported) {
  for (const std::string& p : {path("missing.wav"), dir.string()}) {
    answer("OK");
    EXPECT_FALSE(LoadWaveFile(*engine, p));
    const auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Sorry ! Couldn't open the wav file you specified.");
  }
}

TEST_F(WaveFilesTest, AFormatTheDeviceRefusesIsReportedAfterItIsKept) {
  sim.waveOut.refuseFormats(true);
  s().sampleBuffer = {1, 2, 3};
  answer("OK");
  EXPECT_FALSE(load(riff("WAVE", chunk("fmt ", pcm(2, 44100, 16)) + chunk("data", samples(8)))));
  EXPECT_EQ(takeBoxes().at(0).text, "Corrupt Format");
  EXPECT_EQ(sim.waveOut.calls(), std::vector<std::string>{"query"});
  EXPECT_EQ(s().waveFormat.samplesPerSec, 44100);
  EXPECT_EQ(s().sampleBuffer, (Bytes{1, 2, 3}));
}

TEST_F(WaveFilesTest, SixteenBitStereoLoadsAsBytes) {
  const Bytes data = samples(1000);
  ASSERT_TRUE(load(riff("WAVE", chunk("fmt ", pcm(2, 22050, 16)) + chunk("data", data))));
  EXPECT_EQ(s().sampleBuffer, data);
  EXPECT_EQ(s().sampleCount, 1000);
  EXPECT_EQ(s().waveHeader.bufferLength, 1000);
  EXPECT_EQ(s().waveHeader.data, s().sampleBuffer.data());
  EXPECT_EQ(s().waveHeader.flags, 0);
  EXPECT_EQ(s().waveHeader.loops, 0);
  EXPECT_EQ(s().waveFormat.channels, 2);
  EXPECT_EQ(s().waveFormat.bitsPerSample, 16);
  EXPECT_EQ(s().waveFormat.blockAlign, 4);
  EXPECT_EQ(s().waveFormat.avgBytesPerSec, 88200);
}

// An extended format record, and odd-length chunks with their pad bytes before the data.
TEST_F(WaveFilesTest, LongFormatChunksAndOtherChunksAreStepped) {
  const Bytes data = samples(333);
  const Bytes file = riff("WAVE", chunk("LIST", samples(5)) + chunk("fmt ", pcm(1, 11025, 8, 2)) +
                                      chunk("fact", samples(3)) + chunk("data", data));
  ASSERT_TRUE(load(file));
  EXPECT_EQ(s().sampleBuffer, data);
  EXPECT_EQ(s().waveFormat.samplesPerSec, 11025);
  EXPECT_EQ(s().waveFormat.bitsPerSample, 8);
}

TEST_F(WaveFilesTest, AnEmptyDataChunkIsASubscriptError) {
  s().sampleBuffer = {9};
  EXPECT_THROW(load(riff("WAVE", chunk("fmt ", pcm(1, 8000, 8)) + chunk("data", {}))),
               SubscriptOutOfRange);
  EXPECT_TRUE(takeBoxes().empty());
  EXPECT_EQ(s().sampleBuffer, Bytes{9});
}

// A data chunk that claims more than the file holds loads the bytes that are there, rather
// than inventing the missing ones.
TEST_F(WaveFilesTest, ADataChunkCutShortLoadsWhatIsThere) {
  const Bytes file =
      riff("WAVE", chunk("fmt ", pcm(1, 8000, 8)) + chunk("data", samples(50), 5000));
  ASSERT_TRUE(load(file));
  EXPECT_EQ(s().sampleBuffer, samples(50));
  EXPECT_EQ(s().sampleCount, 50);
}

// Damaged copies of a good file: every load either succeeds with bytes of the file or fails with
// one of the loader's messages; none reads past the end of the file.
TEST_F(WaveFilesTest, NoDamagedFileBreaksTheLoader) {
  sim.dialogs.setStrict(false);
  const Bytes good = riff("WAVE", chunk("LIST", samples(5)) + chunk("fmt ", pcm(1, 8000, 8, 2)) +
                                      chunk("data", samples(301)));
  const std::vector<std::string> messages = {
      "Corrupt Wavechunk.", "Corrupt Fmt chunk",  "Corrupt Wave Format Record", "Corrupt Format",
      "Corrupt fmt chunk",  "Corrupt data chunk", " Corrupt wave data"};
  std::mt19937 rng(99);
  auto below = [&rng](size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng); };
  int loaded = 0;
  for (int round = 0; round < 300; ++round) {
    Bytes file = good;
    for (int k = static_cast<int>(below(4)); k >= 0; --k) {
      const size_t at = below(64);  // the headers
      file[at] = below(3) == 0 ? static_cast<uint8_t>(below(256)) : 0xFF;
    }
    if (below(3) == 0) file.resize(below(file.size() + 1));
    sim.dialogs.clear();
    s().sampleBuffer.clear();
    bool ok = false;
    try {
      ok = load(file);
    } catch (const SubscriptOutOfRange&) {
      continue;
    }
    const auto& boxes = sim.dialogs.shown();
    if (ok) {
      ++loaded;
      EXPECT_TRUE(boxes.empty());
      ASSERT_FALSE(s().sampleBuffer.empty());
      EXPECT_EQ(s().sampleCount, static_cast<int32_t>(s().sampleBuffer.size()));
      EXPECT_NE(
          std::search(file.begin(), file.end(), s().sampleBuffer.begin(), s().sampleBuffer.end()),
          file.end());
    } else {
      ASSERT_EQ(boxes.size(), 1u) << "round " << round;
      EXPECT_NE(std::find(messages.begin(), messages.end(), boxes[0].text), messages.end())
          << boxes[0].text;
    }
  }
  EXPECT_GT(loaded, 10);
}

}  // namespace
}  // namespace parlomat
