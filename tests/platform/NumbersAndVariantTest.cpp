// The number rules every setter and conversion relies on, and the Variant conversions of a
// late-bound call.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>

#include "platform/Numbers.h"
#include "platform/Variant.h"

namespace parlomat::testing {

TEST(Numbers, LeadingNumberOfAText) {
  const std::pair<const char*, double> cases[] = {
      {"2.5", 2.5},    {"12abc", 12}, {"  7", 7},    {"\t-3x", -3}, {"+4", 4},
      {".5", 0.5},     {"5.", 5},     {"1e3", 1000}, {"1e", 1},     {"2.5e-1", 0.25},
      {"abc", 0},      {"", 0},       {"-", 0},      {".", 0},      {"x12", 0},
      {"COMPLETE", 0}, {"1 2", 1},    {"--1", 0},    {"1e999", 0},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(leadingNumber(text), value) << text;
}

TEST(Numbers, RoundHalfToEven) {
  const std::pair<double, double> cases[] = {
      {0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},   {-0.5, 0},  {-1.5, -2},
      {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {72.5, 72}, {73.5, 74},
  };
  for (const auto& [v, r] : cases) EXPECT_EQ(roundHalfEven(v), r) << v;
  EXPECT_EQ(roundToInt64(2.5), 2);
  EXPECT_EQ(roundToInt64(-3.5), -4);
  EXPECT_EQ(roundToInt64(std::nan("")), 0);
  EXPECT_EQ(roundToInt64(1e300), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(roundToInt64(-1e300), std::numeric_limits<int64_t>::min());
}

TEST(Numbers, ParseNumberTakesOnlyAWholeNumber) {
  const std::pair<const char*, std::optional<double>> cases[] = {
      {"70000", 70000}, {" -1 ", -1}, {"2.5", 2.5}, {"1e3", 1000}, {"abc", {}},  {"", {}},
      {"12abc", {}},    {"1 2", {}},  {"-", {}},    {"1e999", {}}, {"0x10", {}},
  };
  for (const auto& [text, value] : cases) {
    double d = -42;
    bool ok = parseNumber(text, d);
    EXPECT_EQ(ok, value.has_value()) << text;
    if (value && ok) {
      EXPECT_EQ(d, *value) << text;
    }
  }
}

namespace {
std::optional<int> errorOf(const Variant& v, ValueType t) {
  try {
    v.convertedTo(t);
  } catch (const DispatchError& e) {
    return e.code();
  }
  return std::nullopt;
}
}  // namespace

TEST(VariantConversion, AsALateBoundCallConverts) {
  const struct {
    Variant from;
    ValueType to;
    Variant expected;
  } cases[] = {
      {Variant("12"), ValueType::Int32, Variant(int32_t{12})},
      {Variant(" -7 "), ValueType::Int16, Variant(int16_t{-7})},
      {Variant("2.5"), ValueType::Int32, Variant(int32_t{2})},
      {Variant("3.5"), ValueType::Int16, Variant(int16_t{4})},
      {Variant(2.5), ValueType::Byte, Variant(uint8_t{2})},
      {Variant(int32_t{255}), ValueType::Byte, Variant(uint8_t{255})},
      {Variant(int32_t{-32768}), ValueType::Int16, Variant(int16_t{-32768})},
      {Variant(int32_t{42}), ValueType::Text, Variant("42")},
      {Variant(int16_t{-5}), ValueType::Text, Variant("-5")},
      {Variant(uint8_t{200}), ValueType::Text, Variant("200")},
      {Variant(2.5), ValueType::Text, Variant("2.5")},
      {Variant(3.0), ValueType::Text, Variant("3")},
      {Variant(), ValueType::Int32, Variant(int32_t{0})},
      {Variant(), ValueType::Text, Variant("")},
      {Variant("YES"), ValueType::Text, Variant("YES")},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.from.convertedTo(c.to), c.expected) << c.from.toText() << " to " << typeName(c.to);
  }
}

TEST(VariantConversion, WhatDoesNotFitRaisesItsError) {
  const struct {
    Variant from;
    ValueType to;
    int code;
  } cases[] = {
      {Variant("abc"), ValueType::Int32, errors::kTypeMismatch},
      {Variant(""), ValueType::Int16, errors::kTypeMismatch},
      {Variant("12abc"), ValueType::Byte, errors::kTypeMismatch},
      {Variant(int32_t{32768}), ValueType::Int16, errors::kOverflow},
      {Variant(int32_t{-32769}), ValueType::Int16, errors::kOverflow},
      {Variant(int32_t{256}), ValueType::Byte, errors::kOverflow},
      {Variant(int32_t{-1}), ValueType::Byte, errors::kOverflow},
      {Variant(3e9), ValueType::Int32, errors::kOverflow},
      {Variant(std::nan("")), ValueType::Int32, errors::kOverflow},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(errorOf(c.from, c.to), c.code) << c.from.toText() << " to " << typeName(c.to);
  }
  // Just inside the limits after rounding.
  EXPECT_EQ(errorOf(Variant(32767.4), ValueType::Int16), std::nullopt);
  EXPECT_EQ(errorOf(Variant(255.5), ValueType::Byte), errors::kOverflow);
  EXPECT_EQ(errorOf(Variant(-0.5), ValueType::Byte), std::nullopt);
}

}  // namespace parlomat::testing
