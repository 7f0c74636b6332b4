// The getters of the control's read-only properties: the indexed families and their subscript
// failure, the wave data, the time lengths, the counters that never read negative, the fonts.
#include "support/TestSupport.h"

namespace parlomat::testing {

namespace {

using RankedSet = Ranks<std::vector<std::string>> ControlState::*;

struct IndexedFamily {
  const char* prefix;  // member N is prefix + N
  RankedSet arrays;
  int32_t ControlState::*count;
};

const IndexedFamily kFamilies[] = {
    {"Is_this_Word_of_no_", &ControlState::wordOfNo, &ControlState::platinumSetCount},
    {"Is_this_probability_for_Word_no_", &ControlState::wordProbabilityOfNo,
     &ControlState::platinumSetCount},
    {"Is_this_Chara_of_no_", &ControlState::charaOfNo, &ControlState::processingSetCount},
    {"Is_this_probability_for_no_", &ControlState::charaProbabilityOfNo,
     &ControlState::processingSetCount},
};

// Every entry of every family tells where it came from: "<family>:<place>:<entry>".
void fillRankedSets(ControlState& s, size_t entries) {
  for (size_t f = 0; f < std::size(kFamilies); ++f) {
    for (int k = 1; k <= 7; ++k) {
      auto& array = (s.*kFamilies[f].arrays)[k];
      array.assign(entries, "");
      for (size_t i = 1; i < entries; ++i) {
        array[i] = std::to_string(f) + ":" + std::to_string(k) + ":" + std::to_string(i);
      }
    }
  }
}

}  // namespace

class GetterRules : public SimFixture {};

TEST_F(GetterRules, IndexedFamiliesAreEmptyWhileTheirCountIsNotPositive) {
  Parlomat p(engine);
  fillRankedSets(p.state(), 3);
  p.state().sendIndex = 1;
  for (int32_t count : {0, -1}) {
    p.state().platinumSetCount = count;
    p.state().processingSetCount = count;
    for (const auto& f : kFamilies) {
      for (int k = 1; k <= 7; ++k) {
        std::string name = f.prefix + std::to_string(k);
        EXPECT_EQ(p.get(name), Variant("")) << name << " count " << count;
      }
    }
  }
  // Even an index that would fail reads empty while nothing was ranked.
  p.state().sendIndex = -1;
  EXPECT_EQ(p.Is_this_Word_of_no_1(), "");
  EXPECT_EQ(p.Is_this_Chara_of_no_7(), "");
}

TEST_F(GetterRules, IndexedFamiliesReturnEntrySendIndexOfTheirOwnPlace) {
  Parlomat p(engine);
  fillRankedSets(p.state(), 3);
  p.state().platinumSetCount = 2;
  p.state().processingSetCount = 2;
  for (size_t f = 0; f < std::size(kFamilies); ++f) {
    for (int k = 1; k <= 7; ++k) {
      std::string name = kFamilies[f].prefix + std::to_string(k);
      for (int32_t i : {0, 1, 2}) {
        p.Send_of_no(i);
        std::string expected =
            i == 0 ? "" : std::to_string(f) + ":" + std::to_string(k) + ":" + std::to_string(i);
        EXPECT_EQ(p.get(name), Variant(expected)) << name << " entry " << i;
      }
    }
  }
}

// Outside its array an indexed getter fails with the subscript error: an exception in C++, an
// error result by name; nothing changes.
TEST_F(GetterRules, IndexedFamiliesFailOutsideTheirArray) {
  Parlomat p(engine);
  ControlState& s = p.state();
  fillRankedSets(s, 3);
  s.platinumSetCount = 2;
  s.processingSetCount = 2;
  for (int32_t index : {-1, 3, 4, INT32_MAX, INT32_MIN}) {
    s.sendIndex = index;
    for (const auto& f : kFamilies) {
      for (int k = 1; k <= 7; ++k) {
        std::string name = f.prefix + std::to_string(k);
        SCOPED_TRACE(name + " at " + std::to_string(index));
        auto before = s.*f.arrays;
        CallResult r = p.call(name);
        EXPECT_EQ(r.errorCode, errors::kSubscriptOutOfRange);
        EXPECT_EQ(r.errorText, "Subscript out of range");
        EXPECT_TRUE(r.value.isEmpty());
        EXPECT_THROW(p.get(name), SubscriptOutOfRange);
        EXPECT_EQ(s.*f.arrays, before);
        EXPECT_EQ(s.*f.count, 2);
        EXPECT_EQ(s.sendIndex, index);
      }
    }
  }
  s.sendIndex = -1;
  EXPECT_THROW(p.Is_this_Word_of_no_1(), SubscriptOutOfRange);
  EXPECT_THROW(p.Is_this_probability_for_no_4(), SubscriptOutOfRange);
}

// A family whose arrays were never sized fails as soon as its count is positive.
TEST_F(GetterRules, PositiveCountOverEmptyArrayFails) {
  Parlomat p(engine);
  p.state().processingSetCount = 1;
  p.Send_of_no(0);
  EXPECT_EQ(p.call("Is_this_Chara_of_no_1").errorCode, errors::kSubscriptOutOfRange);
  EXPECT_EQ(p.Is_this_Word_of_no_1(), "");
}

TEST_F(GetterRules, WaveDataReadsTheSampleAtSendIndex) {
  Parlomat p(engine);
  ControlState& s = p.state();
  s.sampleBuffer = {128, 7, 250};
  s.waveHeader.bufferLength = 0;
  s.sendIndex = 5;
  EXPECT_EQ(p.get("Is_this_Wave_Data"), Variant(int32_t{0}));
  s.waveHeader.bufferLength = -4;
  EXPECT_EQ(p.Is_this_Wave_Data(), 0);

  s.waveHeader.bufferLength = 3;
  const std::pair<int32_t, int32_t> reads[] = {{0, 128}, {1, 7}, {2, 250}};
  for (const auto& [index, byte] : reads) {
    p.Send_of_no(index);
    EXPECT_EQ(p.get("Is_this_Wave_Data"), Variant(int32_t{byte})) << index;
  }
  for (int32_t index : {-1, 3, 1000}) {
    p.Send_of_no(index);
    CallResult r = p.call("Is_this_Wave_Data");
    EXPECT_EQ(r.errorCode, errors::kSubscriptOutOfRange) << index;
  }
  EXPECT_EQ(s.sampleBuffer, (std::vector<uint8_t>{128, 7, 250}));
}

TEST_F(GetterRules, TimeLengthsAtTheirCounter) {
  Parlomat p(engine);
  struct Case {
    const char* member;
    int16_t ControlState::*counter;
    std::vector<int32_t> ControlState::*lengths;
  };
  const Case cases[] = {
      {"Current_Word_no_Timelength", &ControlState::wordNo, &ControlState::wordTimelength},
      {"Current_DeepWord_no_Timelength", &ControlState::deepWordNo,
       &ControlState::deepWordTimelength},
      {"Current_TooDeepWord_no_Timelength", &ControlState::tooDeepWordNo,
       &ControlState::tooDeepWordTimelength},
  };
  ControlState& s = p.state();
  for (size_t n = 0; n < std::size(cases); ++n) {
    const Case& c = cases[n];
    SCOPED_TRACE(c.member);
    s.wordTimelength = {0, 101, 102};
    s.deepWordTimelength = {0, 201, 202};
    s.tooDeepWordTimelength = {0, 301, 302};
    s.wordNo = s.deepWordNo = s.tooDeepWordNo = 1;
    for (int16_t counter : {int16_t{0}, int16_t{-3}}) {
      s.*c.counter = counter;
      EXPECT_EQ(p.get(c.member), Variant(int32_t{0}));
    }
    s.*c.counter = 2;
    EXPECT_EQ(p.get(c.member), Variant(int32_t(100 * (n + 1) + 2)));
    s.*c.counter = 3;
    EXPECT_EQ(p.call(c.member).errorCode, errors::kSubscriptOutOfRange);
    s.*c.lengths = {};
    s.*c.counter = 1;
    EXPECT_EQ(p.call(c.member).errorCode, errors::kSubscriptOutOfRange);
  }
}

// The marked counters read 0 in place of a negative value; the others are returned as they are.
TEST_F(GetterRules, CountersThatNeverReadNegative) {
  Parlomat p(engine);
  ControlState& s = p.state();
  s.vyanjanaNo = s.wordNo = s.deepWordNo = s.tooDeepWordNo = -5;
  s.processingNo = s.platinumSetCount = s.processingSetCount = s.probableWordCount = -6;
  s.recordedBytes = -1;
  const std::pair<const char*, int32_t> reads[] = {
      {"Current_Vyanjana_no_Processed", 0},
      {"Current_Word_no_Processed", 0},
      {"Current_DeepWord_no_Processed", 0},
      {"Current_TooDeepWord_no_Processed", 0},
      {"Current_no_of_Processings", -6},
      {"Current_Platinum_Words_Available", -6},
      {"Current_Processings_Available", -6},
      {"Probable_no_of_words_recognized", -6},
      {"Recorded_Bytes", -1},
  };
  for (const auto& [member, value] : reads) {
    EXPECT_EQ(p.get(member), Variant(value)) << member;
  }
  s.vyanjanaNo = 40000;
  s.wordNo = 3;
  s.deepWordNo = 0;
  s.tooDeepWordNo = 32767;
  EXPECT_EQ(p.Current_Vyanjana_no_Processed(), 40000);
  EXPECT_EQ(p.Current_Word_no_Processed(), 3);
  EXPECT_EQ(p.Current_DeepWord_no_Processed(), 0);
  EXPECT_EQ(p.Current_TooDeepWord_no_Processed(), 32767);
}

// Each font getter reads its own place only: trimmed, or the default while the field is empty.
TEST_F(GetterRules, SevenFontGettersEachReadTheirOwnPlace) {
  Parlomat p(engine);
  for (int k = 1; k <= 7; ++k) {
    for (auto& f : p.state().platinumFont) f.clear();
    p.state().platinumFont[k] = "  Devanagari Font " + std::to_string(k) + "   ";
    for (int j = 1; j <= 7; ++j) {
      std::string name = "Platinum_Word_" + std::to_string(j) + "_Font";
      std::string expected = j == k ? "Devanagari Font " + std::to_string(k) : "MS Sans Serif";
      EXPECT_EQ(p.get(name), Variant(expected)) << name << " with place " << k << " set";
    }
  }
  EXPECT_EQ(p.Platinum_Word_3_Font(), "MS Sans Serif");
}

// The default stands only for an empty field; a field of blanks, as a language record pads an
// unnamed font, reads trimmed to the empty text.
TEST_F(GetterRules, FontOfBlanksReadsEmpty) {
  Parlomat p(engine);
  p.state().platinumFont[3] = std::string(40, ' ');
  EXPECT_EQ(p.Platinum_Word_3_Font(), "");
  p.state().platinumFont[3] = "Arial" + std::string(35, ' ');
  EXPECT_EQ(p.Platinum_Word_3_Font(), "Arial");
}

// The plain result getters: each of the seven places read by its own member, unchanged.
TEST_F(GetterRules, PlainResultsReadTheirOwnPlace) {
  Parlomat p(engine);
  ControlState& s = p.state();
  for (int k = 1; k <= 7; ++k) {
    s.platinumWord[k] = " word " + std::to_string(k) + " ";
    s.platinumPercent[k] = static_cast<int16_t>(90 - k);
    s.probableChars[k] = " ka" + std::to_string(k);
    s.probableCharsPercent[k] = std::to_string(50 + k);
  }
  s.goldenChara = " ga ";
  s.goldenCharaPoints = "77";
  for (int k = 1; k <= 7; ++k) {
    std::string n = std::to_string(k);
    EXPECT_EQ(p.get("Platinum_Word_" + n), Variant(" word " + n + " "));
    EXPECT_EQ(p.get("Platinum_Word_" + n + "_Percentage"), Variant(int16_t(90 - k)));
    EXPECT_EQ(p.get("Probable_chars_No_" + n + "_Recognized"), Variant(" ka" + n));
    EXPECT_EQ(p.get("Probable_chars_no_" + n + "_percentage"), Variant(std::to_string(50 + k)));
  }
  EXPECT_EQ(p.get("Golden_Chara"), Variant(" ga "));
  EXPECT_EQ(p.get("Golden_Chara_Points"), Variant("77"));
}

// All control instances of a program share one state: settings written through one are read
// through the other, and so are results.
TEST_F(GetterRules, TwoInstancesShareAllResults) {
  Parlomat a(engine);
  Parlomat b(engine);
  a.Enable_Artificial_Intelligence("YES");
  a.Consider_this_Lang_File_to_match("/d/words");
  EXPECT_EQ(b.state().artificialIntelligence, "YES");
  EXPECT_EQ(b.state().languageFileToMatch, "/d/words.Lang");

  ControlState& s = a.state();
  fillRankedSets(s, 2);
  s.platinumSetCount = 1;
  s.platinumWord[1] = "namaste";
  s.platinumFont[2] = "Mangal";
  s.goldenChara = "na";
  s.wordNo = 1;
  s.wordTimelength = {0, 480};
  b.Send_of_no(1);
  EXPECT_EQ(a.Is_this_Word_of_no_1(), "0:1:1");
  EXPECT_EQ(b.Is_this_Word_of_no_1(), "0:1:1");
  EXPECT_EQ(b.Platinum_Word_1(), "namaste");
  EXPECT_EQ(b.Platinum_Word_2_Font(), "Mangal");
  EXPECT_EQ(b.Golden_Chara(), "na");
  EXPECT_EQ(b.Current_Word_no_Timelength(), 480);

  b.Memory_Clean("YES");
  EXPECT_EQ(a.Platinum_Word_1(), "");
  EXPECT_EQ(a.Golden_Chara(), "");
}

}  // namespace parlomat::testing
