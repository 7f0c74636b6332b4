#include "hosts/lexbench/UserSettings.h"

#include <algorithm>
#include <cstring>

#include "platform/Numbers.h"

namespace parlomat::lexbench {

const char* fieldName(Field f) {
  static const char* const kNames[kFieldCount] = {
      "Clean_Memory",
      "Stop_All",
      "Notify_If_No_Match",
      "Start_Sound_File",
      "Stop_Sound_File",
      "Echo_Speech",
      "Status_Animation",
      "Audio_Graph",
      "Voice_Capture_Delay",
      "Speech_Capture_Time",
      "DSP_Resolution",
      "DSP_Level",
      "File_Scan_Accuracy",
      "Entry_Matching_Accuracy",
      "Vocabulary_Add_File",
      "Vocabulary_Match_File_1",
      "Vocabulary_Match_File_2",
      "Vocabulary_Match_File_3",
      "Vocabulary_Match_File_4",
      "Vocabulary_Match_File_5",
      "Process_Only_Start",
      "Process_Only_Middle",
      "Process_Only_End",
      "Enable_AI",
      "Add_Current_To_Language_File",
      "Notify_If_No_Language_Match",
      "Language_Add_File",
      "Language_Match_File",
      "Show_Activities",
      "Files_To_Match",
  };
  return kNames[static_cast<int>(f)];
}

UserSettingsRecord UserSettingsRecord::fromBytes(std::span<const uint8_t> bytes, size_t valid) {
  std::array<uint8_t, kRecordLength> raw;
  raw.fill(' ');
  std::copy_n(bytes.begin(), std::min({valid, bytes.size(), raw.size()}), raw.begin());
  // The record number is read as stored: bytes the file lacks count as 0.
  uint32_t n = 0;
  for (int i = 0; i < 4; ++i) {
    uint32_t byte = static_cast<size_t>(i) < valid && static_cast<size_t>(i) < bytes.size()
                        ? bytes[static_cast<size_t>(i)]
                        : 0u;
    n |= byte << (8 * i);
  }
  UserSettingsRecord r;
  r.recordNumber = static_cast<int32_t>(n);
  for (int f = 0; f < kFieldCount; ++f) {
    const char* start = reinterpret_cast<const char*>(raw.data()) + fieldOffset(Field(f));
    r.fields[static_cast<size_t>(f)].assign(start, kFieldWidth);
  }
  return r;
}

std::array<uint8_t, kRecordLength> UserSettingsRecord::toBytes() const {
  std::array<uint8_t, kRecordLength> out;
  uint32_t n = static_cast<uint32_t>(recordNumber);
  for (int i = 0; i < 4; ++i) out[static_cast<size_t>(i)] = static_cast<uint8_t>(n >> (8 * i));
  for (int f = 0; f < kFieldCount; ++f) {
    std::string text = packField(fields[static_cast<size_t>(f)]);
    std::memcpy(out.data() + fieldOffset(Field(f)), text.data(), kFieldWidth);
  }
  return out;
}

std::string packField(const std::string& text) {
  std::string out = text.substr(0, kFieldWidth);
  out.resize(kFieldWidth, ' ');
  return out;
}

std::string yesSwitch(const std::string& text) {
  return text == "YES" ? "YES" : "NO";
}

std::string noSwitch(const std::string& text) {
  return text == "NO" ? "NO" : "YES";
}

Variant numberWithFallback(const std::string& text, int16_t fallback) {
  double v = leadingNumber(text);
  if (v > 0) return Variant(v);
  return Variant(fallback);
}

}  // namespace parlomat::lexbench
