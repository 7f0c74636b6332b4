#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "platform/qt/CaptureSound.h"
#include "tests/qt/QtTestSupport.h"

namespace parlomat {
namespace {

std::vector<uint8_t> le16s(std::initializer_list<int> samples) {
  std::vector<uint8_t> out;
  for (int s : samples) {
    out.push_back(static_cast<uint8_t>(s & 0xFF));
    out.push_back(static_cast<uint8_t>((s >> 8) & 0xFF));
  }
  return out;
}

TEST(CaptureSound, FileBecomesUnsigned8BitMonoAtTheCaptureRate) {
  std::vector<uint8_t> ramp(256);
  for (int i = 0; i < 256; ++i) ramp[static_cast<size_t>(i)] = static_cast<uint8_t>(i);
  struct Case {
    const char* name;
    int rate, channels, bits;
    std::vector<uint8_t> data;
    int captureRate;
    std::vector<uint8_t> expected;
  };
  const Case cases[] = {
      {"8-bit mono at the capture rate, byte for byte", 22050, 1, 8, ramp, 22050, ramp},
      // Every second sample lies half way between two of the file.
      {"8-bit mono doubled", 11025, 1, 8, {128, 138, 148}, 22050, {128, 133, 138, 143, 148, 148}},
      // (L + R) / 2 / 32768 * 128 + 128: the channels' mean, every second frame.
      {"16-bit stereo halved",
       44100,
       2,
       16,
       le16s({2560, -512, 0, 0, -2560, 512, 0, 0}),
       22050,
       {132, 124}},
      {"16-bit mono at full scale is clamped",
       8000,
       1,
       16,
       le16s({32767, -32768, 256, -256}),
       8000,
       {255, 0, 129, 127}},
      {"8-bit at a rate that does not divide", 8000, 1, 8, {0, 255, 0, 255}, 6000, {0, 170, 170}},
  };
  testing::TempFolder tmp;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = tmp.path("in.wav");
    testing::writeWave(path, c.rate, c.channels, c.bits, c.data);
    std::string why;
    auto got = loadCaptureSound(path, c.captureRate, &why);
    ASSERT_TRUE(got.has_value()) << why;
    EXPECT_EQ(*got, c.expected);
  }
}

// Chunks are walked with their padding; a data chunk cut short keeps what the file holds.
TEST(CaptureSound, ChunksAreWalkedAndBrokenFilesRefusedWithAReason) {
  auto chunk = [](const std::string& id, std::vector<uint8_t> body, int64_t claimed = -1) {
    std::vector<uint8_t> out(id.begin(), id.end());
    const uint32_t size = static_cast<uint32_t>(claimed < 0 ? body.size() : claimed);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(size >> (8 * i)));
    out.insert(out.end(), body.begin(), body.end());
    if (claimed < 0 && body.size() % 2 == 1) out.push_back(0);
    return out;
  };
  auto fmt = [&](int tag, int channels, int rate, int bits) {
    std::vector<uint8_t> b = le16s({tag, channels});
    for (int v : {rate, rate * channels * bits / 8}) {
      for (int i = 0; i < 4; ++i) b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    auto rest = le16s({channels * bits / 8, bits});
    b.insert(b.end(), rest.begin(), rest.end());
    return chunk("fmt ", b);
  };
  auto riff = [](std::initializer_list<std::vector<uint8_t>> chunks) {
    std::vector<uint8_t> body = {'W', 'A', 'V', 'E'};
    for (const auto& c : chunks) body.insert(body.end(), c.begin(), c.end());
    std::vector<uint8_t> out = {'R', 'I', 'F', 'F'};
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(body.size() >> (8 * i)));
    out.insert(out.end(), body.begin(), body.end());
    return out;
  };
  struct Case {
    const char* name;
    std::vector<uint8_t> file;
    std::optional<std::vector<uint8_t>> expected;
  };
  const Case cases[] = {
      {"odd chunk before the data",
       riff({fmt(1, 1, 8000, 8), chunk("LIST", {1, 2, 3}), chunk("data", {10, 20, 30})}),
       std::vector<uint8_t>{10, 20, 30}},
      {"data cut short", riff({fmt(1, 1, 8000, 8), chunk("data", {7, 8}, 1000)}),
       std::vector<uint8_t>{7, 8}},
      {"24-bit", riff({fmt(1, 1, 8000, 24), chunk("data", {1, 2, 3})}), std::nullopt},
      {"floating point", riff({fmt(3, 1, 8000, 32), chunk("data", {1, 2, 3, 4})}), std::nullopt},
      {"no channels", riff({fmt(1, 0, 8000, 8), chunk("data", {1})}), std::nullopt},
      {"data before its format", riff({chunk("data", {1}), fmt(1, 1, 8000, 8)}), std::nullopt},
      {"no data", riff({fmt(1, 1, 8000, 8)}), std::nullopt},
      {"not a wave file", {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '}, std::nullopt},
      {"empty", {}, std::nullopt},
  };
  testing::TempFolder tmp;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = tmp.path("in.wav");
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(c.file.data()),
               static_cast<std::streamsize>(c.file.size()));
    std::string why;
    auto got = loadCaptureSound(path, 8000, &why);
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(why.empty(), c.expected.has_value()) << why;
  }
  std::string why;
  EXPECT_FALSE(loadCaptureSound(tmp.path("missing.wav"), 8000, &why));
  EXPECT_NE(why.find("missing.wav"), std::string::npos) << why;
}

}  // namespace
}  // namespace parlomat
