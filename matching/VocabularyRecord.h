#pragma once
// One record of a vocabulary file (*.SAY): a trained character's name and the spectral valleys of
// the sample it was trained from. 9634 bytes, little-endian, fields without gaps:
// RefNo int32 @0, Name 20 bytes @4, Valleys 1201 doubles @24, ValleyCount int16 @9632.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/RecordFile.h"

namespace parlomat {

struct VocabularyRecord {
  static constexpr int kLength = 9634;
  static constexpr int kNameLength = 20;
  static constexpr int kValleySlots = 1201;  // entries 0..1200

  int32_t refNo = 0;
  std::array<char, kNameLength> name = blankName();  // padded with spaces, one byte a character
  std::array<double, kValleySlots> valleys{};
  int16_t valleyCount = 0;  // 0 marks an empty or blanked record

  // A record with a name of spaces, no valleys and the given RefNo.
  static VocabularyRecord blank(int32_t refNo = 0);
  static std::array<char, kNameLength> blankName();

  // Decodes bytes as stored; a short span (a truncated record) reads as if padded with zeros.
  static VocabularyRecord fromBytes(std::span<const uint8_t> bytes);
  std::array<uint8_t, kLength> toBytes() const;

  // The name as stored (20 bytes) and with spaces trimmed at both ends.
  std::string storedName() const { return {name.data(), name.size()}; }
  std::string trimmedName() const;
  // Stores `text` trimmed, cut to 20 characters and padded with spaces.
  void setName(std::string_view text);
  // The number of entries that may be read: ValleyCount held within 0..1201, whatever the file
  // says.
  int validValleyCount() const;

  // Record n of an open file (1-based); bytes past the end read as zeros. Raises RecordFileError.
  static VocabularyRecord read(RecordFile& file, int64_t n);
  // Writes the whole record at position n in one write. Raises RecordFileError.
  void write(RecordFile& file, int64_t n) const;
};

}  // namespace parlomat
