#include <cstring>

#include "RecordFixtures.h"
#include "matching/MatchingState.h"
#include "matching/WorkingRecords.h"

namespace parlomat::testing {

TEST(VocabularyRecordLayout, FieldsSitAtTheirOffsetsLittleEndian) {
  VocabularyRecord r = VocabularyRecord::blank(0x01020304);
  r.setName("ka");
  r.valleys[0] = 12;
  r.valleys[1200] = -0.5;
  r.valleyCount = 0x0102;
  auto b = r.toBytes();
  ASSERT_EQ(b.size(), 9634u);
  EXPECT_EQ((std::vector<uint8_t>{b[0], b[1], b[2], b[3]}), (std::vector<uint8_t>{4, 3, 2, 1}));
  EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 24), "ka                  ");
  double first, last;
  std::memcpy(&first, b.data() + 24, 8);
  std::memcpy(&last, b.data() + 24 + 8 * 1200, 8);
  EXPECT_EQ(first, 12.0);
  EXPECT_EQ(last, -0.5);
  EXPECT_EQ(b[9632], 0x02);
  EXPECT_EQ(b[9633], 0x01);
  VocabularyRecord back = VocabularyRecord::fromBytes(b);
  EXPECT_EQ(back.toBytes(), b);
}

TEST(LanguageRecordLayout, FieldsSitAtTheirOffsetsLittleEndian) {
  LanguageRecord r = LanguageRecord::blank(7);
  LanguageRecord::setText(r.name, "BAT");
  LanguageRecord::setText(r.fontName, "Arial");
  r.ratings[1] = 55;
  r.ratings[100] = -2;
  r.divisionCount = 3;
  r.totalTimeLength = 100000;
  r.entryCount = 2;
  LanguageRecord::setText(r.protocols[1], "B?T*");
  LanguageRecord::setText(r.protocols[100], "zz");
  auto b = r.toBytes();
  ASSERT_EQ(b.size(), 4292u);
  auto at = [&b](size_t offset, int width) {
    uint64_t v = 0;
    for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[offset + static_cast<size_t>(i)];
    return v;
  };
  EXPECT_EQ(at(0, 4), 7u);
  EXPECT_EQ(std::string(b.begin() + 4, b.begin() + 44), "BAT" + std::string(37, ' '));
  EXPECT_EQ(std::string(b.begin() + 44, b.begin() + 84), "Arial" + std::string(35, ' '));
  EXPECT_EQ(at(84, 2), 55u);
  EXPECT_EQ(at(282, 2), 0xFFFEu);
  EXPECT_EQ(at(284, 2), 3u);
  EXPECT_EQ(at(286, 4), 100000u);
  EXPECT_EQ(at(290, 2), 2u);
  EXPECT_EQ(std::string(b.begin() + 292, b.begin() + 332), "B?T*" + std::string(36, ' '));
  EXPECT_EQ(std::string(b.begin() + 4252, b.end()), "zz" + std::string(38, ' '));
  EXPECT_EQ(LanguageRecord::fromBytes(b).toBytes(), b);
}

TEST(RecordText, NamesAreCutAndPadded) {
  VocabularyRecord r;
  r.setName("abcdefghijklmnopqrstuvwxy");  // 25 characters
  EXPECT_EQ(r.storedName(), "abcdefghijklmnopqrst");
  r.setName("kha");
  EXPECT_EQ(r.storedName(), "kha" + std::string(17, ' '));
  EXPECT_EQ(r.trimmedName(), "kha");
  r.setName("  ga  ");
  EXPECT_EQ(r.storedName(), "ga" + std::string(18, ' '));

  LanguageRecord::Text t;
  const std::string protocol45 = "abcdefghijklmnopqrstuvwxyz0123456789ABCDEFGHI";
  LanguageRecord::setText(t, protocol45);
  EXPECT_EQ(LanguageRecord::stored(t), protocol45.substr(0, 40));
  LanguageRecord::setText(t, "  ee*ss ");
  EXPECT_EQ(LanguageRecord::trimmed(t), "ee*ss");
}

TEST(RecordText, CountsOutsideTheRecordsRoomAreHeldWithinIt) {
  struct Case {
    int16_t stored;
    int valleys;
    int entries;
  } cases[] = {{-5, 0, 0},      {0, 0, 0},         {7, 7, 7},          {100, 100, 100},
               {101, 101, 100}, {1201, 1201, 100}, {30000, 1201, 100}, {-32768, 0, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    VocabularyRecord v;
    v.valleyCount = c.stored;
    EXPECT_EQ(v.validValleyCount(), c.valleys);
    LanguageRecord l;
    l.entryCount = c.stored;
    EXPECT_EQ(l.validEntryCount(), c.entries);
  }
}

TEST(RecordText, ShortBytesReadAsFarAsTheyGo) {
  VocabularyRecord full = vocabularyRecord(3, "ka", {1, 2, 3});
  auto b = full.toBytes();
  VocabularyRecord part = VocabularyRecord::fromBytes(std::span<const uint8_t>(b.data(), 30));
  EXPECT_EQ(part.refNo, 3);
  EXPECT_EQ(part.trimmedName(), "ka");
  EXPECT_EQ(part.valleys[0], 0.0);  // its eight bytes were cut off at six
  EXPECT_EQ(part.valleyCount, 0);
  LanguageRecord none = LanguageRecord::fromBytes({});
  EXPECT_EQ(none.refNo, 0);
  EXPECT_EQ(none.entryCount, 0);
}

class WorkingRecordFiles : public SimFixture {};

TEST_F(WorkingRecordFiles, RecordCountIsTheLengthOverTheRecordRoundedHalfToEven) {
  struct Case {
    int recordLength;
    int64_t bytes;
    int64_t records;
  } cases[] = {
      {9634, 0, 0},        {9634, 4817, 0},  // half a record rounds to even: 0
      {9634, 9634, 1},     {9634, 2 * 9634, 2}, {9634, 24085, 2},  // 2.5 records
      {9634, 33719, 4},                                            // 3.5 records
      {4292, 3 * 4292, 3}, {4292, 0, 0},        {4292, 4292 + 100, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.recordLength) + " x " + std::to_string(c.bytes));
    const std::string file = path("count.bin");
    writeFile(file, std::vector<uint8_t>(static_cast<size_t>(c.bytes), 0x20));
    if (c.recordLength == VocabularyRecord::kLength) {
      openVocabularyFile(*engine, file);
    } else {
      openLanguageFile(*engine, file);
    }
    EXPECT_EQ(engine->state.recordCount, c.records);
    closeRecordFile(*engine);
    EXPECT_EQ(readFile(file).size(), static_cast<size_t>(c.bytes)) << "opening changed the file";
  }
}

TEST_F(WorkingRecordFiles, OpeningAnEmptyOrMissingFileGivesABlankRecordOne) {
  ControlState& s = engine->state;
  s.matching.vocabularyRecord = vocabularyRecord(9, "old", {4, 5});
  const std::string missing = path("new.SAY");
  openVocabularyFile(*engine, missing);
  EXPECT_TRUE(std::filesystem::exists(missing));
  EXPECT_EQ(s.recordCount, 0);
  EXPECT_EQ(s.matching.vocabularyRecord.refNo, 1);
  EXPECT_EQ(s.matching.vocabularyRecord.valleyCount, 0);
  EXPECT_EQ(s.matching.vocabularyRecord.trimmedName(), "");
  EXPECT_EQ(s.matching.vocabularyRecord.valleys[0], 0.0);
  closeRecordFile(*engine);

  openLanguageFile(*engine, path("new.Lang"));
  EXPECT_EQ(s.matching.languageRecord.refNo, 1);
  EXPECT_EQ(s.matching.languageRecord.entryCount, 0);
  closeRecordFile(*engine);
  EXPECT_EQ(sim.files.openCount(), 0);
}

TEST_F(WorkingRecordFiles, ReadsWritesAndAppendsWholeRecords) {
  ControlState& s = engine->state;
  const std::string file = path("two.SAY");
  writeRecords(file,
               std::vector{vocabularyRecord(1, "ka", {3, 9}), vocabularyRecord(2, "kha", {4})});
  openVocabularyFile(*engine, file);
  EXPECT_EQ(s.recordCount, 2);
  EXPECT_EQ(s.matching.vocabularyRecord.trimmedName(), "ka");
  readVocabularyRecord(*engine, 2);
  EXPECT_EQ(s.matching.vocabularyRecord.trimmedName(), "kha");
  EXPECT_EQ(nextRecordPosition(*engine), 3);
  s.matching.vocabularyRecord = vocabularyRecord(3, "ga", {7, 8, 9});
  writeVocabularyRecord(*engine, 3);
  closeRecordFile(*engine);
  auto bytes = readFile(file);
  ASSERT_EQ(bytes.size(), 3u * 9634);
  EXPECT_EQ(VocabularyRecord::fromBytes(std::span(bytes).subspan(2 * 9634)).trimmedName(), "ga");
}

}  // namespace parlomat::testing
