#include <gtest/gtest.h>

#include "hosts/lexbench/UserSettings.h"

namespace parlomat::lexbench {
namespace {

TEST(UserSettingsRecord, EachFieldSitsAtItsOffsetPaddedWithSpaces) {
  UserSettingsRecord r;
  r.recordNumber = 0x01020304;
  for (int f = 0; f < kFieldCount; ++f) r.fields[f] = std::string(fieldName(Field(f)));
  const auto bytes = r.toBytes();
  ASSERT_EQ(bytes.size(), 1504u);
  EXPECT_EQ(bytes[0], 0x04);
  EXPECT_EQ(bytes[3], 0x01);
  for (int f = 0; f < kFieldCount; ++f) {
    SCOPED_TRACE(fieldName(Field(f)));
    const std::string expected = packField(fieldName(Field(f)));
    EXPECT_EQ(std::string(bytes.begin() + fieldOffset(Field(f)),
                          bytes.begin() + fieldOffset(Field(f)) + 50),
              expected);
  }
  // The offsets of the layout, spot-checked against the table.
  EXPECT_EQ(fieldOffset(Clean_Memory), 4);
  EXPECT_EQ(fieldOffset(Vocabulary_Match_File_1), 754);
  EXPECT_EQ(fieldOffset(Show_Activities), 1404);
  EXPECT_EQ(fieldOffset(Files_To_Match), 1454);
  EXPECT_EQ(fieldOffset(Files_To_Match) + kFieldWidth, kRecordLength);

  const UserSettingsRecord back = UserSettingsRecord::fromBytes(bytes, bytes.size());
  EXPECT_EQ(back.recordNumber, 0x01020304);
  EXPECT_EQ(back.fields[DSP_Level], packField("DSP_Level"));
}

TEST(UserSettingsRecord, TextsAreCutAtFiftyAndANegativeRecordNumberKeepsItsBits) {
  EXPECT_EQ(packField(""), std::string(50, ' '));
  EXPECT_EQ(packField(std::string(51, 'x') + "y"), std::string(50, 'x'));
  EXPECT_EQ(packField("\xE9t\xE9"), "\xE9t\xE9" + std::string(47, ' '));
  UserSettingsRecord r;
  r.recordNumber = -2;
  const auto bytes = r.toBytes();
  EXPECT_EQ(bytes[0], 0xFE);
  EXPECT_EQ(bytes[3], 0xFF);
  EXPECT_EQ(UserSettingsRecord::fromBytes(bytes, bytes.size()).recordNumber, -2);
}

TEST(UserSettingsRecord, BytesBeyondTheFileReadAsBlankFields) {
  std::vector<uint8_t> bytes(kRecordLength, 0);
  bytes[0] = 7;
  const std::string level = packField("Top");
  std::copy(level.begin(), level.end(), bytes.begin() + fieldOffset(DSP_Level));
  // The file ended inside DSP_Level: the rest of that field and everything after is blank.
  const size_t valid = static_cast<size_t>(fieldOffset(DSP_Level)) + 10;
  const UserSettingsRecord r = UserSettingsRecord::fromBytes(bytes, valid);
  EXPECT_EQ(r.recordNumber, 7);
  EXPECT_EQ(r.fields[DSP_Level], packField("Top"));
  EXPECT_EQ(r.fields[Files_To_Match], std::string(50, ' '));
  EXPECT_EQ(r.fields[Clean_Memory], std::string(50, '\0')) << "bytes the file holds stay";

  const UserSettingsRecord none = UserSettingsRecord::fromBytes(bytes, 2);
  EXPECT_EQ(none.recordNumber, 7) << "missing high bytes count as 0";
  EXPECT_EQ(none.fields[Clean_Memory], std::string(50, ' '));
}

TEST(ValueRules, SwitchesCompareExactlyAndNumbersFallBack) {
  const struct {
    const char* text;
    const char* yes;
    const char* no;
  } switches[] = {{"YES", "YES", "YES"}, {"NO", "NO", "NO"}, {"yes", "NO", "YES"},
                  {"no", "NO", "YES"},   {"", "NO", "YES"},  {"maybe", "NO", "YES"},
                  {" YES", "NO", "YES"}};
  for (const auto& c : switches) {
    EXPECT_EQ(yesSwitch(c.text), c.yes) << c.text;
    EXPECT_EQ(noSwitch(c.text), c.no) << c.text;
  }
  const struct {
    const char* text;
    Variant sent;
  } numbers[] = {
      {"300", Variant(300.0)},         {"2.5", Variant(2.5)},
      {"12abc", Variant(12.0)},        {"0", Variant(int16_t{20000})},
      {"-5", Variant(int16_t{20000})}, {"abc", Variant(int16_t{20000})},
      {"", Variant(int16_t{20000})},   {"  7", Variant(7.0)},
  };
  for (const auto& c : numbers) {
    EXPECT_EQ(numberWithFallback(c.text, 20000), c.sent) << c.text;
  }
}

}  // namespace
}  // namespace parlomat::lexbench
