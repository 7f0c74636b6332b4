// parlomat-cli driven in-process: the global options, members and get.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <sstream>
#include <tuple>

#include "cli/CliApp.h"
#include "cli/CliContext.h"
#include "support/CliRun.h"

namespace parlomat::testing {

namespace {

// Splits ` {"name":"N","dispid":"D","kind":"K","type":T},` into N, D, K and T; false when the
// line has another shape.
bool parseMemberLine(const std::string& line, std::array<std::string, 4>& fields) {
  static const char* const kKeys[] = {R"( {"name":")", R"(","dispid":")", R"(","kind":")",
                                      R"(","type":)"};
  size_t pos = 0;
  for (size_t k = 0; k < 4; ++k) {
    size_t n = std::strlen(kKeys[k]);
    if (line.compare(pos, n, kKeys[k]) != 0) return false;
    pos += n;
    size_t end = k < 3 ? line.find('"', pos) : line.rfind('}');
    if (end == std::string::npos || end < pos) return false;
    fields[k] = line.substr(pos, end - pos);
    pos = end;
  }
  std::string rest = line.substr(pos);
  return rest == "}" || rest == "},";
}

bool isDispid(const std::string& s) {
  if (s.size() != 10 || s.compare(0, 2, "0x") != 0) return false;
  for (size_t i = 2; i < s.size(); ++i) {
    if (!std::isxdigit(static_cast<unsigned char>(s[i])) ||
        std::islower(static_cast<unsigned char>(s[i])))
      return false;
  }
  return true;
}

}  // namespace

// One object per line: {"name":…,"dispid":"0x…","kind":…,"type":"…" or […]}.
TEST(Cli, MembersJsonListsEveryMemberAsTheControlHasIt) {
  CliRun r = cli({"members", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  ASSERT_EQ(r.out.substr(0, 2), "[\n");
  ASSERT_EQ(r.out.substr(r.out.size() - 3), "\n]\n");

  std::map<std::string, std::tuple<std::string, std::string, std::string>> listed;
  std::istringstream in(r.out);
  std::string text;
  std::getline(in, text);  // "["
  while (std::getline(in, text) && text != "]") {
    std::array<std::string, 4> f;
    ASSERT_TRUE(parseMemberLine(text, f)) << text;
    EXPECT_TRUE(isDispid(f[1])) << text;
    listed[f[0]] = {f[1], f[2], f[3]};
  }
  EXPECT_EQ(listed.size(), 133u);

  // Against the control's own table.
  std::ostringstream sink;
  CliContext c(sink, sink);
  for (const auto& member : c.control().members()) {
    SCOPED_TRACE(member.name);
    ASSERT_TRUE(listed.count(member.name));
    const auto& [dispid, kind, type] = listed[member.name];
    char id[16];
    std::snprintf(id, sizeof id, "0x%08X", member.dispid);
    EXPECT_EQ(dispid, id);
    EXPECT_EQ(kind, kindName(member.kind));
    if (member.kind == MemberKind::Method) {
      std::string args = "[";
      for (size_t a = 0; a < member.arguments.size(); ++a) {
        args += std::string(a ? "," : "") + "\"" + typeName(member.arguments[a]) + "\"";
      }
      EXPECT_EQ(type, args + "]");
    } else {
      EXPECT_EQ(type, std::string("\"") + typeName(member.type) + "\"");
    }
  }

  // A few rows as the interface gives them.
  using Row = std::tuple<std::string, std::string, std::string>;
  EXPECT_EQ(listed["Speech_echo_feature"], (Row{"0x68030000", "put", "\"text\""}));
  EXPECT_EQ(listed["Platinum_Word_1"], (Row{"0x68030053", "get", "\"text\""}));
  EXPECT_EQ(listed["Platinum_Word_7_Percentage"], (Row{"0x68030060", "get", "\"int16\""}));
  EXPECT_EQ(listed["Is_this_probability_for_Word_no_7"], (Row{"0x6803007D", "get", "\"text\""}));
  EXPECT_EQ(listed["Voice_Grab_Delay"], (Row{"0x68030065", "put", "\"int16\""}));
  EXPECT_EQ(listed["Send_of_no"], (Row{"0x68030030", "put", "\"int32\""}));
  EXPECT_EQ(listed["Show_Language_Editor"], (Row{"0x6003007E", "method", "[]"}));
  EXPECT_EQ(listed["Start_Real_Action"],
            (Row{"0x60030082", "method", R"(["text","byte","byte","byte"])"}));
  EXPECT_EQ(listed["Play_File"], (Row{"0x60030084", "method", R"(["text"])"}));
}

TEST(Cli, MembersWithoutJsonListsOneMemberPerLine) {
  CliRun r = cli({"members"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 133);
  EXPECT_NE(r.out.find("Start_Real_Action  0x60030082  method  (text, byte, byte, byte)\n"),
            std::string::npos);
}

TEST(Cli, GetPrintsEachValueInTheOrderAsked) {
  const struct {
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {{"--set", "Send_of_no=-1", "get", "Is_this_Word_of_no_1"}, "\n"},
      {{"get", "Platinum_Word_3_Font"}, "MS Sans Serif\n"},
      {{"get", "Recorded_Bytes", "Platinum_Word_1_Font", "Current_Word_no_Processed"},
       "0\nMS Sans Serif\n0\n"},
      {{"--set=Send_of_no=0", "get", "Is_this_Wave_Data"}, "0\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.args.back());
    CliRun r = cli(c.args);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
    EXPECT_EQ(r.err, "");
  }
}

// A setter's box goes to standard error as [TITLE] TEXT; the command goes on.
TEST(Cli, SetterBoxGoesToStandardError) {
  CliRun r = cli({"--set", "Speech_sampling_time_in_ms=70000", "get", "Recorded_Bytes"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "0\n");
  EXPECT_EQ(r.err, "[Parlomat Info.] Maximum recommended sample time is 60000 ms.\n");

  r = cli({"--set", "Consider_this_Lang_File_to_match=", "--set", "Speech_sampling_time_in_ms=10",
           "get", "Recorded_Bytes"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err,
            "[Parlomat User Error] Invalid FileName for Language to match\n"
            "[Parlomat Info.] Invalid sample time. Assigning default 5000 ms\n");
}

// The --set values reach the control converted to the member's type, in the order given.
TEST(Cli, SetWritesThroughTheDispatchTableInOrder) {
  std::ostringstream out, err;
  CliContext c(out, err);
  int status = runCli(
      c, {"--set", "Speech_sampling_time_in_ms=100", "--set", "Speech_sampling_time_in_ms=250",
          "--set", "Voice_Grab_Delay=2.5", "--set", "Multiple_Files=YES", "--set", "Send_of_no= 7 ",
          "--set", "Consider_this_Lang_File_to_Add=/d/a=b", "get", "Recorded_Bytes"});
  ASSERT_EQ(status, 0) << err.str();
  const ControlState& s = c.engine->state;
  EXPECT_EQ(s.samplingTimeMs, 250);
  EXPECT_EQ(s.voiceGrabDelay, 2);
  EXPECT_EQ(s.multipleFiles, "YES");
  EXPECT_EQ(s.sendIndex, 7);
  EXPECT_EQ(s.languageFileToAdd, "/d/a=b.Lang");
}

// What the CLI cannot convert or apply is refused with a message naming the member, status 2.
TEST(Cli, BadSetsAndGetsAreUsageErrors) {
  const struct {
    std::vector<std::string> args;
    std::string named;
  } cases[] = {
      {{"--set", "Speech_sampling_time_in_ms=abc", "get", "Recorded_Bytes"},
       "Speech_sampling_time_in_ms"},
      {{"--set", "Speech_sampling_time_in_ms=", "members"}, "Speech_sampling_time_in_ms"},
      {{"--set", "Send_of_no=12abc", "members"}, "Send_of_no"},
      {{"--set", "Voice_Grab_Delay=40000", "members"}, "Voice_Grab_Delay"},
      {{"--set", "Send_of_no=1e12", "members"}, "Send_of_no"},
      {{"--set", "No_Such_Member=1", "members"}, "No_Such_Member"},
      {{"--set", "Recorded_Bytes=1", "members"}, "Recorded_Bytes"},
      {{"--set", "Start_Real_Action=YES", "members"}, "Start_Real_Action"},
      {{"--set", "Send_of_no", "members"}, "Send_of_no"},
      {{"get", "No_Such_Member"}, "No_Such_Member"},
      {{"get", "Send_of_no"}, "Send_of_no"},
      {{"get", "Stop_Real_Action"}, "Stop_Real_Action"},
      {{"--set"}, "--set"},
      {{"--answer"}, "--answer"},
      {{}, "command"},
      {{"frobnicate"}, "frobnicate"},
      {{"members", "--xml"}, "--xml"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.named);
    CliRun r = cli(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_NE(r.err.find("parlomat-cli: "), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(c.named), std::string::npos) << r.err;
  }
}

// --answer queues answers for the boxes that follow, in order; without one a Yes/No box gets No
// and an input box is cancelled.
TEST(Cli, AnswerAnswersTheNextBoxes) {
  std::ostringstream out, err;
  CliContext c(out, err);
  ASSERT_EQ(runCli(c, {"--answer", "Yes", "--answer=No", "--answer", "yes", "--answer",
                       "/d/new words", "get", "Recorded_Bytes"}),
            0);
  Engine& e = *c.engine;
  EXPECT_EQ(e.message("Add it?", "Parlomat Info", Buttons::YesNo, Icon::Question), Answer::Yes);
  EXPECT_EQ(e.message("Add it?", "Parlomat Info", Buttons::YesNo, Icon::Question), Answer::No);
  EXPECT_EQ(e.message("Add it?", "Parlomat Info", Buttons::YesNo, Icon::Question), Answer::Yes);
  EXPECT_EQ(e.input("Name the file", "Parlomat"), "/d/new words");
  EXPECT_EQ(e.message("Again?", "Parlomat Info", Buttons::YesNo, Icon::Question), Answer::No);
  EXPECT_EQ(e.input("Name the file", "Parlomat", "default"), "");
  EXPECT_EQ(err.str(),
            "[Parlomat Info] Add it?\n[Parlomat Info] Add it?\n[Parlomat Info] Add it?\n"
            "[Parlomat] Name the file\n[Parlomat Info] Again?\n[Parlomat] Name the file\n");
}

// An answer queued before a --set is used by that setter's box.
TEST(Cli, AnswerIsTakenByTheBoxOfALaterSet) {
  std::ostringstream out, err;
  CliContext c(out, err);
  ASSERT_EQ(runCli(c, {"--answer", "OK", "--set", "Consider_this_Vocabulary_to_Add=", "--answer",
                       "Yes", "get", "Recorded_Bytes"}),
            0);
  EXPECT_EQ(c.sim.dialogs.pending(), 1u);
  ASSERT_EQ(c.sim.dialogs.shown().size(), 1u);
  EXPECT_EQ(c.sim.dialogs.shown()[0].text, "Invalid FileName for vocabulary to add");
  EXPECT_EQ(c.engine->message("Go on?", "T", Buttons::YesNo, Icon::Question), Answer::Yes);
}

}  // namespace parlomat::testing
