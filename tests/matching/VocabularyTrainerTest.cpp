#include "RecordFixtures.h"
#include "matching/VocabularyMatcher.h"
#include "matching/VocabularyTrainer.h"

namespace parlomat::testing {

class VocabularyTraining : public SimFixture {
 protected:
  ControlState& s = engine->state;
  std::string addFile = path("add.SAY");

  void SetUp() override {
    s.vocabularyFileToAdd = addFile;
    setUtterance(ladder(5, 12, 7));
    s.sampleBuffer = std::vector<uint8_t>(200, 128);
    s.segmentStart = 20;
    s.segmentEnd = 120;
    s.wordNo = 3;
    s.processingNo = 2;
    s.deepWordNo = 1;
    s.tooDeepWordNo = 0;
  }
  void setUtterance(const std::vector<double>& bins) {
    s.valleyCount = static_cast<int16_t>(bins.size());
    for (size_t i = 0; i < bins.size(); ++i) s.valleyBins[i] = static_cast<int32_t>(bins[i]);
  }
  std::vector<VocabularyRecord> records() {
    auto bytes = readFile(addFile);
    std::vector<VocabularyRecord> out;
    for (size_t at = 0; at < bytes.size(); at += 9634) {
      out.push_back(VocabularyRecord::fromBytes(std::span(bytes).subspan(at)));
    }
    return out;
  }
};

TEST_F(VocabularyTraining, TheFirstCharacterOfAnEmptyFileIsRecordOne) {
  writeFile(addFile, {});
  answer("Yes");
  answer("  ka ");
  trainAfterScan(*engine);
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Add playback to file ?");
  EXPECT_EQ(boxes[0].title, "Parlomat Vocabulary Development");
  EXPECT_EQ(boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(boxes[1].kind, DialogRecord::Kind::Input);
  EXPECT_EQ(boxes[1].text, "Enter the Vyanjana name : ");
  EXPECT_EQ(boxes[1].title, "Wordno:3 Proc.no:2Vyan.no:1Deepvyan.no:0");
  EXPECT_EQ(boxes[1].defaultText, "");
  EXPECT_EQ(sim.waveOut.played().size(), 1u);  // heard before the question

  EXPECT_EQ(readFile(addFile).size(), 9634u);
  auto r = records();
  EXPECT_EQ(r[0].refNo, 1);
  EXPECT_EQ(r[0].storedName(), "ka" + std::string(18, ' '));
  EXPECT_EQ(r[0].valleyCount, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(r[0].valleys[static_cast<size_t>(i)], 12 + 7 * i);
  EXPECT_EQ(sim.files.openCount(), 0);
}

TEST_F(VocabularyTraining, ACharacterIsAppendedAfterFourRecords) {
  std::vector<VocabularyRecord> four;
  for (int i = 1; i <= 4; ++i)
    four.push_back(vocabularyRecord(i, "c" + std::to_string(i), {1.0 * i}));
  writeRecords(addFile, four);
  const auto before = readFile(addFile);
  answer("Yes");
  answer("abcdefghijklmnopqrstuvwxyz1234");  // 30 characters
  trainAfterScan(*engine);
  auto after = readFile(addFile);
  ASSERT_EQ(after.size(), 5u * 9634);
  EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
  auto r = records();
  EXPECT_EQ(r[4].refNo, 5);
  EXPECT_EQ(r[4].storedName(), "abcdefghijklmnopqrst");
  EXPECT_EQ(s.recordCount, 5);
}

TEST_F(VocabularyTraining, AnEmptyNameAppendsNothing) {
  struct Case {
    int existing;
    const char* typed;  // "" is also what a cancel gives
    size_t length;      // an empty file may keep the blank record 1 the open wrote
  } cases[] = {{2, "", 2 * 9634}, {2, "   ", 2 * 9634}, {0, "", 9634}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.existing) + " '" + c.typed + "'");
    std::vector<VocabularyRecord> existing;
    for (int i = 1; i <= c.existing; ++i) existing.push_back(vocabularyRecord(i, "c", {1, 2}));
    writeRecords(addFile, existing);
    const auto before = readFile(addFile);
    answer("Yes");
    answer(c.typed);
    trainAfterScan(*engine);
    auto after = readFile(addFile);
    EXPECT_EQ(after.size(), c.length);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), after.begin()));
    if (c.existing == 0) {
      EXPECT_EQ(records()[0].toBytes(), VocabularyRecord::blank(1).toBytes());
    }
    EXPECT_EQ(s.matching.vocabularyRecord.valleyCount, 0);
    EXPECT_EQ(sim.files.openCount(), 0);
  }
}

TEST_F(VocabularyTraining, AnsweringNoLeavesTheFileUntouched) {
  answer("No");
  trainAfterScan(*engine);
  EXPECT_FALSE(std::filesystem::exists(addFile));
  answer("No");
  trainAndRescan(*engine);
  EXPECT_FALSE(std::filesystem::exists(addFile));
}

TEST_F(VocabularyTraining, NothingHappensWhenStoppedOrWithoutAFileToAdd) {
  s.stopEverything = kYes;
  trainAndRescan(*engine);
  s.stopEverything = kNo;
  s.vocabularyFileToAdd.clear();
  trainAfterScan(*engine);
  EXPECT_TRUE(takeBoxes().empty());
  EXPECT_TRUE(sim.waveOut.played().empty());
}

// Training copied valley entries 0 to dspLevel only; before the processing level is first set
// dspLevel is 0, which kept one valley while storing the full count.
TEST_F(VocabularyTraining, EveryValidValleyIsCopiedWhateverTheProcessingLevel) {
  struct Case {
    int16_t dspLevel;
    int count;
    int lastCopied;
  } cases[] = {{0, 5, 4}, {0, 300, 299}, {128, 5, 128}, {128, 200, 199}, {1024, 40, 1024}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.dspLevel) + " / " + std::to_string(c.count));
    // Record 1, which the open reads into the working record, holds -1 everywhere.
    VocabularyRecord base = vocabularyRecord(1, "base", {});
    base.valleys.fill(-1);
    base.valleyCount = 1;
    writeRecords(addFile, std::vector{base});
    s.dspLevel = c.dspLevel;
    s.valleyCount = static_cast<int16_t>(c.count);
    for (int i = 0; i < 1201; ++i) s.valleyBins[static_cast<size_t>(i)] = 1000 + i;
    answer("Yes");
    answer("ka");
    trainAfterScan(*engine);
    auto r = records();
    ASSERT_EQ(r.size(), 2u);
    EXPECT_EQ(r[1].valleyCount, c.count);
    for (int i = 0; i < 1201; ++i) {
      const double expected = i <= c.lastCopied ? 1000 + i : -1;
      ASSERT_EQ(r[1].valleys[static_cast<size_t>(i)], expected) << "entry " << i;
    }
  }
}

TEST_F(VocabularyTraining, TrainingModeScansEveryConfiguredFileAfterwards) {
  const std::string other = path("other.SAY");
  writeRecords(other, std::vector{vocabularyRecord(1, "ga", ladder(5, 12, 7))});
  s.matchVocabularyFile[1] = addFile;
  s.matchVocabularyFile[3] = other;
  answer("Yes");
  answer("ka");
  trainAndRescan(*engine);
  EXPECT_EQ(s.processingSetCount, 2);
  EXPECT_EQ(s.charaOfNo[1][1], "ka");
  EXPECT_EQ(s.charaProbabilityOfNo[1][1], "99");
  EXPECT_EQ(s.charaOfNo[1][2], "ga");
  EXPECT_EQ(s.currentMatchFile, other);
}

TEST_F(VocabularyTraining, FileErrorsShowTheMessageOfEachWay) {
  struct Case {
    void (*train)(Engine&);
    const char* text;
  } cases[] = {
      {trainAndRescan,
       "Problem in File I/O,Code BVATD, Check the Location of your disk files of vyanjana or "
       "vocabulary database and their states"},
      {trainAfterScan,
       "Problem in File I/O, Check the Location of your disk files of vyanjana or vocabulary "
       "database and their states"},
  };
  s.vocabularyFileToAdd = path("missing/folder/add.SAY");
  for (const auto& c : cases) {
    answer("Yes");
    answer("OK");
    c.train(*engine);
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, c.text);
    EXPECT_EQ(boxes[1].title, "Parlomat Info");
    EXPECT_EQ(boxes[1].icon, Icon::Information);
    EXPECT_EQ(sim.files.openCount(), 0);
  }
}

TEST_F(VocabularyTraining, AnytimeAdditionTrainsInsteadOfRanking) {
  const std::string file = path("match.SAY");
  writeRecords(file, std::vector{vocabularyRecord(1, "ga", ladder(5, 12, 7))});
  s.anytimeVocabularyAddition = kYes;
  answer("Yes");  // Add this to vocabulary ?
  answer("Yes");  // Add playback to file ?
  answer("kha");
  s.currentMatchFile = file;
  scanVocabularyFile(*engine, file, false);
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(boxes[0].text, "Add this to vocabulary ?");
  EXPECT_EQ(boxes[0].title, "Parlomat Vocabulary Development");
  EXPECT_EQ(boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(records().at(0).trimmedName(), "kha");
  EXPECT_EQ(s.processingSetCount, 0);

  answer("No");
  scanVocabularyFile(*engine, file, false);
  EXPECT_EQ(s.processingSetCount, 1);
}

}  // namespace parlomat::testing
