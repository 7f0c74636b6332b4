#include <map>
#include <set>

#include "support/TestSupport.h"

namespace parlomat::testing {

class MemberTable : public SimFixture {};

TEST_F(MemberTable, HasEveryMemberOnceWithItsNumber) {
  Parlomat p(engine);
  const auto& members = p.members();
  int gets = 0, puts = 0, methods = 0;
  std::set<uint32_t> ids;
  std::set<std::string> names;
  for (const auto& m : members) {
    ids.insert(m.dispid);
    names.insert(m.name);
    (m.kind == MemberKind::Get ? gets : m.kind == MemberKind::Put ? puts : methods)++;
  }
  EXPECT_EQ(gets + puts, 126);
  EXPECT_EQ(methods, 7);
  EXPECT_EQ(ids.size(), 133u);
  EXPECT_EQ(names.size(), 133u);
}

// The interface as hosts know it: name, number, kind, value type (properties) or argument types
// (methods). Properties have the id 0x68030000 + number, methods 0x60030000 + number.
struct Expected {
  const char* name;
  uint32_t number;
  MemberKind kind;
  ValueType type;
  std::vector<ValueType> arguments;
};

using K = MemberKind;
using V = ValueType;

const std::vector<Expected>& interfaceTable() {
  static const std::vector<Expected> rows = {
      {"Platinum_Word_1", 83, K::Get, V::Text, {}},
      {"Platinum_Word_2", 84, K::Get, V::Text, {}},
      {"Platinum_Word_3", 85, K::Get, V::Text, {}},
      {"Platinum_Word_4", 86, K::Get, V::Text, {}},
      {"Platinum_Word_5", 87, K::Get, V::Text, {}},
      {"Platinum_Word_6", 88, K::Get, V::Text, {}},
      {"Platinum_Word_7", 89, K::Get, V::Text, {}},
      {"Platinum_Word_1_Percentage", 90, K::Get, V::Int16, {}},
      {"Platinum_Word_2_Percentage", 91, K::Get, V::Int16, {}},
      {"Platinum_Word_3_Percentage", 92, K::Get, V::Int16, {}},
      {"Platinum_Word_4_Percentage", 93, K::Get, V::Int16, {}},
      {"Platinum_Word_5_Percentage", 94, K::Get, V::Int16, {}},
      {"Platinum_Word_6_Percentage", 95, K::Get, V::Int16, {}},
      {"Platinum_Word_7_Percentage", 96, K::Get, V::Int16, {}},
      {"Platinum_Word_1_Font", 105, K::Get, V::Text, {}},
      {"Platinum_Word_2_Font", 106, K::Get, V::Text, {}},
      {"Platinum_Word_3_Font", 107, K::Get, V::Text, {}},
      {"Platinum_Word_4_Font", 108, K::Get, V::Text, {}},
      {"Platinum_Word_5_Font", 109, K::Get, V::Text, {}},
      {"Platinum_Word_6_Font", 110, K::Get, V::Text, {}},
      {"Platinum_Word_7_Font", 111, K::Get, V::Text, {}},
      {"Current_Platinum_Words_Available", 69, K::Get, V::Int32, {}},
      {"Is_this_Word_of_no_1", 112, K::Get, V::Text, {}},
      {"Is_this_Word_of_no_2", 113, K::Get, V::Text, {}},
      {"Is_this_Word_of_no_3", 114, K::Get, V::Text, {}},
      {"Is_this_Word_of_no_4", 115, K::Get, V::Text, {}},
      {"Is_this_Word_of_no_5", 116, K::Get, V::Text, {}},
      {"Is_this_Word_of_no_6", 117, K::Get, V::Text, {}},
      {"Is_this_Word_of_no_7", 118, K::Get, V::Text, {}},
      {"Is_this_probability_for_Word_no_1", 119, K::Get, V::Text, {}},
      {"Is_this_probability_for_Word_no_2", 120, K::Get, V::Text, {}},
      {"Is_this_probability_for_Word_no_3", 121, K::Get, V::Text, {}},
      {"Is_this_probability_for_Word_no_4", 122, K::Get, V::Text, {}},
      {"Is_this_probability_for_Word_no_5", 123, K::Get, V::Text, {}},
      {"Is_this_probability_for_Word_no_6", 124, K::Get, V::Text, {}},
      {"Is_this_probability_for_Word_no_7", 125, K::Get, V::Text, {}},
      {"Probable_no_of_words_recognized", 16, K::Get, V::Int32, {}},
      {"Golden_Chara", 74, K::Get, V::Text, {}},
      {"Golden_Chara_Points", 75, K::Get, V::Text, {}},
      {"Probable_chars_No_1_Recognized", 9, K::Get, V::Text, {}},
      {"Probable_chars_No_2_Recognized", 10, K::Get, V::Text, {}},
      {"Probable_chars_No_3_Recognized", 11, K::Get, V::Text, {}},
      {"Probable_chars_No_4_Recognized", 12, K::Get, V::Text, {}},
      {"Probable_chars_No_5_Recognized", 13, K::Get, V::Text, {}},
      {"Probable_chars_No_6_Recognized", 14, K::Get, V::Text, {}},
      {"Probable_chars_No_7_Recognized", 15, K::Get, V::Text, {}},
      {"Probable_chars_no_1_percentage", 29, K::Get, V::Text, {}},
      {"Probable_chars_no_2_percentage", 30, K::Get, V::Text, {}},
      {"Probable_chars_no_3_percentage", 31, K::Get, V::Text, {}},
      {"Probable_chars_no_4_percentage", 32, K::Get, V::Text, {}},
      {"Probable_chars_no_5_percentage", 33, K::Get, V::Text, {}},
      {"Probable_chars_no_6_percentage", 34, K::Get, V::Text, {}},
      {"Probable_chars_no_7_percentage", 35, K::Get, V::Text, {}},
      {"Current_Processings_Available", 68, K::Get, V::Int32, {}},
      {"Is_this_Chara_of_no_1", 49, K::Get, V::Text, {}},
      {"Is_this_Chara_of_no_2", 50, K::Get, V::Text, {}},
      {"Is_this_Chara_of_no_3", 51, K::Get, V::Text, {}},
      {"Is_this_Chara_of_no_4", 52, K::Get, V::Text, {}},
      {"Is_this_Chara_of_no_5", 53, K::Get, V::Text, {}},
      {"Is_this_Chara_of_no_6", 54, K::Get, V::Text, {}},
      {"Is_this_Chara_of_no_7", 55, K::Get, V::Text, {}},
      {"Is_this_probability_for_no_1", 57, K::Get, V::Text, {}},
      {"Is_this_probability_for_no_2", 58, K::Get, V::Text, {}},
      {"Is_this_probability_for_no_3", 59, K::Get, V::Text, {}},
      {"Is_this_probability_for_no_4", 60, K::Get, V::Text, {}},
      {"Is_this_probability_for_no_5", 61, K::Get, V::Text, {}},
      {"Is_this_probability_for_no_6", 62, K::Get, V::Text, {}},
      {"Is_this_probability_for_no_7", 63, K::Get, V::Text, {}},
      {"Current_no_of_Processings", 56, K::Get, V::Int32, {}},
      {"Current_Vyanjana_no_Processed", 46, K::Get, V::Int32, {}},
      {"Current_Word_no_Processed", 17, K::Get, V::Int32, {}},
      {"Current_Word_no_Timelength", 18, K::Get, V::Int32, {}},
      {"Current_DeepWord_no_Processed", 19, K::Get, V::Int32, {}},
      {"Current_DeepWord_no_Timelength", 20, K::Get, V::Int32, {}},
      {"Current_TooDeepWord_no_Processed", 21, K::Get, V::Int32, {}},
      {"Current_TooDeepWord_no_Timelength", 22, K::Get, V::Int32, {}},
      {"Recorded_Bytes", 4, K::Get, V::Int32, {}},
      {"Is_this_Wave_Data", 70, K::Get, V::Int32, {}},
      {"Send_of_no", 48, K::Put, V::Int32, {}},
      {"Send_words_one_by_one", 47, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_1", 7, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_2", 36, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_3", 37, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_4", 38, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_5", 39, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_6", 40, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_7", 41, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_8", 42, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno__9", 43, K::Put, V::Text, {}},
      {"Consider_This_Vocabulary_To_Match_Fileno_10", 44, K::Put, V::Text, {}},
      {"Number_of_files_to_scan", 73, K::Put, V::Int16, {}},
      {"Multiple_Files", 72, K::Put, V::Text, {}},
      {"Consider_this_Vocabulary_to_Add", 6, K::Put, V::Text, {}},
      {"Add_To_Vocabulary", 8, K::Put, V::Text, {}},
      {"Enable_Anytime_Vocabulary_Addition", 77, K::Put, V::Text, {}},
      {"Enable_Unrecognizable_Notification", 82, K::Put, V::Text, {}},
      {"Keep_Entry_Matching_Accuracy", 26, K::Put, V::Text, {}},
      {"Keep_Matching_Files_Entries_Scan_Accuracy", 25, K::Put, V::Text, {}},
      {"Consider_this_Lang_File_to_match", 97, K::Put, V::Text, {}},
      {"Consider_this_Lang_File_to_Add", 98, K::Put, V::Text, {}},
      {"Add_To_Language", 99, K::Put, V::Text, {}},
      {"Enable_Artificial_Intelligence", 100, K::Put, V::Text, {}},
      {"Notify_if_no_language_match", 102, K::Put, V::Text, {}},
      {"Speech_sampling_time_in_ms", 3, K::Put, V::Int32, {}},
      {"Set_Recording_Frequency", 78, K::Put, V::Int32, {}},
      {"Keep_Digital_Signal_Processing_level", 76, K::Put, V::Text, {}},
      {"Sample_processing_resolution", 28, K::Put, V::Text, {}},
      {"Voice_Grab_Delay", 101, K::Put, V::Int16, {}},
      {"This_speech_reprocess", 64, K::Put, V::Text, {}},
      {"This_speech_sample_process_start_only", 65, K::Put, V::Text, {}},
      {"This_speech_sample_process_middle_only", 66, K::Put, V::Text, {}},
      {"This_speech_sample_process_end_only", 67, K::Put, V::Text, {}},
      {"This_Audio_Process", 5, K::Put, V::Text, {}},
      {"Memory_Clean", 24, K::Put, V::Text, {}},
      {"Show_this_Image_for_Start", 103, K::Put, V::Text, {}},
      {"Show_this_Image_for_Stop", 104, K::Put, V::Text, {}},
      {"Show_Status_Animation", 27, K::Put, V::Text, {}},
      {"Show_Audio_Graph", 1, K::Put, V::Text, {}},
      {"Speech_echo_feature", 0, K::Put, V::Text, {}},
      {"On_speech_show_activities", 71, K::Put, V::Text, {}},
      {"Play_this_file_for_Start", 79, K::Put, V::Text, {}},
      {"Play_this_file_for_Stop", 80, K::Put, V::Text, {}},
      {"Play_this_file_on_Initialization", 81, K::Put, V::Text, {}},
      {"Stop_everything_now", 45, K::Put, V::Text, {}},
      {"Stop_record_and_reset", 2, K::Put, V::Text, {}},
      {"Open_this_Wave_File", 23, K::Put, V::Text, {}},
      {"Start_Real_Action", 130, K::Method, V::Empty, {V::Text, V::Byte, V::Byte, V::Byte}},
      {"Stop_Real_Action", 129, K::Method, V::Empty, {}},
      {"Open_Specified_Wave_File_And_Process", 131, K::Method, V::Empty, {}},
      {"InitializeSound", 128, K::Method, V::Empty, {}},
      {"Play_File", 132, K::Method, V::Empty, {V::Text}},
      {"Show_Language_Editor", 126, K::Method, V::Empty, {}},
      {"Show_Vocabulary_Editor", 127, K::Method, V::Empty, {}},
  };
  return rows;
}

TEST_F(MemberTable, MatchesTheInterfaceNumbersKindsAndTypes) {
  Parlomat p(engine);
  std::map<std::string, const MemberInfo*> byName;
  for (const auto& m : p.members()) byName[m.name] = &m;
  ASSERT_EQ(interfaceTable().size(), 133u);
  EXPECT_EQ(p.members().size(), interfaceTable().size());
  for (const auto& row : interfaceTable()) {
    SCOPED_TRACE(row.name);
    auto it = byName.find(row.name);
    ASSERT_NE(it, byName.end()) << "missing member";
    const MemberInfo& m = *it->second;
    uint32_t base = row.kind == K::Method ? 0x60030000u : 0x68030000u;
    EXPECT_EQ(m.dispid, base + row.number);
    EXPECT_EQ(m.kind, row.kind);
    if (row.kind == K::Method) {
      EXPECT_EQ(m.arguments, row.arguments);
    } else {
      EXPECT_EQ(m.type, row.type);
      EXPECT_TRUE(m.arguments.empty());
    }
  }
}

// Property numbers 0..125 are each used once; methods take 126..132.
TEST_F(MemberTable, PropertyNumbersAreDenseAndMethodsFollow) {
  Parlomat p(engine);
  std::set<uint32_t> properties, methods;
  for (const auto& m : p.members()) {
    (m.kind == K::Method ? methods : properties).insert(m.dispid & 0xFFFF);
    EXPECT_EQ(m.dispid >> 16, m.kind == K::Method ? 0x6003u : 0x6803u) << m.name;
  }
  EXPECT_EQ(properties.size(), 126u);
  EXPECT_EQ(*properties.begin(), 0u);
  EXPECT_EQ(*properties.rbegin(), 125u);
  EXPECT_EQ(methods, (std::set<uint32_t>{126, 127, 128, 129, 130, 131, 132}));
}

// The by-name table and the typed members are one definition: a call by name, by id or through
// the C++ member reaches the same field.
TEST_F(MemberTable, NameIdAndTypedMemberReachTheSameField) {
  Parlomat p(engine);
  p.put("Send_of_no", Variant(int32_t{5}));
  EXPECT_EQ(p.state().sendIndex, 5);
  Variant seven(int32_t{7});
  p.invokeById(0x68030000u + 48, std::span<const Variant>(&seven, 1));
  EXPECT_EQ(p.state().sendIndex, 7);
  p.Send_of_no(9);
  EXPECT_EQ(p.get("Current_Platinum_Words_Available"), Variant(int32_t{0}));
  p.state().platinumSetCount = 3;
  EXPECT_EQ(p.invokeById(0x68030000u + 69, {}), Variant(int32_t{3}));
  EXPECT_EQ(p.Current_Platinum_Words_Available(), 3);
}

// A value crosses the interface converted to the member's type, as a late-bound call does.
TEST_F(MemberTable, ArgumentsAreConvertedToTheMemberType) {
  Parlomat p(engine);
  p.put("Send_of_no", Variant("12"));
  EXPECT_EQ(p.state().sendIndex, 12);
  p.put("Voice_Grab_Delay", Variant(2.5));
  EXPECT_EQ(p.state().voiceGrabDelay, 2);
  p.put("Open_this_Wave_File", Variant(int32_t{42}));
  EXPECT_EQ(p.state().waveFileToOpen, "42");
  std::vector<Variant> start = {Variant("NO"), Variant(int32_t{1}), Variant(int16_t{2}),
                                Variant("3")};
  EXPECT_TRUE(p.call("Start_Real_Action", start).ok());
}

TEST_F(MemberTable, BadCallsFailWithTheirErrorAndChangeNothing) {
  Parlomat p(engine);
  p.state().sendIndex = 4;
  struct Case {
    const char* member;
    std::vector<Variant> args;
    int code;
  };
  const Case cases[] = {
      {"No_Such_Member", {}, errors::kNoSuchMember},
      {"Send_of_no", {Variant("abc")}, errors::kTypeMismatch},
      {"Send_of_no", {Variant(3e10)}, errors::kOverflow},
      {"Voice_Grab_Delay", {Variant(int32_t{40000})}, errors::kOverflow},
      {"Send_of_no", {}, errors::kWrongArgumentCount},
      {"Recorded_Bytes", {Variant(int32_t{1})}, errors::kWrongArgumentCount},
      {"Play_File", {}, errors::kWrongArgumentCount},
      {"Start_Real_Action",
       {Variant("YES"), Variant(int32_t{256}), Variant(int32_t{0}), Variant(int32_t{0})},
       errors::kOverflow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.member);
    CallResult r = p.call(c.member, c.args);
    EXPECT_EQ(r.errorCode, c.code);
    EXPECT_FALSE(r.errorText.empty());
  }
  EXPECT_EQ(p.state().sendIndex, 4);
  EXPECT_EQ(p.state().voiceGrabDelay, 0);
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_TRUE(sim.sounds.log().empty());
}

}  // namespace parlomat::testing
