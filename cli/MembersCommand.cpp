// members and get: the control's interface as a host sees it.
#include <cstdio>
#include <ostream>

#include "cli/CliContext.h"
#include "cli/Json.h"

namespace parlomat {

namespace {

std::string hexId(uint32_t id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", id);
  return buf;
}

std::string typeText(const MemberInfo& m) {
  if (m.kind != MemberKind::Method) return typeName(m.type);
  std::string s = "(";
  for (size_t a = 0; a < m.arguments.size(); ++a) {
    s += (a ? ", " : "") + std::string(typeName(m.arguments[a]));
  }
  return s + ")";
}

}  // namespace

int membersCommand(CliContext& c, const Args& args) {
  bool asJson = false;
  for (const auto& a : args) {
    if (a != "--json") throw UsageError{"members: unexpected '" + a + "'"};
    asJson = true;
  }
  const auto& list = c.control().members();
  if (!asJson) {
    for (const auto& m : list) {
      c.out << m.name << "  " << hexId(m.dispid) << "  " << kindName(m.kind) << "  " << typeText(m)
            << "\n";
    }
    return kExitOk;
  }
  c.out << "[";
  for (size_t k = 0; k < list.size(); ++k) {
    const auto& m = list[k];
    c.out << (k ? ",\n " : "\n ") << "{\"name\":" << json::quote(m.name)
          << ",\"dispid\":" << json::quote(hexId(m.dispid))
          << ",\"kind\":" << json::quote(kindName(m.kind)) << ",\"type\":";
    if (m.kind == MemberKind::Method) {
      c.out << "[";
      for (size_t a = 0; a < m.arguments.size(); ++a) {
        c.out << (a ? "," : "") << json::quote(typeName(m.arguments[a]));
      }
      c.out << "]";
    } else {
      c.out << json::quote(typeName(m.type));
    }
    c.out << "}";
  }
  c.out << "\n]\n";
  return kExitOk;
}

int getCommand(CliContext& c, const Args& names) {
  if (names.empty()) throw UsageError{"get: name at least one member"};
  for (const auto& name : names) {
    const MemberInfo* m = c.control().find(name);
    if (!m) throw UsageError{"unknown member '" + name + "'"};
    if (m->kind != MemberKind::Get) throw UsageError{name + " cannot be read: it is not a result"};
  }
  for (const auto& name : names) {
    CallResult r = c.control().call(name);
    if (!r.ok()) {
      c.err << "parlomat-cli: " << name << ": " << r.errorText << "\n";
      return kExitFailed;
    }
    c.out << r.value.toText() << "\n";
  }
  return kExitOk;
}

}  // namespace parlomat
