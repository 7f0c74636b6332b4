#include <sstream>

#include "RecordFixtures.h"
#include "cli/CliApp.h"
#include "cli/CliWindows.h"
#include "support/CliRun.h"

namespace parlomat::testing {

class RecordListing : public SimFixture {};

TEST_F(RecordListing, VocabularyRecordsAreListedWithTheirValidValleys) {
  VocabularyRecord lying = vocabularyRecord(3, "", {1.5});
  lying.valleyCount = -4;
  const std::string file = path("v.SAY");
  writeRecords(file, std::vector{vocabularyRecord(1, "ka", {3, 7, 15}),
                                 vocabularyRecord(2, "  kha ", {}), lying});
  const auto before = readFile(file);

  CliRun json = cli({"vocab", file, "--json"});
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out,
            "[\n"
            " {\"refNo\":1,\"name\":\"ka\",\"valleyCount\":3,\"valleys\":[3,7,15]},\n"
            " {\"refNo\":2,\"name\":\"kha\",\"valleyCount\":0,\"valleys\":[]},\n"
            " {\"refNo\":3,\"name\":\"\",\"valleyCount\":-4,\"valleys\":[]}\n"
            "]\n");
  CliRun plain = cli({"vocab", file});
  EXPECT_EQ(plain.status, 0);
  EXPECT_EQ(plain.out, "1  \"ka\"  3: 3 7 15\n2  \"kha\"  0:\n3  \"\"  -4:\n");
  EXPECT_EQ(readFile(file), before);
}

TEST_F(RecordListing, LanguageRecordsAreListedWithTheEntriesInUse) {
  LanguageRecord r = languageRecord(1, "BAT", 1200, {{"B?T*", 80}, {" a\"b ", 100}});
  LanguageRecord::setText(r.protocols[3], "unused");
  r.divisionCount = 2;
  const std::string file = path("w.Lang");
  writeRecords(file, std::vector{r});
  CliRun json = cli({"lang", "--json", file});
  EXPECT_EQ(json.status, 0) << json.err;
  EXPECT_EQ(json.out,
            "[\n"
            " {\"refNo\":1,\"name\":\"BAT\",\"font\":\"Arial\",\"divisionCount\":2,"
            "\"totalTimeLength\":1200,\"entries\":[{\"protocol\":\"B?T*\",\"rating\":80},"
            "{\"protocol\":\"a\\\"b\",\"rating\":100}]}\n"
            "]\n");
  CliRun plain = cli({"lang", file});
  EXPECT_EQ(plain.out,
            "1  \"BAT\"  font \"Arial\"  divisions 2  time 1200  entries 2\n"
            "    \"B?T*\"  rating 80\n"
            "    \"a\\\"b\"  rating 100\n");
}

TEST_F(RecordListing, GarbageAndEmptyFilesListWithinTheirRecords) {
  LanguageRecord r = languageRecord(1, "x", 0, {});
  r.entryCount = 32000;
  std::fill(r.name.begin(), r.name.end(), '\x01');
  auto bytes = fileBytes(std::vector{r});
  bytes.resize(3000);  // a truncated record still counts as one
  writeFile(path("g.Lang"), bytes);
  CliRun lang = cli({"lang", path("g.Lang"), "--json"});
  EXPECT_EQ(lang.status, 0);
  EXPECT_NE(lang.out.find("\\u0001"), std::string::npos);
  EXPECT_EQ(std::count(lang.out.begin(), lang.out.end(), '{') - 1, 100);  // record + 100 entries

  writeFile(path("e.SAY"), {});
  CliRun vocab = cli({"vocab", path("e.SAY"), "--json"});
  EXPECT_EQ(vocab.status, 0);
  EXPECT_EQ(vocab.out, "[]\n");
}

TEST_F(RecordListing, AMissingFileIsAnErrorAndIsNotCreated) {
  for (const char* command : {"vocab", "lang"}) {
    SCOPED_TRACE(command);
    const std::string missing = path(std::string("missing.") + command);
    CliRun r = cli({command, missing});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(missing), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(missing));
    EXPECT_EQ(cli({command}).status, 2);
    EXPECT_EQ(cli({command, missing, "--bad"}).status, 2);
  }
}

TEST(CliWindows, ReportsTheFileAndRecordTheLanguageEditorWouldOpen) {
  ControlState s;
  s.languageFileToAdd = "/data/words.Lang";
  s.languageMatchRecord = 4;
  std::ostringstream report;
  CliWindows w(s, report);
  w.showLanguageEditor();
  EXPECT_TRUE(w.languageEditorOpen());
  w.closeLanguageEditor();
  EXPECT_FALSE(w.languageEditorOpen());
  EXPECT_EQ(report.str(), "[Language Editor] would open /data/words.Lang at record 4\n");
}

}  // namespace parlomat::testing
