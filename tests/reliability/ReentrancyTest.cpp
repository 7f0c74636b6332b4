// Faults the storm found, each kept as a plain scenario: a host call served while a box of the
// trainer or of the vocabulary scan is shown moves the shared record file handle, and the record
// written after the box must still go to the file it belongs to.
#include <functional>

#include "matching/VocabularyMatcher.h"
#include "matching/VocabularyTrainer.h"
#include "matching/WorkingRecords.h"
#include "reliability/ReliabilitySupport.h"

namespace parlomat::testing {
namespace {

class BoxWithAHostCall : public SimFixture {
 public:
  using SimFixture::engine;
  ControlState& s = engine->state;
  const std::string vocabulary = path("add.SAY");
  const std::string language = path("words.Lang");

  BoxWithAHostCall() {
    writeRecords(dir / "add.SAY", std::vector{vocabularyRecord(1, "pa", ladder(8))});
    writeRecords(dir / "words.Lang", std::vector{languageRecord(1, "SHORT", 2000, {{"*", 100}}),
                                                 languageRecord(2, "LONG", 6000, {{"k*", 80}})});
    s.vocabularyFileToAdd = vocabulary;
    s.sampleBuffer.assign(200, 128);
    s.segmentStart = 20;
    s.segmentEnd = 120;
    setValleys(ladder(5, 12, 7));
  }
  void setValleys(const std::vector<double>& bins) {
    s.valleyCount = static_cast<int16_t>(bins.size());
    for (size_t i = 0; i < bins.size(); ++i) s.valleyBins[i] = static_cast<int32_t>(bins[i]);
  }
  // Runs `call` while the first box of `kind` is shown.
  void duringBox(DialogRecord::Kind kind, std::function<void()> call) {
    sim.dialogs.onShow = [this, kind, call](const DialogRecord& r) {
      if (r.kind != kind || fired_) return;
      fired_ = true;
      call();
    };
  }
  bool fired_ = false;
};

struct HostCall {
  const char* name;
  std::function<void(BoxWithAHostCall&)> call;
};
void PrintTo(const HostCall& c, std::ostream* os) {
  *os << c.name;
}

class TrainingWhileTheNameIsAsked : public BoxWithAHostCall,
                                    public ::testing::WithParamInterface<HostCall> {};

// The trained record lands after the last record of the vocabulary file with the valleys of the
// processing being trained; no other file changes.
TEST_P(TrainingWhileTheNameIsAsked, TheRecordGoesToTheVocabularyFile) {
  const auto languageBefore = readFile(language);
  const auto vocabularyBefore = readFile(vocabulary);
  answer("Yes");
  answer("ka");
  duringBox(DialogRecord::Kind::Input, [this] { GetParam().call(*this); });
  trainAfterScan(*engine);

  EXPECT_EQ(readFile(language), languageBefore);
  const auto after = readFile(vocabulary);
  ASSERT_EQ(after.size(), 2u * VocabularyRecord::kLength);
  EXPECT_TRUE(std::equal(vocabularyBefore.begin(), vocabularyBefore.end(), after.begin()));
  const auto r = VocabularyRecord::fromBytes(std::span(after).subspan(VocabularyRecord::kLength));
  EXPECT_EQ(r.refNo, 2);
  EXPECT_EQ(r.trimmedName(), "ka");
  ASSERT_EQ(r.valleyCount, 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(r.valleys[static_cast<size_t>(i)], 12 + 7 * i);
  EXPECT_EQ(sim.files.openCount(), 0);
  EXPECT_EQ(takeBoxes().size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Calls, TrainingWhileTheNameIsAsked,
    ::testing::Values(
        // The Language Editor opening its file on the shared handle.
        HostCall{"LanguageFileOnTheHandle",
                 [](BoxWithAHostCall& f) { openLanguageFile(*f.engine, f.language); }},
        // A stop closing the shared handle.
        HostCall{"HandleClosed", [](BoxWithAHostCall& f) { closeRecordFile(*f.engine); }},
        // Another analysis replacing the valley list.
        HostCall{"AnotherAnalysis", [](BoxWithAHostCall& f) { f.setValleys(ladder(9, 3, 2)); }}),
    [](const auto& info) { return std::string(info.param.name); });

// The scan's "not matched" box comes once the file is closed: an editor opening another file on the
// shared handle meanwhile does not receive the scan's write-back.
TEST_F(BoxWithAHostCall, AScanWritesBackBeforeItsNotMatchedBox) {
  writeRecords(dir / "match.SAY", std::vector{vocabularyRecord(1, "ka", ladder(40, 10, 3))});
  const auto languageBefore = readFile(language);
  const auto matchBefore = readFile(dir / "match.SAY");
  s.unrecognizableNotification = kYes;
  s.scanToleranceUp = 0;
  s.scanToleranceDown = 0;
  answer("OK");
  duringBox(DialogRecord::Kind::Message, [this] { openLanguageFile(*engine, language); });
  scanVocabularyFile(*engine, path("match.SAY"), false);
  closeRecordFile(*engine);

  const auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text.rfind("File is empty or the speech sample was not matched.", 0), 0u);
  EXPECT_EQ(readFile(language), languageBefore);
  EXPECT_EQ(readFile(dir / "match.SAY"), matchBefore);
}

}  // namespace
}  // namespace parlomat::testing
