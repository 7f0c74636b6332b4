#include <random>

#include "RecordFixtures.h"
#include "matching/VocabularyMatcher.h"

namespace parlomat::testing {

class VocabularyScan : public SimFixture {
 protected:
  ControlState& s = engine->state;

  void setUtterance(const std::vector<double>& bins) {
    s.valleyCount = static_cast<int16_t>(bins.size());
    for (size_t i = 0; i < bins.size(); ++i) s.valleyBins[i] = static_cast<int32_t>(bins[i]);
  }
  void setTolerance(int upTo) {
    for (int k = 1; k <= 4; ++k) s.entryTolerance[static_cast<size_t>(k)] = k <= upTo ? 1 : 0;
  }
  void setWindow(int w) {
    s.scanToleranceUp = static_cast<int16_t>(w);
    s.scanToleranceDown = static_cast<int16_t>(-w);
  }
  std::string vocabulary(const std::string& name, const std::vector<VocabularyRecord>& records) {
    std::string p = path(name);
    writeRecords(p, records);
    return p;
  }
  void scan(const std::string& file, bool notFirstFile = false) {
    s.currentMatchFile = file;
    scanVocabularyFile(*engine, file, notFirstFile);
  }
  // Rank k of ranked set `set` as "name percent".
  std::string rank(int k, int set) {
    return s.charaOfNo[static_cast<size_t>(k)].at(static_cast<size_t>(set)) + " " +
           s.charaProbabilityOfNo[static_cast<size_t>(k)].at(static_cast<size_t>(set));
  }
};

TEST_F(VocabularyScan, ScoresTheRecordsInsideTheScanWindow) {
  struct Case {
    const char* what;
    std::vector<double> utterance, record;
    int tolerance, window;
    int percent;  // -1: not scored
  } cases[] = {
      {"identical ten at VERY HIGH", ladder(10), ladder(10), 0, 0, 99},
      {"one off at VERY HIGH", {10, 20, 30}, {11, 21, 31}, 0, 0, 0},
      {"one off at HIGHER", {10, 20, 30}, {11, 21, 31}, 1, 0, 99},
      {"two off at HIGH", {10, 20, 30}, {12, 22, 28}, 2, 0, 99},
      {"W 0, same count", ladder(5), ladder(5), 0, 0, 99},
      {"W 0, one more", ladder(5), ladder(6), 0, 0, -1},
      {"W 0, one fewer", ladder(5), ladder(4), 0, 0, -1},
      {"W 2, two more", ladder(5), ladder(7), 0, 2, 71},   // 5 x 100 / 7
      {"W 2, two fewer", ladder(5), ladder(3), 0, 2, 60},  // 3 x 100 / 5
      {"W 2, three more", ladder(5), ladder(8), 0, 2, -1},
      {"empty record", ladder(5), {}, 0, 128, -1},
  };
  int set = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    setUtterance(c.utterance);
    setTolerance(c.tolerance);
    setWindow(c.window);
    scan(vocabulary("case.SAY", {vocabularyRecord(1, "ka", c.record)}));
    ++set;
    EXPECT_EQ(s.processingSetCount, set);
    EXPECT_EQ(s.matching.vocabularyCandidateCount, c.percent < 0 ? 0 : 1);
    if (c.percent >= 0) {
      EXPECT_EQ(s.matching.vocabularyCandidates[1].percent, c.percent);
    }
    // A candidate with 0 is never ranked.
    EXPECT_EQ(rank(1, set), c.percent > 0 ? "ka " + std::to_string(c.percent) : " 0");
  }
  EXPECT_EQ(sim.files.openCount(), 0);
}

TEST_F(VocabularyScan, RanksTiesToTheLowerRecordAndLeavesEmptyRanks) {
  setUtterance(ladder(5));
  scan(vocabulary("v.SAY", {vocabularyRecord(1, "ga", ladder(5, 1000)),        // 0: never ranked
                            vocabularyRecord(2, "ka", {10, 20, 30, 40, 55}),   // 80
                            vocabularyRecord(3, "kha", {10, 20, 30, 45, 50}),  // 80
                            vocabularyRecord(4, "  gha ", ladder(5))}));       // 99
  const std::vector<std::string> expected = {"gha 99", "ka 80", "kha 80", " 0", " 0", " 0", " 0"};
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(rank(k, 1), expected[static_cast<size_t>(k - 1)]) << k;
  EXPECT_EQ(s.matching.rankSlot[2], 2);
  EXPECT_EQ(s.matching.rankSlot[3], 3);
  // The candidate keeps the name as stored; the ranks trim it.
  EXPECT_EQ(s.matching.vocabularyCandidates[4].name, "gha" + std::string(17, ' '));
  // Without the one-by-one switch the probable characters are left alone.
  EXPECT_EQ(s.probableChars[1], "");
}

TEST_F(VocabularyScan, OneByOneExtendsTheProbableCharactersAndRestartsTheSets) {
  setUtterance(ladder(5));
  const std::string file = vocabulary("v.SAY", {vocabularyRecord(1, "ka", ladder(5))});
  s.wordsOneByOne = kYes;
  s.wordSeparator = " ";
  s.processingSetCount = 5;
  s.probableChars[1] = "ga ";
  s.probableCharsPercent[1] = "40";
  scan(file);
  EXPECT_EQ(s.processingSetCount, 1);
  EXPECT_EQ(s.probableChars[1], "ga ka");
  EXPECT_EQ(s.probableCharsPercent[1], "40 99");
  EXPECT_EQ(s.probableChars[2], " ");
  EXPECT_EQ(s.probableCharsPercent[2], " 0");
  s.wordSeparator = "";
  scan(file, true);
  EXPECT_EQ(s.processingSetCount, 2);
  EXPECT_EQ(s.probableChars[1], "ga kaka");
  EXPECT_EQ(rank(1, 2), "ka 99");
}

TEST_F(VocabularyScan, GoldenCharacterTakesTheMostAgreedFirstRank) {
  struct Case {
    std::vector<std::pair<std::string, std::string>> firstRanks;  // files 1..N
    int filesToScan;
    std::string golden, points;
  } cases[] = {
      {{{"ka", "50"}, {"kha", "90"}, {"kha", "80"}}, 3, "old kha", "7 130"},
      // A later name must be agreed on by more files than the best so far.
      {{{"ka", "50"}, {"kha", "90"}, {"kha", "80"}}, 2, "old ka", "7 50"},
      {{{"", "0"}, {"", "0"}}, 2, "old ", "7 "},
      // Names are matched as protocols: "k?a" of file 2 takes in "kha" of file 1, and the
      // points grow by the percentage of the last file that agreed.
      {{{"kha", "60"}, {"k?a", "30"}}, 2, "old kha", "7 30"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.golden + " / " + c.points);
    s.charaOfNo[1] = {""};
    s.charaProbabilityOfNo[1] = {""};
    for (const auto& [name, percent] : c.firstRanks) {
      s.charaOfNo[1].push_back(name);
      s.charaProbabilityOfNo[1].push_back(percent);
    }
    s.filesToScan = static_cast<int16_t>(c.filesToScan);
    s.goldenChara = " old ";
    s.goldenCharaPoints = "7";
    s.wordSeparator = " ";
    s.wordNo = 2;
    consolidateGoldenChara(*engine);
    EXPECT_EQ(s.goldenChara, c.golden);
    EXPECT_EQ(s.goldenCharaPoints, c.points);
    EXPECT_EQ(s.memoryDivisionChars[2], trimSpaces(c.golden));
  }
}

TEST_F(VocabularyScan, TwelveFilesToScanAreLoweredToTen) {
  s.charaOfNo[1] = std::vector<std::string>(11, "ka");
  s.charaProbabilityOfNo[1] = std::vector<std::string>(11, "10");
  s.filesToScan = 12;
  consolidateGoldenChara(*engine);
  EXPECT_EQ(s.filesToScan, 10);
  EXPECT_EQ(s.goldenChara, "ka");
  EXPECT_EQ(s.goldenCharaPoints, "10");
}

TEST_F(VocabularyScan, TheLastOfSeveralFilesMakesTheGoldenCharacter) {
  setUtterance(ladder(5));
  s.multipleFiles = kYes;
  s.filesToScan = 3;
  s.wordNo = 1;
  const std::string files[] = {
      vocabulary("1.SAY", {vocabularyRecord(1, "ka", {10, 20, 30, 45, 55})}),   // 60
      vocabulary("2.SAY", {vocabularyRecord(1, "kha", ladder(5))}),             // 99
      vocabulary("3.SAY", {vocabularyRecord(1, "kha", {10, 20, 30, 40, 55})}),  // 80
  };
  for (int i = 0; i < 3; ++i) {
    scan(files[i], i > 0);
    EXPECT_EQ(s.goldenChara, i < 2 ? "" : "kha");
  }
  EXPECT_EQ(s.goldenCharaPoints, "140");  // 60 for "ka", then 80 more for "kha"
  EXPECT_EQ(s.memoryDivisionChars[1], "kha");
}

TEST_F(VocabularyScan, AnEmptyFileGivesTheNoticeABlankRecordAndEmptyRanks) {
  setUtterance(ladder(5));
  s.unrecognizableNotification = kYes;
  answer("OK");
  const std::string file = path("empty.SAY");
  writeFile(file, {});
  scan(file);
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "File is empty or the speech sample was not matched. Also check the number of files "
            "you have specified and the number you have opted for the Number_of_files_to_scan");
  EXPECT_EQ(boxes[0].title, "Parlomat Vocabulary Development");
  EXPECT_EQ(boxes[0].buttons, Buttons::Ok);
  auto bytes = readFile(file);
  ASSERT_EQ(bytes.size(), 9634u);
  EXPECT_EQ(VocabularyRecord::fromBytes(bytes).toBytes(), VocabularyRecord::blank(1).toBytes());
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(rank(k, 1), " 0");
}

TEST_F(VocabularyScan, AnUtteranceWithoutValleysLeavesFileAndResultsAlone) {
  const std::string file = vocabulary("v.SAY", {vocabularyRecord(1, "ka", ladder(5))});
  const auto before = readFile(file);
  s.unrecognizableNotification = kYes;
  s.valleyCount = 0;
  s.processingSetCount = 4;
  scan(file);
  EXPECT_EQ(s.processingSetCount, 4);
  EXPECT_EQ(readFile(file), before);
  EXPECT_EQ(sim.files.openCount(), 0);
}

TEST_F(VocabularyScan, FileErrorsShowTheBVMTDMessageAndCloseTheFile) {
  setUtterance(ladder(5));
  std::filesystem::create_directory(dir / "folder.SAY");
  for (const std::string& file : {path("no/such/folder/v.SAY"), path("folder.SAY")}) {
    SCOPED_TRACE(file);
    answer("OK");
    scan(file);
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Problems in  File I/O, Code BVMTD, Check the Location of your disk files of "
              "vyanjana or vocabulary database and their states");
    EXPECT_EQ(boxes[0].title, "Parlomat Info");
    EXPECT_EQ(boxes[0].icon, Icon::Information);
    EXPECT_EQ(s.processingSetCount, 0);
    EXPECT_FALSE(s.fileNumber);
  }
}

TEST_F(VocabularyScan, A4001stCandidateShowsBVMTDInsteadOfOverrunning) {
  setUtterance({5});
  const std::string file =
      vocabulary("full.SAY", std::vector<VocabularyRecord>(4001, vocabularyRecord(1, "ka", {5})));
  const auto before = readFile(file);
  answer("OK");
  scan(file);
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_NE(boxes[0].text.find("Code BVMTD"), std::string::npos);
  EXPECT_EQ(s.matching.vocabularyCandidateCount, 4000);
  EXPECT_EQ(s.processingSetCount, 0);
  EXPECT_EQ(sim.files.openCount(), 0);
  EXPECT_EQ(readFile(file), before);
}

TEST_F(VocabularyScan, GarbageFilesAreReadWithinTheirRecordsAndNotRewritten) {
  std::mt19937 rng(7);
  auto randomBytes = [&rng](size_t n) {
    std::vector<uint8_t> b(n);
    for (auto& x : b) x = static_cast<uint8_t>(rng());
    return b;
  };
  // Records whose fields lie: counts below zero and beyond the room, NaN valleys, odd names.
  VocabularyRecord huge = vocabularyRecord(2, "huge", ladder(1201, 0, 1));
  huge.valleyCount = 30000;
  VocabularyRecord negative = vocabularyRecord(3, "neg", ladder(5));
  negative.valleyCount = -5;
  VocabularyRecord strange = vocabularyRecord(99, "", {std::nan(""), 1e308, -3, 0.5});
  std::fill(strange.name.begin(), strange.name.end(), '\xff');
  strange.name[3] = '\0';
  auto lying = fileBytes(
      std::vector{vocabularyRecord(1, "ok", ladder(1200, 0, 1)), huge, negative, strange});
  lying.resize(lying.size() - 3000);  // the last record cut short

  const std::vector<std::vector<uint8_t>> files = {
      randomBytes(1),     randomBytes(100),
      randomBytes(4817),  randomBytes(4818),
      randomBytes(9633),  randomBytes(9634),
      randomBytes(9635),  randomBytes(24085),
      randomBytes(33719), lying,
  };
  setTolerance(4);
  setWindow(128);
  setUtterance(ladder(1200, 0, 1));
  for (const auto& bytes : files) {
    SCOPED_TRACE(bytes.size());
    const std::string file = path("garbage.SAY");
    writeFile(file, bytes);
    scan(file);
    const int64_t records = recordCountOf(static_cast<int64_t>(bytes.size()), 9634);
    EXPECT_LE(s.matching.vocabularyCandidateCount, records);
    for (const auto& c : s.matching.vocabularyCandidates) {
      EXPECT_GE(c.percent, 0);
      EXPECT_LE(c.percent, 99);
    }
    auto after = readFile(file);
    if (records > 0) {
      // The last record read goes back to its own place: a short one is padded, nothing moves.
      ASSERT_EQ(after.size(), std::max<size_t>(bytes.size(), static_cast<size_t>(records) * 9634));
      EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), after.begin()));
    } else {
      EXPECT_EQ(after.size(), 9634u);
    }
  }
}

TEST_F(VocabularyScan, SpeechEchoPlaysTheSegmentBeforeTheFirstFileOnly) {
  setUtterance(ladder(5));
  s.speechEcho = kYes;
  s.showActivities = 1;
  s.sampleBuffer = std::vector<uint8_t>(100, 128);
  s.segmentStart = 10;
  s.segmentEnd = 60;
  const std::string file = vocabulary("v.SAY", {vocabularyRecord(1, "ka", ladder(5))});
  scan(file);
  scan(file, true);
  ASSERT_EQ(sim.waveOut.played().size(), 1u);
  EXPECT_EQ(s.processingSetCount, 2);
}

}  // namespace parlomat::testing
