#include "hosts/common/RecordingDispatch.h"

namespace parlomat::hosts {

std::string describeValue(const Variant& v) {
  return std::string(typeName(v.type())) + ":" + v.toText();
}

std::string RecordedCall::describe() const {
  std::string s = member;
  for (const Variant& a : args) s += " " + describeValue(a);
  return s;
}

std::vector<std::string> CallLog::lines() const {
  std::vector<std::string> out;
  out.reserve(calls_.size());
  for (const auto& c : calls_) out.push_back(c.describe());
  return out;
}

Variant RecordingDispatch::invoke(const std::string& name, std::span<const Variant> args) {
  // Written down before the call runs: a call that opens a box or fails still shows in order.
  const size_t at = log_.add({name, std::vector<Variant>(args.begin(), args.end()), 0});
  try {
    return inner_->invoke(name, args);
  } catch (const DispatchError& e) {
    log_.markFailed(at, e.code());
    throw;
  }
}

}  // namespace parlomat::hosts
