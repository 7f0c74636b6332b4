// parlomat-cli listen: a recording heard through the simulated microphone in virtual time, each
// published ranking printed as a line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "cli/CliApp.h"
#include "matching/RecordFixtures.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

// Three seconds at 22050 Hz, silent but for one loud stretch of 2646 positions (0.12 s) inside the
// second capture buffer.
std::vector<uint8_t> spokenWord() {
  std::vector<uint8_t> v(66150, 128);
  for (size_t p = 18280; p < 18280 + 2646; ++p) v[p] = (p / 25) % 2 ? 188 : 68;
  return v;
}

// The same sound as 16-bit stereo: both channels carry it on the signed 16-bit scale.
std::vector<uint8_t> stereo16(const std::vector<uint8_t>& mono8) {
  std::vector<uint8_t> v;
  for (uint8_t b : mono8) {
    const uint16_t s = static_cast<uint16_t>((b - 128) * 256);
    for (int ch = 0; ch < 2; ++ch) {
      v.push_back(static_cast<uint8_t>(s));
      v.push_back(static_cast<uint8_t>(s >> 8));
    }
  }
  return v;
}

std::vector<uint8_t> waveHeaderFor(uint32_t dataBytes, uint16_t channels, uint32_t rate,
                                   uint16_t bits) {
  std::vector<uint8_t> v;
  auto put = [&v](uint32_t x, int n) {
    for (int i = 0; i < n; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
  };
  for (char c : std::string("RIFF")) v.push_back(static_cast<uint8_t>(c));
  put(36 + dataBytes, 4);
  for (char c : std::string("WAVEfmt ")) v.push_back(static_cast<uint8_t>(c));
  put(16, 4);
  put(1, 2);
  put(channels, 2);
  put(rate, 4);
  put(rate * channels * bits / 8, 4);
  put(channels * bits / 8, 2);
  put(bits, 2);
  for (char c : std::string("data")) v.push_back(static_cast<uint8_t>(c));
  put(dataBytes, 4);
  return v;
}

class ListenCommandTest : public ::testing::Test {
 protected:
  ListenCommandTest()
      : dir(std::filesystem::temp_directory_path() /
            ("listen-" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()))) {
    std::filesystem::create_directories(dir);
    writeRecords(dir / "words.Lang", std::vector{languageRecord(1, "SHORT", 2600, {{"*", 100}}),
                                                 languageRecord(2, "LONG", 8000, {{"*", 100}})});
  }
  ~ListenCommandTest() override {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  std::string file(const std::string& name, const std::vector<uint8_t>& bytes) {
    writeFile(dir / name, bytes);
    return (dir / name).string();
  }
  // Listening with artificial intelligence, two seconds of sampling time a pass.
  std::vector<std::string> listen(const std::vector<std::string>& tail) {
    std::vector<std::string> args = {
        "--set", "Speech_sampling_time_in_ms=2000",
        "--set", "Keep_Digital_Signal_Processing_level=Middle",
        "--set", "Voice_Grab_Delay=20000",
        "--set", "Enable_Artificial_Intelligence=YES",
        "--set", "Add_To_Language=NO",
        "--set", "Consider_this_Lang_File_to_match=" + (dir / "words").string(),
        "listen"};
    args.insert(args.end(), tail.begin(), tail.end());
    return args;
  }
  std::filesystem::path dir;
};

TEST_F(ListenCommandTest, PrintsEachRankingAsItIsPublishedTheSameOnEveryRun) {
  const std::string wav = file("word.wav", waveFileBytes(spokenWord()));
  const CliRun first = cli(listen({"--capture", wav}));
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_EQ(first.err, "");
  EXPECT_EQ(first.out, "set 1: SHORT 90% | LONG 70% | - 0% | - 0% | - 0% | - 0% | - 0%\n");
  const CliRun second = cli(listen({"--capture=" + wav}));
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(second.out, first.out);

  const CliRun json = cli(listen({"--json", "--capture", wav}));
  ASSERT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out,
            R"({"set":1,"platinum":[{"word":"SHORT","percent":90},{"word":"LONG","percent":70},)"
            R"({"word":"","percent":0},{"word":"","percent":0},{"word":"","percent":0},)"
            R"({"word":"","percent":0},{"word":"","percent":0}],"chars":""})"
            "\n");
}

// The bundled example's "yes", heard as spoken with the settings it was trained with (transforms
// of 128 bins, one vocabulary file whose best characters make the Golden string).
TEST_F(ListenCommandTest, TheBundledUtteranceGivesItsWord) {
  const std::string examples = std::string(PARLOMAT_SOURCE_DIR) + "/data/examples";
  const std::vector<std::string> args = {
      "--set",
      "Consider_This_Vocabulary_To_Match_Fileno_1=" + examples + "/Demo",
      "--set",
      "Multiple_Files=YES",
      "--set",
      "Number_of_files_to_scan=1",
      "--set",
      "Send_words_one_by_one=YES",
      "--set",
      "Keep_Matching_Files_Entries_Scan_Accuracy=FLEXIBLE",
      "--set",
      "Keep_Entry_Matching_Accuracy=HIGHER",
      "--set",
      "Sample_processing_resolution=COMPLETE",
      "--set",
      "Keep_Digital_Signal_Processing_level=Low",
      "--set",
      "Speech_sampling_time_in_ms=3000",
      "--set",
      "Voice_Grab_Delay=20000",
      "--set",
      "Memory_Clean=YES",
      "--set",
      "Enable_Artificial_Intelligence=YES",
      "--set",
      "Add_To_Language=NO",
      "--set",
      "Consider_this_Lang_File_to_match=" + examples + "/Demo",
      "listen",
      "--capture",
      examples + "/yes.wav"};
  const CliRun first = cli(args);
  ASSERT_EQ(first.status, 0) << first.err;
  EXPECT_TRUE(startsWith(first.out, "set 1: yes ")) << first.out;
  EXPECT_EQ(std::count(first.out.begin(), first.out.end(), '\n'), 1) << first.out;
  EXPECT_EQ(cli(args).out, first.out);
}

// 16-bit and stereo recordings are heard as the 8-bit mono sound they carry; a recording at
// another rate is heard at the recording rate, with a note.
TEST_F(ListenCommandTest, OtherPcmFormatsAreHeardAsEightBitMono) {
  const std::vector<uint8_t> mono = spokenWord();
  const std::vector<uint8_t> samples = stereo16(mono);
  std::vector<uint8_t> bytes = waveHeaderFor(static_cast<uint32_t>(samples.size()), 2, 22050, 16);
  bytes.insert(bytes.end(), samples.begin(), samples.end());
  const CliRun stereo = cli(listen({"--capture", file("stereo16.wav", bytes)}));
  ASSERT_EQ(stereo.status, 0) << stereo.err;
  EXPECT_EQ(stereo.err, "");
  EXPECT_EQ(stereo.out, "set 1: SHORT 90% | LONG 70% | - 0% | - 0% | - 0% | - 0% | - 0%\n");

  const std::string slow = file("slow.wav", waveFileBytes(mono, 11025));
  const CliRun other = cli(listen({"--capture", slow}));
  EXPECT_EQ(other.status, 0);
  EXPECT_EQ(other.err,
            "parlomat-cli: listen: note: " + slow +
                " is sampled at 11025 Hz and is heard at the recording rate, 22050 Hz\n");
  EXPECT_EQ(other.out, stereo.out);
}

// Whatever the settings, the run ends: without a sampling time the cycle shows its box at every
// tick, which is told once with its count, until the microphone has stood still for a while.
TEST_F(ListenCommandTest, ARepeatedBoxIsToldOnceAndTheRunStillEnds) {
  const CliRun r = cli({"listen", "--capture", file("word.wav", waveFileBytes(spokenWord()))});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(startsWith(r.err,
                         "[Parlomat User Error] No sampling time\n"
                         "[the same box "))
      << r.err;
  EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
}

TEST_F(ListenCommandTest, WithoutACaptureFileItExplainsThatLiveListeningNeedsTheQtPrograms) {
  const CliRun r = cli({"listen"});
  EXPECT_EQ(r.status, 2);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err.find("live listening needs the sound card"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find("listen --capture FILE.wav"), std::string::npos) << r.err;
}

TEST_F(ListenCommandTest, BadArgumentsAndUnreadableFilesAreRefused) {
  const std::string wav = file("word.wav", waveFileBytes(spokenWord()));
  for (const auto& args : std::vector<std::vector<std::string>>{{"listen", "--capture"},
                                                                {"listen", "--capture="},
                                                                {"listen", wav},
                                                                {"listen", "--verbose"}}) {
    const CliRun r = cli(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_TRUE(startsWith(r.err, "parlomat-cli: listen")) << r.err;
  }
  std::vector<uint8_t> noData = waveHeaderFor(0, 1, 22050, 8);
  noData.resize(noData.size() - 8);
  const struct {
    std::string name;
    std::vector<uint8_t> bytes;
    std::string error;
  } unreadable[] = {
      {"text.wav",
       {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e', '!', '!'},
       " is not a RIFF wave file"},
      {"float.wav", waveHeaderFor(0, 1, 22050, 32), ": only 8-bit or 16-bit PCM can be heard"},
      {"nodata.wav", noData, " has no data chunk"},
  };
  for (const auto& u : unreadable) {
    const std::string path = file(u.name, u.bytes);
    const CliRun r = cli(listen({"--capture", path}));
    EXPECT_EQ(r.status, 1) << u.name;
    EXPECT_EQ(r.err, "parlomat-cli: listen: " + path + u.error + "\n");
    EXPECT_EQ(r.out, "");
  }
  const CliRun missing = cli(listen({"--capture", (dir / "missing.wav").string()}));
  EXPECT_EQ(missing.status, 1);
  EXPECT_EQ(missing.err,
            "parlomat-cli: listen: cannot open " + (dir / "missing.wav").string() + "\n");
}

}  // namespace
}  // namespace parlomat::testing
