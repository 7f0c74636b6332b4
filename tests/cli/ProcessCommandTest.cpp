// parlomat-cli process: a stored recording processed whole, with its plain report and trace.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/CliApp.h"
#include "support/CliRun.h"
#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

std::vector<std::string> lines(const std::filesystem::path& p) {
  std::ifstream f(p);
  std::vector<std::string> out;
  for (std::string l; std::getline(f, l);) out.push_back(l);
  return out;
}

class ProcessCommandTest : public ::testing::Test {
 protected:
  ProcessCommandTest()
      : dir(std::filesystem::temp_directory_path() /
            ::testing::UnitTest::GetInstance()->current_test_info()->name()) {
    std::filesystem::create_directories(dir);
  }
  ~ProcessCommandTest() override {
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }
  std::string wave(const std::string& name, const std::vector<uint8_t>& samples) {
    writeFile(dir / name, waveFileBytes(samples, 8000));
    return (dir / name).string();
  }
  std::filesystem::path dir;
};

std::vector<uint8_t> twoWords() {
  std::vector<uint8_t> v(40128, 128);
  for (int p = 5000; p < 10000; ++p) v[p] = 188;
  for (int p = 20000; p < 26000; ++p) v[p] = 188;
  return v;
}

TEST_F(ProcessCommandTest, ReportsTheWordsAndTracesTheProcessing) {
  const std::string file = wave("two.wav", twoWords());
  const auto trace = dir / "two.jsonl";
  const CliRun r = cli({"process", file, "--trace", trace.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  // The divisions first; the recognised characters and words follow them.
  EXPECT_TRUE(startsWith(r.out, file + ": 40128 bytes\n"
                                       "words: 4\n"
                                       "word 1: 5000 to 9952, time length 4952\n"
                                       "word 2: 20000 to 25952, time length 5952\n"
                                       "word 3: 0 to 0, time length 0\n"
                                       "word 4: 0 to 0, time length 0\n"
                                       "segments analysed: 4 (0 noise)\n"
                                       "golden character:"))
      << r.out;
  EXPECT_NE(r.out.find("\nrecognised word: \n"), std::string::npos) << r.out;
  const auto t = lines(trace);
  ASSERT_EQ(t.size(), 5u);
  EXPECT_EQ(t[0], R"({"event":"divisions","level":"word","start":0,"length":40127,"count":4,)"
                  R"("divisions":[[0,4952],[5000,9952],[20000,25952],[0,0],[0,0]]})");
  EXPECT_TRUE(
      startsWith(t[1], R"({"event":"segment","start":5000,"end":9952,"noise":false,"valleys":[)"));
  EXPECT_TRUE(startsWith(
      t[2], R"({"event":"segment","start":20000,"end":25952,"noise":false,"valleys":[)"));
  EXPECT_EQ(t[3], R"({"event":"segment","start":0,"end":0,"noise":false,"valleys":[]})");
  EXPECT_EQ(t[4], t[3]);
  for (size_t i = 1; i <= 2; ++i) EXPECT_EQ(t[i].substr(t[i].size() - 2), "]}");
}

// A Word of lone clicks is divided but found to be noise; settings given before the command apply.
TEST_F(ProcessCommandTest, TracesNoiseAndAppliesGlobalSettings) {
  auto v = twoWords();
  std::fill(v.begin() + 5000, v.begin() + 10000, 128);
  for (int p = 5000; p <= 9800; p += 600) v[p] = 250;
  const std::string file = wave("clicks.wav", v);
  const auto trace = dir / "clicks.jsonl";
  CliRun r = cli({"process", "--trace=" + trace.string(), file});
  ASSERT_EQ(r.status, 0) << r.err;
  auto t = lines(trace);
  ASSERT_GE(t.size(), 2u);
  EXPECT_EQ(t[1], R"({"event":"segment","start":5000,"end":9777,"noise":true,"valleys":[]})");
  EXPECT_NE(r.out.find("(1 noise)"), std::string::npos) << r.out;

  r = cli({"--set", "Sample_processing_resolution=2000", "--set",
           "This_speech_sample_process_start_only=NO", "--set",
           "This_speech_sample_process_middle_only=NO", "--set",
           "This_speech_sample_process_end_only=NO", "process", file, "--trace", trace.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  t = lines(trace);
  ASSERT_GE(t.size(), 3u);
  EXPECT_EQ(t[1], R"({"event":"segment","start":5000,"end":7000,"noise":true,"valleys":[]})");
  EXPECT_EQ(t[2], R"({"event":"segment","start":7000,"end":9000,"noise":true,"valleys":[]})");
}

TEST_F(ProcessCommandTest, NestsDeeperDivisionsUnderTheirWords) {
  std::vector<uint8_t> v(300001, 128);
  for (auto [from, to] : {std::pair{40000, 60000},
                          {61500, 80000},
                          {81500, 100000},
                          {104000, 130000},
                          {134000, 190000}}) {
    for (int p = from; p < to; ++p) v[p] = (p / 25) % 2 ? 188 : 68;
  }
  const CliRun r = cli({"process", wave("long.wav", v)});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("word 1: 40000 to 189950, time length 149950\n"
                       "  deepword 0: 40000 to 99975, time length 59975\n"
                       "    toodeepword 0: 40000 to 59950, time length 19950\n"),
            std::string::npos)
      << r.out;
}

TEST_F(ProcessCommandTest, ALoadFailureIsReportedWithStatusOne) {
  writeFile(dir / "text.wav", {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});
  CliRun r = cli({"process", (dir / "text.wav").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "[Parlomat Wave ERROR] Corrupt Wavechunk.\n");

  r = cli({"process", (dir / "missing.wav").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "[Parlomat Wave ERROR] Sorry ! Couldn't open the wav file you specified.\n");

  // An empty data chunk fails as the control's subscript error.
  std::vector<uint8_t> empty = waveFileBytes({}, 8000);
  writeFile(dir / "empty.wav", empty);
  r = cli({"process", (dir / "empty.wav").string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "parlomat-cli: Subscript out of range\n");
}

TEST_F(ProcessCommandTest, BadArgumentsAreUsageErrors) {
  const std::string file = wave("two.wav", twoWords());
  const std::vector<std::vector<std::string>> cases = {
      {"process"},
      {"process", file, "--trace"},
      {"process", file, file},
      {"process", file, "--verbose"},
  };
  for (const auto& args : cases) {
    const CliRun r = cli(args);
    EXPECT_EQ(r.status, 2) << args.size();
    EXPECT_TRUE(startsWith(r.err, "parlomat-cli: process")) << r.err;
  }
  const CliRun r = cli({"process", file, "--trace", (dir / "no" / "such" / "t.jsonl").string()});
  EXPECT_EQ(r.status, 1);
}

}  // namespace
}  // namespace parlomat::testing
