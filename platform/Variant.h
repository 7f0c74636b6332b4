#pragma once
// A value that crosses a dispatch interface: text, int16, int32, byte, double or empty.
#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>

namespace parlomat {

enum class ValueType { Empty, Text, Int16, Int32, Byte, Double };

const char* typeName(ValueType t);  // "text", "int16", "int32", "byte", "double", "empty"

// A failed call through a dispatch interface. `code` follows the classic runtime error numbers
// (6 overflow, 9 subscript out of range, 13 type mismatch, 438 no such member, 429 cannot create).
class DispatchError : public std::runtime_error {
 public:
  DispatchError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};

namespace errors {
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kCannotCreate = 429;
inline constexpr int kNoSuchMember = 438;
inline constexpr int kWrongArgumentCount = 450;
inline constexpr int kFileError = 75;
}  // namespace errors

class SubscriptOutOfRange : public DispatchError {
 public:
  SubscriptOutOfRange() : DispatchError(errors::kSubscriptOutOfRange, "Subscript out of range") {}
};

class Variant {
 public:
  Variant() = default;
  Variant(std::string s) : v_(std::move(s)) {}
  Variant(const char* s) : v_(std::string(s)) {}
  Variant(int16_t i) : v_(i) {}
  Variant(int32_t i) : v_(i) {}
  Variant(uint8_t b) : v_(b) {}
  Variant(double d) : v_(d) {}

  ValueType type() const { return static_cast<ValueType>(v_.index()); }
  bool isEmpty() const { return type() == ValueType::Empty; }

  // Conversions as a late-bound call makes them: numbers round half to even, a number that does
  // not fit raises Overflow, a text that is not a number raises Type mismatch.
  std::string toText() const;
  int16_t toInt16() const;
  int32_t toInt32() const;
  uint8_t toByte() const;
  double toDouble() const;
  Variant convertedTo(ValueType t) const;

  bool operator==(const Variant& o) const = default;

 private:
  std::variant<std::monostate, std::string, int16_t, int32_t, uint8_t, double> v_;
};

}  // namespace parlomat
