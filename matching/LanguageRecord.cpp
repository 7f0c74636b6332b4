#include "matching/LanguageRecord.h"

#include <algorithm>

#include "matching/RecordBytes.h"

namespace parlomat {

namespace rb = record_bytes;

namespace {
constexpr size_t kNameAt = 4;
constexpr size_t kFontAt = 44;
constexpr size_t kRatingsAt = 84;
constexpr size_t kDivisionCountAt = 284;
constexpr size_t kTotalTimeAt = 286;
constexpr size_t kEntryCountAt = 290;
constexpr size_t kProtocolsAt = 292;
}  // namespace

LanguageRecord::Text LanguageRecord::blankText() {
  Text t;
  t.fill(' ');
  return t;
}

std::array<LanguageRecord::Text, LanguageRecord::kEntries + 1> LanguageRecord::blankProtocols() {
  std::array<Text, kEntries + 1> p;
  p.fill(blankText());
  return p;
}

LanguageRecord LanguageRecord::blank(int32_t refNo) {
  LanguageRecord r;
  r.refNo = refNo;
  return r;
}

LanguageRecord LanguageRecord::fromBytes(std::span<const uint8_t> bytes) {
  std::array<uint8_t, kLength> padded{};
  std::span<const uint8_t> b = bytes;
  if (bytes.size() < kLength) {
    std::copy(bytes.begin(), bytes.end(), padded.begin());
    b = padded;
  }
  LanguageRecord r;
  r.refNo = rb::getInt32(b, 0);
  rb::getText(b, kNameAt, r.name.data(), kTextLength);
  rb::getText(b, kFontAt, r.fontName.data(), kTextLength);
  for (size_t i = 1; i <= kEntries; ++i) r.ratings[i] = rb::getInt16(b, kRatingsAt + 2 * (i - 1));
  r.divisionCount = rb::getInt16(b, kDivisionCountAt);
  r.totalTimeLength = rb::getInt32(b, kTotalTimeAt);
  r.entryCount = rb::getInt16(b, kEntryCountAt);
  for (size_t i = 1; i <= kEntries; ++i) {
    rb::getText(b, kProtocolsAt + kTextLength * (i - 1), r.protocols[i].data(), kTextLength);
  }
  return r;
}

std::array<uint8_t, LanguageRecord::kLength> LanguageRecord::toBytes() const {
  std::array<uint8_t, kLength> out{};
  std::span<uint8_t> b(out);
  rb::putInt32(b, 0, refNo);
  rb::putText(b, kNameAt, name.data(), kTextLength);
  rb::putText(b, kFontAt, fontName.data(), kTextLength);
  for (size_t i = 1; i <= kEntries; ++i) rb::putInt16(b, kRatingsAt + 2 * (i - 1), ratings[i]);
  rb::putInt16(b, kDivisionCountAt, divisionCount);
  rb::putInt32(b, kTotalTimeAt, totalTimeLength);
  rb::putInt16(b, kEntryCountAt, entryCount);
  for (size_t i = 1; i <= kEntries; ++i) {
    rb::putText(b, kProtocolsAt + kTextLength * (i - 1), protocols[i].data(), kTextLength);
  }
  return out;
}

std::string LanguageRecord::trimmed(const Text& t) {
  std::string s = stored(t);
  size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

void LanguageRecord::setText(Text& field, std::string_view value) {
  field = blankText();
  std::copy_n(value.begin(), std::min<size_t>(value.size(), kTextLength), field.begin());
}

int LanguageRecord::validEntryCount() const {
  return std::clamp<int>(entryCount, 0, kEntries);
}

LanguageRecord LanguageRecord::read(RecordFile& file, int64_t n) {
  std::array<uint8_t, kLength> buf;
  file.read(n, buf);
  return fromBytes(buf);
}

void LanguageRecord::write(RecordFile& file, int64_t n) const {
  auto bytes = toBytes();
  file.write(n, bytes);
}

}  // namespace parlomat
