#pragma once
// Little-endian field access inside a record's bytes, independent of the host's byte order.
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace parlomat::record_bytes {

inline uint64_t getUnsigned(std::span<const uint8_t> b, size_t at, int width) {
  if constexpr (std::endian::native == std::endian::little) {
    uint64_t v = 0;
    std::memcpy(&v, b.data() + at, static_cast<size_t>(width));
    return v;
  }
  uint64_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
  return v;
}
inline void putUnsigned(std::span<uint8_t> b, size_t at, int width, uint64_t v) {
  if constexpr (std::endian::native == std::endian::little) {
    std::memcpy(b.data() + at, &v, static_cast<size_t>(width));
    return;
  }
  for (int i = 0; i < width; ++i)
    b[at + static_cast<size_t>(i)] = static_cast<uint8_t>(v >> (8 * i));
}

inline int16_t getInt16(std::span<const uint8_t> b, size_t at) {
  return static_cast<int16_t>(static_cast<uint16_t>(getUnsigned(b, at, 2)));
}
inline int32_t getInt32(std::span<const uint8_t> b, size_t at) {
  return static_cast<int32_t>(static_cast<uint32_t>(getUnsigned(b, at, 4)));
}
inline double getDouble(std::span<const uint8_t> b, size_t at) {
  return std::bit_cast<double>(getUnsigned(b, at, 8));
}
inline void putInt16(std::span<uint8_t> b, size_t at, int16_t v) {
  putUnsigned(b, at, 2, static_cast<uint16_t>(v));
}
inline void putInt32(std::span<uint8_t> b, size_t at, int32_t v) {
  putUnsigned(b, at, 4, static_cast<uint32_t>(v));
}
inline void putDouble(std::span<uint8_t> b, size_t at, double v) {
  putUnsigned(b, at, 8, std::bit_cast<uint64_t>(v));
}
inline void getText(std::span<const uint8_t> b, size_t at, char* out, size_t n) {
  std::memcpy(out, b.data() + at, n);
}
inline void putText(std::span<uint8_t> b, size_t at, const char* in, size_t n) {
  std::memcpy(b.data() + at, in, n);
}

}  // namespace parlomat::record_bytes
