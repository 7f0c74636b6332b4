#pragma once
// One record of a language file (*.Lang): a word, its font, its expected time length and up to 100
// string compare protocols with ratings. 4292 bytes, little-endian, fields without gaps:
// RefNo int32 @0, Name 40 @4, FontName 40 @44, Ratings 100 int16 @84, DivisionCount int16 @284,
// TotalTimeLength int32 @286, EntryCount int16 @290, Protocols 100 x 40 bytes @292.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/RecordFile.h"

namespace parlomat {

struct LanguageRecord {
  static constexpr int kLength = 4292;
  static constexpr int kTextLength = 40;
  static constexpr int kEntries = 100;  // protocols and ratings 1..100

  using Text = std::array<char, kTextLength>;

  int32_t refNo = 0;
  Text name = blankText();
  Text fontName = blankText();
  std::array<int16_t, kEntries + 1> ratings{};  // 1..100; index 0 unused
  int16_t divisionCount = 0;
  int32_t totalTimeLength = 0;
  int16_t entryCount = 0;  // protocols 1..entryCount are in use
  std::array<Text, kEntries + 1> protocols = blankProtocols();  // 1..100; index 0 unused

  static LanguageRecord blank(int32_t refNo = 0);
  static Text blankText();

  // Decodes bytes as stored; a short span (a truncated record) reads as if padded with zeros.
  static LanguageRecord fromBytes(std::span<const uint8_t> bytes);
  std::array<uint8_t, kLength> toBytes() const;

  // Text as stored (40 bytes), and trimmed of spaces at both ends.
  static std::string stored(const Text& t) { return {t.data(), t.size()}; }
  static std::string trimmed(const Text& t);
  // Stores `value` cut to 40 characters and padded with spaces.
  static void setText(Text& field, std::string_view value);
  // The number of protocols that may be read: EntryCount held within 0..100.
  int validEntryCount() const;

  // Record n of an open file (1-based); bytes past the end read as zeros. Raises RecordFileError.
  static LanguageRecord read(RecordFile& file, int64_t n);
  void write(RecordFile& file, int64_t n) const;

 private:
  static std::array<Text, kEntries + 1> blankProtocols();
};

}  // namespace parlomat
