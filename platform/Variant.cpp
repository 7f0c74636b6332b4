#include "platform/Variant.h"

#include <cmath>
#include <limits>
#include <sstream>

#include "platform/Numbers.h"

namespace parlomat {

const char* typeName(ValueType t) {
  switch (t) {
    case ValueType::Empty:
      return "empty";
    case ValueType::Text:
      return "text";
    case ValueType::Int16:
      return "int16";
    case ValueType::Int32:
      return "int32";
    case ValueType::Byte:
      return "byte";
    case ValueType::Double:
      return "double";
  }
  return "empty";
}

namespace {
std::string formatDouble(double d) {
  if (d == std::floor(d) && std::fabs(d) < 1e15) {
    return std::to_string(static_cast<long long>(d));
  }
  std::ostringstream os;
  os.precision(15);
  os << d;
  return os.str();
}

template <typename T>
T fitInteger(double d) {
  double r = roundHalfEven(d);
  if (!std::isfinite(r) || r < static_cast<double>(std::numeric_limits<T>::min()) ||
      r > static_cast<double>(std::numeric_limits<T>::max())) {
    throw DispatchError(errors::kOverflow, "Overflow");
  }
  return static_cast<T>(r);
}
}  // namespace

double Variant::toDouble() const {
  switch (type()) {
    case ValueType::Empty:
      return 0.0;
    case ValueType::Text: {
      double d = 0;
      if (!parseNumber(std::get<std::string>(v_), d)) {
        throw DispatchError(errors::kTypeMismatch, "Type mismatch");
      }
      return d;
    }
    case ValueType::Int16:
      return std::get<int16_t>(v_);
    case ValueType::Int32:
      return std::get<int32_t>(v_);
    case ValueType::Byte:
      return std::get<uint8_t>(v_);
    case ValueType::Double:
      return std::get<double>(v_);
  }
  return 0.0;
}

std::string Variant::toText() const {
  switch (type()) {
    case ValueType::Empty:
      return {};
    case ValueType::Text:
      return std::get<std::string>(v_);
    case ValueType::Double:
      return formatDouble(std::get<double>(v_));
    default:
      return std::to_string(static_cast<long long>(toDouble()));
  }
}

int16_t Variant::toInt16() const {
  return fitInteger<int16_t>(toDouble());
}
int32_t Variant::toInt32() const {
  return fitInteger<int32_t>(toDouble());
}
uint8_t Variant::toByte() const {
  return fitInteger<uint8_t>(toDouble());
}

Variant Variant::convertedTo(ValueType t) const {
  switch (t) {
    case ValueType::Empty:
      return {};
    case ValueType::Text:
      return Variant(toText());
    case ValueType::Int16:
      return Variant(toInt16());
    case ValueType::Int32:
      return Variant(toInt32());
    case ValueType::Byte:
      return Variant(toByte());
    case ValueType::Double:
      return Variant(toDouble());
  }
  return {};
}

}  // namespace parlomat
