#include "cli/CliApp.h"

#include <unistd.h>

#include <climits>
#include <filesystem>
#include <iostream>

#include "cli/CliContext.h"
#include "cli/CliWindows.h"
#include "platform/Numbers.h"

namespace parlomat {

namespace {

std::string programFolder() {
  char exe[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (n <= 0) return ".";
  exe[n] = '\0';
  return std::filesystem::path(exe).parent_path().string();
}

const char* usageText() {
  return "usage: parlomat-cli [--set MEMBER=VALUE]... [--answer TEXT]... COMMAND [ARGS]\n"
         "commands:\n"
         "  members [--json]                      list every member of the control\n"
         "  get MEMBER...                         print read-only properties, one per line\n"
         "  process FILE.wav [--json] [--trace TRACE.jsonl]\n"
         "                                        recognise a stored recording\n"
         "  vocab FILE.SAY [--json]               list the records of a vocabulary file\n"
         "  lang FILE.Lang [--json]               list the records of a language file\n"
         "  lang FILE.Lang --add WORD [--font F] [--time T] [--divisions D]\n"
         "       --protocol PATTERN=RATING...     append a word to a language file\n"
         "  listen [--capture FILE.wav] [--json]  hear a recording as if spoken, in virtual time\n"
         "global options, applied in the order given:\n"
         "  --set MEMBER=VALUE    write a property of the control by its member name\n"
         "  --answer TEXT         answer the next message box (Yes, No, OK) or input box\n";
}

// Writes a property by member name, converting the text to the member's type.
void setMember(CliContext& c, const std::string& assignment) {
  size_t eq = assignment.find('=');
  if (eq == std::string::npos) {
    throw UsageError{"--set needs MEMBER=VALUE, not '" + assignment + "'"};
  }
  std::string name = assignment.substr(0, eq);
  std::string value = assignment.substr(eq + 1);
  const MemberInfo* m = c.control().find(name);
  if (!m) throw UsageError{"unknown member '" + name + "'"};
  if (m->kind != MemberKind::Put) {
    throw UsageError{name + " cannot be set: it is " +
                     (m->kind == MemberKind::Get ? "read-only" : "a method")};
  }
  Variant v(value);
  if (m->type != ValueType::Text) {
    double d = 0;
    if (!parseNumber(value, d)) {
      throw UsageError{name + " takes a number (" + typeName(m->type) + "), not '" + value + "'"};
    }
    try {
      v = Variant(d).convertedTo(m->type);
    } catch (const DispatchError&) {
      throw UsageError{name + ": " + value + " does not fit " + typeName(m->type)};
    }
  }
  c.control().put(name, v);
}

int run(CliContext& c, const Args& args) {
  size_t i = 0;
  // Global options apply in the order given, before the command.
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--set" || a == "--answer") {
      if (i + 1 >= args.size()) throw UsageError{a + " needs a value"};
      const std::string& v = args[++i];
      if (a == "--set") {
        setMember(c, v);
      } else {
        c.sim.dialogs.answer(v);
      }
    } else if (a.rfind("--set=", 0) == 0) {
      setMember(c, a.substr(6));
    } else if (a.rfind("--answer=", 0) == 0) {
      c.sim.dialogs.answer(a.substr(9));
    } else {
      break;
    }
  }
  if (i >= args.size()) throw UsageError{"no command given"};
  const std::string command = args[i++];
  Args rest(args.begin() + static_cast<long>(i), args.end());
  if (command == "members") return membersCommand(c, rest);
  if (command == "get") return getCommand(c, rest);
  if (command == "process") return processCommand(c, rest);
  if (command == "vocab") return vocabCommand(c, rest);
  if (command == "lang") return langCommand(c, rest);
  if (command == "listen") return listenCommand(c, rest);
  if (command == "help" || command == "--help" || command == "-h") {
    c.out << usageText();
    return kExitOk;
  }
  throw UsageError{"unknown command '" + command + "'"};
}

}  // namespace

CliContext::CliContext(std::ostream& o, std::ostream& e) : out(o), err(e), sim(programFolder()) {
  sim.dialogs.setStrict(false);
  sim.dialogs.onShow = [this](const DialogRecord& r) {
    err << "[" << r.title << "] " << r.text << "\n";
  };
  engine = std::make_shared<Engine>(sim.platform());
  windows = std::make_unique<CliWindows>(engine->state, err);
  sim.platform().windows = windows.get();
}

CliContext::~CliContext() = default;

Parlomat& CliContext::control() {
  if (!control_) control_ = std::make_unique<Parlomat>(engine);
  return *control_;
}

int runCli(CliContext& c, const std::vector<std::string>& args) {
  try {
    return run(c, args);
  } catch (const UsageError& e) {
    c.err << "parlomat-cli: " << e.message << "\n" << usageText();
    return kExitUsage;
  } catch (const std::exception& e) {
    c.err << "parlomat-cli: " << e.what() << "\n";
    return kExitFailed;
  }
}

int runCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  try {
    CliContext c(out, err);
    return runCli(c, args);
  } catch (const std::exception& e) {
    err << "parlomat-cli: " << e.what() << "\n";
    return kExitFailed;
  }
}

}  // namespace parlomat
