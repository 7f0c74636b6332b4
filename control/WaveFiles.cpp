#include "control/WaveFiles.h"

#include <sys/stat.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

#include "platform/Variant.h"

namespace parlomat {

namespace {

// A file opened for reading, read at explicit offsets; a read past the end returns fewer bytes.
class InputFile {
 public:
  explicit InputFile(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return;
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ && std::fseek(file_, 0, SEEK_END) == 0) size_ = ftello(file_);
  }
  ~InputFile() {
    if (file_) std::fclose(file_);
  }
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;

  bool isOpen() const { return file_ != nullptr && size_ >= 0; }
  int64_t size() const { return size_; }

  int64_t readAt(int64_t offset, void* out, int64_t count) {
    if (offset < 0 || offset >= size_ || count <= 0) return 0;
    count = std::min(count, size_ - offset);
    if (fseeko(file_, static_cast<off_t>(offset), SEEK_SET) != 0) return 0;
    return static_cast<int64_t>(std::fread(out, 1, static_cast<size_t>(count), file_));
  }

 private:
  std::FILE* file_ = nullptr;
  int64_t size_ = -1;
};

using FourCC = std::array<char, 4>;

uint32_t le32(const uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
int16_t le16(const uint8_t* p) {
  return static_cast<int16_t>(p[0] | (p[1] << 8));
}
bool isCode(const uint8_t* p, const char* code) {
  return std::memcmp(p, code, 4) == 0;
}

// A chunk's data: where it begins and how long its header says it is.
struct Chunk {
  int64_t data = 0;
  int64_t size = 0;
  int64_t end() const { return data + size; }
  int64_t endPadded() const { return data + size + (size & 1); }
};

// The first RIFF form of the given type at the top level of the file.
std::optional<Chunk> descendForm(InputFile& f, const char* type) {
  int64_t pos = 0;
  uint8_t h[12];
  while (f.readAt(pos, h, 8) == 8) {
    const Chunk c{pos + 8, le32(h + 4)};
    if (isCode(h, "RIFF") && c.size >= 4 && f.readAt(pos + 8, h + 8, 4) == 4 &&
        isCode(h + 8, type)) {
      return Chunk{c.data + 4, c.size - 4};
    }
    pos = c.endPadded();
  }
  return std::nullopt;
}

// The first chunk with the given code among the chunks from `from` to the end of `parent`.
std::optional<Chunk> descendChunk(InputFile& f, const Chunk& parent, int64_t from,
                                  const char* code) {
  int64_t pos = from;
  uint8_t h[8];
  while (pos + 8 <= parent.end() && f.readAt(pos, h, 8) == 8) {
    const Chunk c{pos + 8, le32(h + 4)};
    if (isCode(h, code)) return c;
    pos = c.endPadded();
  }
  return std::nullopt;
}

WaveFormat formatFrom(const uint8_t* r) {
  WaveFormat w;
  w.formatTag = le16(r);
  w.channels = le16(r + 2);
  w.samplesPerSec = static_cast<int32_t>(le32(r + 4));
  w.avgBytesPerSec = static_cast<int32_t>(le32(r + 8));
  w.blockAlign = le16(r + 12);
  w.bitsPerSample = le16(r + 14);
  return w;
}

}  // namespace

bool LoadWaveFile(Engine& e, const std::string& path) {
  ControlState& s = e.state;
  auto fail = [&e](const char* text) {
    e.message(text, "Parlomat Wave ERROR", Buttons::Ok, Icon::Critical);
    return false;
  };

  InputFile f(path);
  if (!f.isOpen()) return fail("Sorry ! Couldn't open the wav file you specified.");
  const auto form = descendForm(f, "WAVE");
  if (!form) return fail("Corrupt Wavechunk.");
  const auto fmt = descendChunk(f, *form, form->data, "fmt ");
  if (!fmt) return fail("Corrupt Fmt chunk");

  // Only the 16 bytes of the PCM format record are kept from a longer chunk.
  uint8_t record[16] = {};
  if (f.readAt(fmt->data, record, std::min<int64_t>(fmt->size, sizeof record)) <= 0) {
    return fail("Corrupt Wave Format Record");
  }
  s.waveFormat = formatFrom(record);
  if (e.platform.waveOut->open(s.waveFormat, /*queryOnly=*/true) != kWaveOk) {
    return fail("Corrupt Format");
  }
  if (fmt->end() > f.size()) return fail("Corrupt fmt chunk");

  const auto data = descendChunk(f, *form, fmt->endPadded(), "data");
  if (!data) return fail("Corrupt data chunk");
  if (data->size == 0) throw SubscriptOutOfRange();

  const int64_t present =
      std::min<int64_t>({data->size, f.size() - data->data, std::numeric_limits<int32_t>::max()});
  std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(present, 0)));
  const int64_t got = f.readAt(data->data, bytes.data(), present);
  if (got <= 0) return fail(" Corrupt wave data");
  bytes.resize(static_cast<size_t>(got));

  s.sampleBuffer = std::move(bytes);
  s.waveHeader.data = s.sampleBuffer.data();
  s.waveHeader.bufferLength = static_cast<int32_t>(got);
  s.waveHeader.flags = 0;
  s.waveHeader.loops = 0;
  s.sampleCount = static_cast<int32_t>(got);
  return true;
}

}  // namespace parlomat
