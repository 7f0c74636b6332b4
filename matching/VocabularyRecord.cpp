#include "matching/VocabularyRecord.h"

#include <algorithm>

#include "matching/RecordBytes.h"

namespace parlomat {

namespace rb = record_bytes;

namespace {
constexpr size_t kNameAt = 4;
constexpr size_t kValleysAt = 24;
constexpr size_t kCountAt = 9632;
}  // namespace

std::array<char, VocabularyRecord::kNameLength> VocabularyRecord::blankName() {
  std::array<char, kNameLength> n;
  n.fill(' ');
  return n;
}

VocabularyRecord VocabularyRecord::blank(int32_t refNo) {
  VocabularyRecord r;
  r.refNo = refNo;
  return r;
}

VocabularyRecord VocabularyRecord::fromBytes(std::span<const uint8_t> bytes) {
  std::array<uint8_t, kLength> padded{};
  std::span<const uint8_t> b = bytes;
  if (bytes.size() < kLength) {
    std::copy(bytes.begin(), bytes.end(), padded.begin());
    b = padded;
  }
  VocabularyRecord r;
  r.refNo = rb::getInt32(b, 0);
  rb::getText(b, kNameAt, r.name.data(), kNameLength);
  for (size_t i = 0; i < kValleySlots; ++i) r.valleys[i] = rb::getDouble(b, kValleysAt + 8 * i);
  r.valleyCount = rb::getInt16(b, kCountAt);
  return r;
}

std::array<uint8_t, VocabularyRecord::kLength> VocabularyRecord::toBytes() const {
  std::array<uint8_t, kLength> out{};
  std::span<uint8_t> b(out);
  rb::putInt32(b, 0, refNo);
  rb::putText(b, kNameAt, name.data(), kNameLength);
  for (size_t i = 0; i < kValleySlots; ++i) rb::putDouble(b, kValleysAt + 8 * i, valleys[i]);
  rb::putInt16(b, kCountAt, valleyCount);
  return out;
}

std::string VocabularyRecord::trimmedName() const {
  std::string s = storedName();
  size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

void VocabularyRecord::setName(std::string_view text) {
  size_t a = text.find_first_not_of(' ');
  text = a == std::string_view::npos ? std::string_view{} : text.substr(a);
  text = text.substr(0, text.find_last_not_of(' ') + 1);
  name = blankName();
  std::copy_n(text.begin(), std::min<size_t>(text.size(), kNameLength), name.begin());
}

int VocabularyRecord::validValleyCount() const {
  return std::clamp<int>(valleyCount, 0, kValleySlots);
}

VocabularyRecord VocabularyRecord::read(RecordFile& file, int64_t n) {
  std::array<uint8_t, kLength> buf;
  file.read(n, buf);
  return fromBytes(buf);
}

void VocabularyRecord::write(RecordFile& file, int64_t n) const {
  auto bytes = toBytes();
  file.write(n, bytes);
}

}  // namespace parlomat
