#include <random>

#include "RecordFixtures.h"
#include "matching/LanguageMatcher.h"
#include "matching/VocabularyMatcher.h"

namespace parlomat::testing {

class LanguageMatching : public SimFixture {
 protected:
  ControlState& s = engine->state;
  std::string words = path("words.Lang");

  void SetUp() override {
    s.languageFileToMatch = words;
    s.languageFileToAdd = path("add.Lang");
    s.onDemandMode = 1;
    s.probableWordCount = 1;
    setDivision(1, "eeuuucss", 1000);
  }
  void setDivision(int16_t k, const std::string& chars, int32_t time) {
    s.memoryDivisionCount[1] = k;
    s.wordNo = k;
    s.memoryDivisionChars[static_cast<size_t>(k)] = chars;
    s.memoryDivisionTime[static_cast<size_t>(k)] = time;
  }
  std::string platinum(int k) {
    return s.platinumWord[static_cast<size_t>(k)] + " " +
           std::to_string(s.platinumPercent[static_cast<size_t>(k)]);
  }
};

TEST_F(LanguageMatching, ScoresTheRatingAndHowCloseTheTimeIs) {
  struct Case {
    int16_t rating;
    int32_t recordTime, spokenTime;
    int percent;
  } cases[] = {
      {50, 1000, 1000, 70},  {50, 1000, 1300, 65}, {50, 1300, 1000, 65}, {50, 1000, 1500, 65},
      {50, 1000, 1501, 60},  {50, 1000, 2000, 60}, {50, 1000, 2500, 50}, {50, 1000, 3000, 50},
      {50, 1000, 3001, 45},  {50, 1000, 3500, 45}, {55, 1000, 1000, 72},  // 72.5 to even
      {57, 1000, 1000, 74},                                               // 73.5 to even
      {100, 1000, 1000, 95},
  };
  int set = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.rating) + " " + std::to_string(c.recordTime) + " " +
                 std::to_string(c.spokenTime));
    writeRecords(words, std::vector{languageRecord(1, "eess", c.recordTime, {{"ee*ss", c.rating}},
                                                   "Noto Sans Bengali")});
    s.memoryDivisionTime[1] = c.spokenTime;
    matchLanguageDivision(*engine);
    ++set;
    EXPECT_EQ(s.platinumSetCount, set);
    EXPECT_EQ(platinum(1), "eess " + std::to_string(c.percent));
    EXPECT_EQ(s.platinumFont[1], "Noto Sans Bengali");
    EXPECT_EQ(s.wordOfNo[1].at(static_cast<size_t>(set)), "eess");
    EXPECT_EQ(s.wordProbabilityOfNo[1].at(static_cast<size_t>(set)), std::to_string(c.percent));
    EXPECT_EQ(s.languageMatchRecord, 1);
  }
}

TEST_F(LanguageMatching, TheMatchRecordIsTheLastFittingRecordNotTheBest) {
  writeRecords(words, std::vector{languageRecord(1, "BAT", 1000, {{"B?T*", 100}}),
                                  languageRecord(2, "BIT", 1000, {{"x", 90}, {"*", 10}}),
                                  languageRecord(3, "DOG", 1000, {{"D*", 100}})});
  setDivision(1, "BAT123khg", 1000);
  matchLanguageDivision(*engine);
  EXPECT_EQ(s.languageMatchRecord, 2);
  EXPECT_EQ(platinum(1), "BAT 95");
  EXPECT_EQ(platinum(2), "BIT 50");
  for (int k = 3; k <= 7; ++k) EXPECT_EQ(platinum(k), " 0");
  EXPECT_EQ(s.candidateWord[2], "BIT");
}

TEST_F(LanguageMatching, ARecordWithTwoFittingProtocolsFillsTwoSlots) {
  writeRecords(words, std::vector{languageRecord(1, "eess", 1000, {{"ee*", 40}, {"*ss", 60}}),
                                  languageRecord(2, "none", 1000, {}),
                                  languageRecord(3, "emptyEntries", 1000, {{"*", 100}})});
  // Record 3's protocols are there, but with EntryCount 0 it never matches.
  auto bytes = readFile(words);
  bytes[2 * 4292 + 290] = 0;
  writeFile(words, bytes);
  matchLanguageDivision(*engine);
  EXPECT_EQ(platinum(1), "eess 75");
  EXPECT_EQ(platinum(2), "eess 65");
  EXPECT_EQ(platinum(3), " 0");
  EXPECT_EQ(s.matching.languageCandidateCount, 2);
}

TEST_F(LanguageMatching, NoFitAsksWhetherToAddAndNoStillRanksEmptyWords) {
  writeRecords(words, std::vector{languageRecord(1, "BAT", 1000, {{"B?T*", 100}})});
  s.notifyIfNoLanguageMatch = kYes;
  s.addToLanguage = kNo;
  s.languageMatchRecord = 9;
  s.platinumWord[1] = "old";
  answer("No");
  matchLanguageDivision(*engine);
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text,
            "You have enabled Artificial Intelligence matching. And no match was found in the "
            "specified Lang file : " +
                s.languageFileToAdd +
                "  Do you want to add the characters to Parlomat Language Database ? ");
  EXPECT_EQ(boxes[0].title, "Parlomat Language Development");
  EXPECT_EQ(boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(s.languageMatchRecord, 0);
  EXPECT_EQ(s.platinumSetCount, 1);
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(platinum(k), " 0");

  answer("Yes");
  matchLanguageDivision(*engine);
  EXPECT_EQ(sim.windows.log, std::vector<std::string>{"language editor"});
  EXPECT_EQ(s.platinumSetCount, 1);  // no ranking after Yes

  // Only the last division asks.
  s.probableWordCount = 2;
  matchLanguageDivision(*engine);
  EXPECT_EQ(s.platinumSetCount, 2);
}

TEST_F(LanguageMatching, WithoutALanguageFileNothingIsTouched) {
  s.languageFileToMatch.clear();
  s.platinumWord[1] = "old";
  s.languageMatchRecord = 4;
  answer("OK");
  matchLanguageDivision(*engine);
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Please specify your language files location");
  EXPECT_EQ(boxes[0].title, "Parlomat Info");
  EXPECT_EQ(boxes[0].icon, Icon::Information);
  EXPECT_EQ(s.platinumWord[1], "old");
  EXPECT_EQ(s.languageMatchRecord, 4);
  EXPECT_EQ(s.platinumSetCount, 0);
}

TEST_F(LanguageMatching, FileErrorsAndOverflowsShowAIMFW) {
  LanguageRecord tooMany = languageRecord(1, "x", 0, {{"zz", 10}});
  tooMany.entryCount = 150;  // more protocols than the record has room for
  std::vector<LanguageRecord> everything(41, languageRecord(1, "any", 0, {}));
  for (auto& r : everything) {
    for (int i = 1; i <= 100; ++i)
      LanguageRecord::setText(r.protocols[static_cast<size_t>(i)], "*");
    r.entryCount = 100;  // 4100 candidates
  }
  struct Case {
    const char* what;
    std::string file;
    std::vector<uint8_t> bytes;
  } cases[] = {
      {"missing folder", path("no/folder/words.Lang"), {}},
      {"entry count 150", words, fileBytes(std::vector{tooMany})},
      {"4001st candidate", words, fileBytes(everything)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    s.languageFileToMatch = c.file;
    if (!c.bytes.empty()) writeFile(c.file, c.bytes);
    answer("OK");
    matchLanguageDivision(*engine);
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              "Problems in  File I/O, Code AIMFW, Check the Location of your disk files of "
              "language database and their states");
    EXPECT_EQ(boxes[0].title, "Parlomat Info");
    EXPECT_EQ(s.platinumSetCount, 0);
    EXPECT_LE(s.matching.languageCandidateCount, 4000);
    EXPECT_EQ(sim.files.openCount(), 0);
    if (!c.bytes.empty()) {
      EXPECT_EQ(readFile(c.file), c.bytes);
    }
  }
}

TEST_F(LanguageMatching, AddingToTheLanguageOpensTheEditorAtTheMatchRecord) {
  writeRecords(words, std::vector{languageRecord(1, "a", 0, {{"*", 1}}),
                                  languageRecord(2, "b", 0, {{"ee*", 1}})});
  s.addToLanguage = kYes;
  matchLanguageDivision(*engine);
  EXPECT_EQ(sim.windows.log, std::vector<std::string>{"language editor"});
  EXPECT_EQ(s.languageMatchRecord, 2);
  EXPECT_EQ(s.platinumSetCount, 1);

  s.addToLanguage = kNo;
  openLanguageForAddition(*engine);
  s.addToLanguage = kYes;
  s.languageFileToAdd.clear();
  openLanguageForAddition(*engine);
  EXPECT_EQ(sim.windows.log.size(), 1u);
}

TEST_F(LanguageMatching, GarbageFilesAreReadWithoutHarm) {
  sim.dialogs.setStrict(false);
  std::mt19937 rng(11);
  for (size_t length : {1u, 2000u, 2146u, 2147u, 4292u, 4293u, 3 * 4292u + 2146u, 5 * 4292u}) {
    SCOPED_TRACE(length);
    std::vector<uint8_t> bytes(length);
    for (auto& b : bytes) b = static_cast<uint8_t>(rng());
    writeFile(words, bytes);
    matchLanguageDivision(*engine);
    for (const auto& box : takeBoxes()) EXPECT_NE(box.text.find("Code AIMFW"), std::string::npos);
    EXPECT_LE(s.matching.languageCandidateCount, 4000);
    const int64_t records = recordCountOf(static_cast<int64_t>(length), 4292);
    auto after = readFile(words);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), after.begin()) || records == 0);
  }
}

TEST_F(LanguageMatching, TheUtteranceUsesAllDivisionsAndResumesListening) {
  writeRecords(words, std::vector{languageRecord(1, "kaka", 1000, {{"ka ka", 50}})});
  s.onDemandMode = 0;
  s.artificialIntelligence = kYes;
  s.addToLanguage = kNo;
  s.memoryDivisionCount[1] = 2;
  s.memoryDivisionChars[1] = "ka";
  s.memoryDivisionChars[2] = "ka ka";
  s.memoryDivisionTime[1] = 400;
  s.memoryDivisionTime[2] = 600;
  s.utteranceDone = 1;
  matchLanguageUtterance(*engine);
  EXPECT_EQ(platinum(1), "kaka 70");
  EXPECT_TRUE(engine->timer5->enabled());
  EXPECT_EQ(s.utteranceDone, 0);
  EXPECT_FALSE(s.fileNumber);

  // No division: listening resumes at once.
  engine->timer5->setEnabled(false);
  s.utteranceDone = 1;
  s.memoryDivisionCount[1] = 0;
  matchLanguageUtterance(*engine);
  EXPECT_TRUE(engine->timer5->enabled());
  EXPECT_EQ(s.utteranceDone, 0);
  EXPECT_EQ(s.platinumSetCount, 1);

  // Errors go to the capture loop that called it.
  s.memoryDivisionCount[1] = 1;
  s.languageFileToMatch = path("no/folder/words.Lang");
  EXPECT_THROW(matchLanguageUtterance(*engine), RecordFileError);
}

TEST_F(LanguageMatching, AStoredRecordingIsRecognisedFromValleysToWords) {
  const std::string vocabulary = path("v.SAY");
  writeRecords(vocabulary, std::vector{vocabularyRecord(1, "ka", ladder(6)),
                                       vocabularyRecord(2, "kha", ladder(6, 13))});
  writeRecords(words, std::vector{languageRecord(1, "KA", 800, {{"ka", 100}}),
                                  languageRecord(2, "KHA", 800, {{"kh*", 100}})});
  s.multipleFiles = kYes;
  s.filesToScan = 1;
  s.memoryDivisionTime[1] = 800;
  s.valleyCount = 6;
  for (int i = 0; i < 6; ++i) s.valleyBins[static_cast<size_t>(i)] = 10 + 10 * i;
  s.currentMatchFile = vocabulary;
  scanVocabularyFile(*engine, vocabulary, false);
  EXPECT_EQ(s.goldenChara, "ka");
  EXPECT_EQ(s.memoryDivisionChars[1], "ka");
  EXPECT_EQ(platinum(1), "KA 95");
  EXPECT_EQ(s.platinumSetCount, 1);
}

}  // namespace parlomat::testing
