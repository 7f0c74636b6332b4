#pragma once
// A dispatch object that writes down every call a host makes, then passes it on unchanged to
// the object it wraps. Tests read the log to see exactly what crossed the interface.
#include <memory>
#include <string>
#include <vector>

#include "platform/Dispatch.h"

namespace parlomat::hosts {

struct RecordedCall {
  std::string member;
  std::vector<Variant> args;  // as the host passed them, before any conversion
  int errorCode = 0;          // the DispatchError the call raised, 0 if none

  // "Member" then each argument as "type:text", separated by single spaces.
  std::string describe() const;
};

class CallLog {
 public:
  // Returns the index of the call added.
  size_t add(RecordedCall c) {
    calls_.push_back(std::move(c));
    return calls_.size() - 1;
  }
  void markFailed(size_t index, int errorCode) { calls_.at(index).errorCode = errorCode; }
  const std::vector<RecordedCall>& calls() const { return calls_; }
  // Each call described, in order.
  std::vector<std::string> lines() const;
  void clear() { calls_.clear(); }

 private:
  std::vector<RecordedCall> calls_;
};

class RecordingDispatch : public DispatchObject {
 public:
  // `log` must outlive this object.
  RecordingDispatch(std::unique_ptr<DispatchObject> inner, CallLog& log)
      : inner_(std::move(inner)), log_(log) {}

  const std::vector<MemberInfo>& members() const override { return inner_->members(); }
  Variant invoke(const std::string& name, std::span<const Variant> args) override;

  DispatchObject& inner() { return *inner_; }

 private:
  std::unique_ptr<DispatchObject> inner_;
  CallLog& log_;
};

// "type:text" for one value, such as "double:20000" or "text:YES".
std::string describeValue(const Variant& v);

}  // namespace parlomat::hosts
