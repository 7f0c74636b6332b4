#include "cli/CliApp.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <sstream>

#include "cli/Json.h"
#include "control/Parlomat.h"
#include "platform/Numbers.h"
#include "platform/sim/SimPlatform.h"

namespace parlomat {

namespace {

constexpr int kUsage = 2;
constexpr int kFailed = 1;

// A problem with the command line itself: reported with the usage status.
struct UsageError {
  std::string message;
};

std::string programFolder() {
  char exe[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return ".";
  exe[n] = '\0';
  return std::filesystem::path(exe).parent_path().string();
}

std::string hexId(uint32_t id) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%08X", id);
  return buf;
}

const char* usageText() {
  return "usage: parlomat-cli [--set MEMBER=VALUE]... [--answer TEXT]... COMMAND [ARGS]\n"
         "commands:\n"
         "  members [--json]     list every member of the control\n"
         "  get MEMBER...        print read-only properties, one per line\n";
}

class Cli {
 public:
  Cli(std::ostream& out, std::ostream& err) : out_(out), err_(err), sim_(programFolder()) {
    sim_.dialogs.setStrict(false);
    sim_.dialogs.onShow = [this](const DialogRecord& r) {
      err_ << "[" << r.title << "] " << r.text << "\n";
    };
    engine_ = std::make_shared<Engine>(sim_.platform());
  }

  int run(const std::vector<std::string>& args) {
    size_t i = 0;
    // Global options apply in the order given, before the command.
    for (; i < args.size(); ++i) {
      const std::string& a = args[i];
      if (a == "--set" || a == "--answer") {
        if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
        const std::string& v = args[++i];
        a == "--set" ? set(v) : sim_.dialogs.answer(v);
      } else if (a.rfind("--set=", 0) == 0) {
        set(a.substr(6));
      } else if (a.rfind("--answer=", 0) == 0) {
        sim_.dialogs.answer(a.substr(9));
      } else {
        break;
      }
    }
    if (i >= args.size()) throw UsageError{"no command given"};
    const std::string command = args[i++];
    std::vector<std::string> rest(args.begin() + static_cast<long>(i), args.end());
    if (command == "members") return members(rest);
    if (command == "get") return get(rest);
    if (command == "help" || command == "--help" || command == "-h") {
      out_ << usageText();
      return 0;
    }
    throw UsageError{"unknown command '" + command + "'"};
  }

 private:
  Parlomat& control() {
    if (!control_) control_ = std::make_unique<Parlomat>(engine_);
    return *control_;
  }

  const MemberInfo& member(const std::string& name) {
    const MemberInfo* m = control().find(name);
    if (!m) throw UsageError{"unknown member '" + name + "'"};
    return *m;
  }

  void set(const std::string& assignment) {
    size_t eq = assignment.find('=');
    if (eq == std::string::npos)
      throw UsageError{"--set needs MEMBER=VALUE, not '" + assignment + "'"};
    std::string name = assignment.substr(0, eq);
    std::string value = assignment.substr(eq + 1);
    const MemberInfo& m = member(name);
    if (m.kind != MemberKind::Put) {
      throw UsageError{name + " cannot be set: it is " +
                       (m.kind == MemberKind::Get ? "read-only" : "a method")};
    }
    Variant v(value);
    if (m.type != ValueType::Text) {
      double d = 0;
      if (!parseNumber(value, d)) {
        throw UsageError{name + " takes a number (" + typeName(m.type) + "), not '" + value + "'"};
      }
      try {
        v = Variant(d).convertedTo(m.type);
      } catch (const DispatchError&) {
        throw UsageError{name + ": " + value + " does not fit " + typeName(m.type)};
      }
    }
    control().put(name, v);
  }

  int members(const std::vector<std::string>& rest) {
    bool asJson = false;
    for (const auto& a : rest) {
      if (a == "--json")
        asJson = true;
      else
        throw UsageError{"members: unexpected '" + a + "'"};
    }
    const auto& list = control().members();
    if (!asJson) {
      for (const auto& m : list) {
        out_ << m.name << "  " << hexId(m.dispid) << "  " << kindName(m.kind) << "  " << typeText(m)
             << "\n";
      }
      return 0;
    }
    out_ << "[";
    for (size_t k = 0; k < list.size(); ++k) {
      const auto& m = list[k];
      out_ << (k ? ",\n " : "\n ") << "{\"name\":" << json::quote(m.name)
           << ",\"dispid\":" << json::quote(hexId(m.dispid))
           << ",\"kind\":" << json::quote(kindName(m.kind)) << ",\"type\":";
      if (m.kind == MemberKind::Method) {
        out_ << "[";
        for (size_t a = 0; a < m.arguments.size(); ++a) {
          out_ << (a ? "," : "") << json::quote(typeName(m.arguments[a]));
        }
        out_ << "]";
      } else {
        out_ << json::quote(typeName(m.type));
      }
      out_ << "}";
    }
    out_ << "\n]\n";
    return 0;
  }

  static std::string typeText(const MemberInfo& m) {
    if (m.kind != MemberKind::Method) return typeName(m.type);
    std::string s = "(";
    for (size_t a = 0; a < m.arguments.size(); ++a) {
      s += (a ? ", " : "") + std::string(typeName(m.arguments[a]));
    }
    return s + ")";
  }

  int get(const std::vector<std::string>& names) {
    if (names.empty()) throw UsageError{"get: name at least one member"};
    for (const auto& name : names) {
      const MemberInfo& m = member(name);
      if (m.kind != MemberKind::Get) throw UsageError{name + " cannot be read: it is write-only"};
    }
    for (const auto& name : names) {
      CallResult r = control().call(name);
      if (!r.ok()) {
        err_ << "parlomat-cli: " << name << ": " << r.errorText << "\n";
        return kFailed;
      }
      out_ << r.value.toText() << "\n";
    }
    return 0;
  }

  std::ostream& out_;
  std::ostream& err_;
  SimPlatform sim_;
  std::shared_ptr<Engine> engine_;
  std::unique_ptr<Parlomat> control_;
};

}  // namespace

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    Cli cli(out, err);
    return cli.run(args);
  } catch (const UsageError& e) {
    err << "parlomat-cli: " << e.message << "\n" << usageText();
    return kUsage;
  } catch (const DispatchError& e) {
    err << "parlomat-cli: " << e.what() << "\n";
    return kFailed;
  } catch (const std::exception& e) {
    err << "parlomat-cli: " << e.what() << "\n";
    return kFailed;
  }
}

}  // namespace parlomat
