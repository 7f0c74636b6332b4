#include "platform/qt/CaptureSound.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

namespace parlomat {

namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kExtensible = 0xFFFE;

uint32_t le16(const uint8_t* p) {
  return static_cast<uint32_t>(p[0] | (p[1] << 8));
}
uint32_t le32(const uint8_t* p) {
  return le16(p) | (le16(p + 2) << 16);
}

struct PcmLayout {
  uint32_t channels = 0;
  uint32_t rate = 0;
  uint32_t bits = 0;
};

std::optional<std::vector<uint8_t>> fail(std::string* why, const std::string& text) {
  if (why) *why = text;
  return std::nullopt;
}

// Each frame's channels averaged, scaled to -1 .. +1.
std::vector<double> mixDown(const uint8_t* data, size_t size, const PcmLayout& f) {
  const size_t bytes = f.bits / 8;
  const size_t frame = bytes * f.channels;
  const size_t frames = size / frame;
  std::vector<double> mono(frames);
  for (size_t i = 0; i < frames; ++i) {
    double sum = 0;
    for (size_t c = 0; c < f.channels; ++c) {
      const uint8_t* s = data + i * frame + c * bytes;
      sum += bytes == 1 ? (s[0] - 128) / 128.0 : static_cast<int16_t>(le16(s)) / 32768.0;
    }
    mono[i] = sum / f.channels;
  }
  return mono;
}

uint8_t toCaptureByte(double v) {
  return static_cast<uint8_t>(std::clamp(std::lround(128 + v * 128), 0L, 255L));
}

std::vector<uint8_t> resample(const std::vector<double>& in, int64_t from, int64_t to) {
  if (in.empty()) return {};
  const int64_t count = static_cast<int64_t>(in.size()) * to / from;
  std::vector<uint8_t> out(static_cast<size_t>(count));
  for (int64_t n = 0; n < count; ++n) {
    // Output sample n lies at input position n * from / to, in exact integer steps.
    const int64_t at = n * from;
    const size_t i = static_cast<size_t>(at / to);
    const double frac = static_cast<double>(at % to) / static_cast<double>(to);
    const double a = in[i];
    const double b = i + 1 < in.size() ? in[i + 1] : a;
    out[static_cast<size_t>(n)] = toCaptureByte(a + frac * (b - a));
  }
  return out;
}

}  // namespace

std::optional<std::vector<uint8_t>> loadCaptureSound(const std::string& path, int rate,
                                                     std::string* why) {
  if (rate <= 0) return fail(why, "the capture rate must be positive");
  std::ifstream file(path, std::ios::binary);
  if (!file) return fail(why, "cannot open " + path);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
      std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE") {
    return fail(why, path + " is not a RIFF WAVE file");
  }
  std::optional<PcmLayout> layout;
  size_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    const std::string id(bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                         bytes.begin() + static_cast<std::ptrdiff_t>(pos) + 4);
    const size_t size = le32(&bytes[pos + 4]);
    const size_t body = pos + 8;
    // A chunk cut short by the end of the file keeps what is there.
    const size_t present = std::min(size, bytes.size() - body);
    if (id == "fmt ") {
      if (present < 16) return fail(why, path + " has a short format chunk");
      const uint8_t* r = &bytes[body];
      uint32_t tag = le16(r);
      if (tag == kExtensible && present >= 26) tag = le16(r + 24);
      layout = PcmLayout{le16(r + 2), le32(r + 4), le16(r + 14)};
      if (tag != kPcm || (layout->bits != 8 && layout->bits != 16) || layout->channels == 0 ||
          layout->rate == 0) {
        return fail(why, path + " is not 8- or 16-bit integer PCM");
      }
    } else if (id == "data") {
      if (!layout) return fail(why, path + " has no format chunk before its data");
      const std::vector<double> mono = mixDown(&bytes[body], present, *layout);
      return resample(mono, layout->rate, rate);
    }
    pos = body + size + (size & 1);
  }
  return fail(why, path + " has no data chunk");
}

}  // namespace parlomat
