#pragma once
// Calls from a host into its control by member name, with failures turned into plain words.
// The dispatch layer never wraps a number: one that does not fit the member's type fails with
// Overflow, and the host tells the user instead of sending something else.
#include <optional>
#include <string>

#include "platform/Dispatch.h"

namespace parlomat::hosts {

// The whole numbers a value type can hold; nothing for text and empty.
struct WholeRange {
  double low, high;
};
std::optional<WholeRange> rangeOf(ValueType t);

// The range of the value a host may send to `member`: its type's range, and for a text member
// the range of a 32-bit integer (the control reads such texts as 32-bit numbers).
WholeRange numberRangeFor(const DispatchObject& control, const std::string& member);

// A message for the user: what could not be sent (or read) and why, ending with what happens
// next. `value` is empty for a method or a read.
std::string describeFailure(const DispatchObject& control, const std::string& member,
                            const std::optional<Variant>& value, const DispatchError& e);

}  // namespace parlomat::hosts
