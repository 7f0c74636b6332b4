#pragma once
// Late-bound calls: a member table (name, dispatch id, kind, argument types) and objects that
// can be invoked by member name or id. Hosts talk to the control only this way.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "platform/Variant.h"

namespace parlomat {

enum class MemberKind { Get, Put, Method };
const char* kindName(MemberKind k);  // "get", "put", "method"

struct MemberInfo {
  std::string name;
  uint32_t dispid = 0;
  MemberKind kind = MemberKind::Get;
  ValueType type = ValueType::Empty;  // a property's value type
  std::vector<ValueType> arguments;   // a method's argument types
};

// The outcome of a call by name: a value, or the error the call raised.
struct CallResult {
  Variant value;
  int errorCode = 0;  // 0 when the call succeeded
  std::string errorText;
  bool ok() const { return errorCode == 0; }
};

class DispatchObject {
 public:
  virtual ~DispatchObject() = default;
  virtual const std::vector<MemberInfo>& members() const = 0;

  // Raises DispatchError. Arguments are converted to the member's types first.
  virtual Variant invoke(const std::string& name, std::span<const Variant> args) = 0;

  const MemberInfo* find(const std::string& name) const;
  const MemberInfo* findById(uint32_t dispid) const;
  Variant invokeById(uint32_t dispid, std::span<const Variant> args);

  // A failed call's DispatchError comes back in the result instead of being raised.
  CallResult call(const std::string& name, std::span<const Variant> args = {});
  Variant get(const std::string& name) { return invoke(name, {}); }
  void put(const std::string& name, const Variant& v) {
    invoke(name, std::span<const Variant>(&v, 1));
  }
};

// Converts the arguments of a call to the member's declared types; raises on a wrong count.
std::vector<Variant> convertArguments(const MemberInfo& m, std::span<const Variant> args);

}  // namespace parlomat
