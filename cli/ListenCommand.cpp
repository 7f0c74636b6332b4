// listen: the listening cycle hearing a recording through the simulated microphone, in virtual
// time, with every ranking of words printed as it is published.
#include <algorithm>
#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Json.h"

namespace parlomat {

namespace {

// Unsigned 8-bit mono samples of a recording, or the reason it cannot be heard.
struct Recording {
  std::vector<uint8_t> samples;
  int32_t rate = 0;
  std::string error;
};

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<size_t>(i)];
  return v;
}

// Reads a PCM RIFF wave file. 16-bit samples keep their high byte and several channels are
// averaged, so any PCM recording is heard as the control records: unsigned 8-bit mono.
Recording readRecording(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) return {{}, 0, "cannot open " + path};
  const std::vector<uint8_t> b{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
  if (b.size() < 12 || le(b, 0, 4) != 0x46464952u || le(b, 8, 4) != 0x45564157u) {
    return {{}, 0, path + " is not a RIFF wave file"};
  }
  int channels = 0, bits = 0;
  int32_t rate = 0;
  bool haveFormat = false;
  for (size_t at = 12; at + 8 <= b.size();) {
    const uint32_t id = le(b, at, 4);
    const size_t size = le(b, at + 4, 4);
    const size_t body = at + 8;
    const size_t available = std::min(size, b.size() - body);
    if (id == 0x20746d66u && available >= 16) {  // "fmt "
      const uint32_t tag = le(b, body, 2);
      channels = static_cast<int>(le(b, body + 2, 2));
      rate = static_cast<int32_t>(le(b, body + 4, 4));
      bits = static_cast<int>(le(b, body + 14, 2));
      if (tag != 1 && tag != 0xFFFE) return {{}, 0, path + " is not PCM"};
      haveFormat = true;
    } else if (id == 0x61746164u) {  // "data"
      if (!haveFormat) return {{}, 0, path + " has no format before its data"};
      if ((bits != 8 && bits != 16) || channels < 1) {
        return {{}, 0, path + ": only 8-bit or 16-bit PCM can be heard"};
      }
      const size_t frame = static_cast<size_t>(channels) * static_cast<size_t>(bits / 8);
      Recording r{{}, rate, {}};
      r.samples.reserve(available / frame);
      for (size_t p = body; p + frame <= body + available; p += frame) {
        int64_t sum = 0;  // the channels' sum on the signed 16-bit scale
        for (int ch = 0; ch < channels; ++ch) {
          const size_t s = p + static_cast<size_t>(ch) * static_cast<size_t>(bits / 8);
          sum += bits == 8 ? (int64_t{b[s]} - 128) * 256
                           : static_cast<int16_t>(static_cast<uint16_t>(le(b, s, 2)));
        }
        r.samples.push_back(static_cast<uint8_t>((sum / channels + 32768) >> 8));
      }
      return r;
    }
    at = body + size + (size & 1);
  }
  return {{}, 0, path + " has no data chunk"};
}

void printRanking(std::ostream& out, const ControlState& s, bool asJson) {
  if (asJson) {
    out << "{\"set\":" << s.platinumSetCount << ",\"platinum\":[";
    for (size_t k = 1; k <= 7; ++k) {
      out << (k > 1 ? "," : "") << "{\"word\":" << json::quote(s.platinumWord[k])
          << ",\"percent\":" << s.platinumPercent[k] << "}";
    }
    // The character string the ranking matched: the utterance's string after its last division.
    const int n = s.memoryDivisionCount[1];
    const bool inMemory = n >= 1 && n <= ControlState::kMemoryDivisions;
    out << "],\"chars\":" << json::quote(inMemory ? s.memoryDivisionChars[n] : "") << "}\n";
    return;
  }
  out << "set " << s.platinumSetCount << ":";
  for (size_t k = 1; k <= 7; ++k) {
    const std::string& word = s.platinumWord[k];
    out << (k > 1 ? " |" : "") << " " << (word.empty() ? "-" : word) << " " << s.platinumPercent[k]
        << "%";
  }
  out << "\n";
}

// Echoes message boxes to the error stream once each: the cycle may repeat a box at every tick,
// and a run of the same box is told as one line with its count.
class BoxEcho {
 public:
  explicit BoxEcho(std::ostream& err) : err_(err) {}
  void show(const DialogRecord& r) {
    const std::string line = "[" + r.title + "] " + r.text;
    if (line == last_) {
      ++repeats_;
      return;
    }
    flush();
    err_ << line << "\n";
    last_ = line;
  }
  void flush() {
    if (repeats_ > 0) err_ << "[the same box " << repeats_ << " more times]\n";
    repeats_ = 0;
  }

 private:
  std::ostream& err_;
  std::string last_;
  int64_t repeats_ = 0;
};

// Puts the context's box echo and the engine's ranking hook back however the command ends.
struct ListenScope {
  CliContext& c;
  std::function<void(const DialogRecord&)> savedEcho = c.sim.dialogs.onShow;
  ~ListenScope() {
    c.sim.dialogs.onShow = savedEcho;
    c.engine->wordsRanked = nullptr;
  }
};

// How long one capture pass records, in microseconds: the buffer at the recording rate, or the
// sampling time, whichever is longer.
int64_t passMicros(const ControlState& s) {
  const int64_t rate = s.recordingFrequency > 0 ? s.recordingFrequency : 22050;
  const int64_t bytes = int64_t{std::max<int16_t>(s.dspLevel, 0)} + std::max(s.sampleCount, 0);
  return std::max(bytes * 1000000 / rate, int64_t{s.samplingTimeMs} * 1000);
}

// The microphone has not moved on for this long past a pass: the cycle is halted or paused.
constexpr int64_t kStallMicros = 1000000;
constexpr double kWatchMs = 10;

}  // namespace

int listenCommand(CliContext& c, const Args& args) {
  std::optional<std::string> capture;
  bool asJson = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--capture") {
      if (i + 1 >= args.size()) throw UsageError{"listen: --capture needs a wave file"};
      capture = args[++i];
    } else if (a.rfind("--capture=", 0) == 0) {
      capture = a.substr(10);
    } else if (a == "--json") {
      asJson = true;
    } else {
      throw UsageError{"listen: unexpected '" + a + "'"};
    }
  }
  if (!capture) {
    c.err << "parlomat-cli: listen: live listening needs the sound card, which only the Qt build's "
             "programs reach (Lexbench, Tarnwick); parlomat-cli has no Qt. To hear a recording "
             "as if spoken, use: parlomat-cli listen --capture FILE.wav\n";
    return kExitUsage;
  }
  if (capture->empty()) throw UsageError{"listen: --capture needs a wave file"};
  const Recording recording = readRecording(*capture);
  if (!recording.error.empty()) {
    c.err << "parlomat-cli: listen: " << recording.error << "\n";
    return kExitFailed;
  }

  Parlomat& control = c.control();
  ControlState& s = c.engine->state;
  const int32_t heardRate = s.recordingFrequency > 0 ? s.recordingFrequency : 22050;
  if (recording.rate != heardRate) {
    c.err << "parlomat-cli: listen: note: " << *capture << " is sampled at " << recording.rate
          << " Hz and is heard at the recording rate, " << heardRate << " Hz\n";
  }

  ListenScope scope{c};
  BoxEcho echo(c.err);
  c.sim.dialogs.onShow = [&echo](const DialogRecord& r) { echo.show(r); };
  c.engine->wordsRanked = [&c, &s, asJson] { printRanking(c.out, s, asJson); };

  SimEventLoop& loop = c.sim.loop;
  SimWaveIn& microphone = c.sim.waveIn;
  microphone.setSource(recording.samples);
  const int64_t fileEnd = static_cast<int64_t>(recording.samples.size());

  control.Start_Real_Action("YES", 255, 0, 0);

  // Watches the microphone on the virtual clock: the cycle is stopped one pass after the last
  // sample of the file was heard, or once the microphone has stood still for longer than a pass.
  bool stopped = false;
  int64_t heardEnd = -1;
  int64_t lastPosition = microphone.position();
  int64_t lastProgress = loop.nowMicros();
  std::function<void()> watch = [&] {
    const int64_t now = loop.nowMicros();
    if (microphone.position() != lastPosition) {
      lastPosition = microphone.position();
      lastProgress = now;
    }
    if (heardEnd < 0 && microphone.position() >= fileEnd) heardEnd = now;
    const int64_t pass = passMicros(s);
    if ((heardEnd >= 0 && now >= heardEnd + pass) || now - lastProgress > pass + kStallMicros) {
      stopped = true;
      control.Stop_Real_Action();
      return;
    }
    loop.scheduleAfterMs(kWatchMs, watch);
  };
  loop.scheduleAfterMs(kWatchMs, watch);
  // The capture pass runs inside one Timer5 tick; the watch is served inside its waits.
  while (!stopped) loop.waitForEvent();
  echo.flush();
  return kExitOk;
}

}  // namespace parlomat
