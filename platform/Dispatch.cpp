#include "platform/Dispatch.h"

namespace parlomat {

const char* kindName(MemberKind k) {
  switch (k) {
    case MemberKind::Get:
      return "get";
    case MemberKind::Put:
      return "put";
    case MemberKind::Method:
      return "method";
  }
  return "get";
}

const MemberInfo* DispatchObject::find(const std::string& name) const {
  for (const auto& m : members()) {
    if (m.name == name) return &m;
  }
  return nullptr;
}

const MemberInfo* DispatchObject::findById(uint32_t dispid) const {
  for (const auto& m : members()) {
    if (m.dispid == dispid) return &m;
  }
  return nullptr;
}

Variant DispatchObject::invokeById(uint32_t dispid, std::span<const Variant> args) {
  const MemberInfo* m = findById(dispid);
  if (!m) throw DispatchError(errors::kNoSuchMember, "No member with this dispatch id");
  return invoke(m->name, args);
}

CallResult DispatchObject::call(const std::string& name, std::span<const Variant> args) {
  CallResult r;
  try {
    r.value = invoke(name, args);
  } catch (const DispatchError& e) {
    r.errorCode = e.code();
    r.errorText = e.what();
  }
  return r;
}

std::vector<Variant> convertArguments(const MemberInfo& m, std::span<const Variant> args) {
  std::vector<ValueType> types;
  switch (m.kind) {
    case MemberKind::Get:
      break;
    case MemberKind::Put:
      types.push_back(m.type);
      break;
    case MemberKind::Method:
      types = m.arguments;
      break;
  }
  if (args.size() != types.size()) {
    throw DispatchError(errors::kWrongArgumentCount,
                        "Wrong number of arguments or invalid property assignment: " + m.name);
  }
  std::vector<Variant> out;
  out.reserve(args.size());
  for (size_t i = 0; i < args.size(); ++i) out.push_back(args[i].convertedTo(types[i]));
  return out;
}

}  // namespace parlomat
