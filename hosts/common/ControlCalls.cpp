#include "hosts/common/ControlCalls.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace parlomat::hosts {

std::optional<WholeRange> rangeOf(ValueType t) {
  switch (t) {
    case ValueType::Int16:
      return WholeRange{std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()};
    case ValueType::Int32:
      return WholeRange{static_cast<double>(std::numeric_limits<int32_t>::min()),
                        static_cast<double>(std::numeric_limits<int32_t>::max())};
    case ValueType::Byte:
      return WholeRange{0, 255};
    default:
      return std::nullopt;
  }
}

WholeRange numberRangeFor(const DispatchObject& control, const std::string& member) {
  const MemberInfo* m = control.find(member);
  if (m) {
    if (auto r = rangeOf(m->type)) return *r;
  }
  return *rangeOf(ValueType::Int32);
}

namespace {
std::string wholeText(double v) {
  return std::to_string(static_cast<long long>(v));
}
}  // namespace

std::string describeFailure(const DispatchObject& control, const std::string& member,
                            const std::optional<Variant>& value, const DispatchError& e) {
  const MemberInfo* m = control.find(member);
  std::string what = value ? "The value " + value->toText() + " could not be sent to " + member
                           : "The control could not carry out " + member;
  if (e.code() == errors::kOverflow && m) {
    if (auto r = rangeOf(m->type)) {
      return what + ": it takes a whole number from " + wholeText(r->low) + " to " +
             wholeText(r->high) + ". Nothing was sent; the control keeps its previous value.";
    }
  }
  return what + ": " + e.what() + ". The control keeps its previous value.";
}

}  // namespace parlomat::hosts
