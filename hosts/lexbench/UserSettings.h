#pragma once
// Lexbench's settings record, "UserSettings.Vset": one fixed record of 1504 bytes, a 32-bit
// little-endian record number and thirty text fields of 50 single-byte characters padded with
// spaces. Also the value rules the host applies to the texts before they go to the control.
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "platform/Variant.h"

namespace parlomat::lexbench {

inline constexpr int kRecordLength = 1504;
inline constexpr int kFieldWidth = 50;
inline constexpr int kFieldCount = 30;
inline constexpr const char* kSettingsFileName = "UserSettings.Vset";

// The text fields in record order: field f starts at byte 4 + 50 * f.
enum Field : int {
  Clean_Memory,
  Stop_All,
  Notify_If_No_Match,
  Start_Sound_File,
  Stop_Sound_File,
  Echo_Speech,
  Status_Animation,
  Audio_Graph,
  Voice_Capture_Delay,
  Speech_Capture_Time,
  DSP_Resolution,
  DSP_Level,
  File_Scan_Accuracy,
  Entry_Matching_Accuracy,
  Vocabulary_Add_File,
  Vocabulary_Match_File_1,
  Vocabulary_Match_File_2,
  Vocabulary_Match_File_3,
  Vocabulary_Match_File_4,
  Vocabulary_Match_File_5,
  Process_Only_Start,
  Process_Only_Middle,
  Process_Only_End,
  Enable_AI,
  Add_Current_To_Language_File,
  Notify_If_No_Language_Match,
  Language_Add_File,
  Language_Match_File,
  Show_Activities,
  Files_To_Match,
};

const char* fieldName(Field f);
constexpr int fieldOffset(Field f) {
  return 4 + kFieldWidth * static_cast<int>(f);
}

using Texts = std::array<std::string, kFieldCount>;

struct UserSettingsRecord {
  int32_t recordNumber = 0;
  Texts fields;  // each exactly 50 bytes once read or packed

  // Bytes beyond `valid` (a record that runs past the end of its file) read as spaces, so the
  // fields they fall in are blank rather than full of zero bytes.
  static UserSettingsRecord fromBytes(std::span<const uint8_t> bytes, size_t valid);
  std::array<uint8_t, kRecordLength> toBytes() const;
};

// The text left-aligned in a field: padded with spaces, cut at 50 characters.
std::string packField(const std::string& text);

// The value rules.
std::string yesSwitch(const std::string& text);  // "YES" only for exactly "YES"
std::string noSwitch(const std::string& text);   // "NO" only for exactly "NO"
// The numeric value of the text as a double when it is above 0, else the fallback as an int16.
Variant numberWithFallback(const std::string& text, int16_t fallback);

}  // namespace parlomat::lexbench
