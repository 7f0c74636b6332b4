// The bundled example: each held-out take is recognised as the word it says, and lang --add
// writes the record the listing reads back.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/CliApp.h"
#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

const std::string kExamples = std::string(PARLOMAT_SOURCE_DIR) + "/data/examples";

std::vector<std::string> demoSettings() {
  return {"--set", "Consider_This_Vocabulary_To_Match_Fileno_1=" + kExamples + "/Demo",
          "--set", "Multiple_Files=YES",
          "--set", "Number_of_files_to_scan=1",
          "--set", "Send_words_one_by_one=YES",
          "--set", "Keep_Matching_Files_Entries_Scan_Accuracy=FLEXIBLE",
          "--set", "Keep_Entry_Matching_Accuracy=HIGHER",
          "--set", "Sample_processing_resolution=COMPLETE",
          "--set", "Consider_this_Lang_File_to_match=" + kExamples + "/Demo"};
}

TEST(ExampleData, EachTakeIsRecognisedAsItsWord) {
  for (const std::string word : {"yes", "no", "stop"}) {
    SCOPED_TRACE(word);
    auto args = demoSettings();
    args.insert(args.end(), {"process", "--json", kExamples + "/" + word + ".wav"});
    std::ostringstream out, err;
    ASSERT_EQ(runCli(args, out, err), 0) << err.str();
    EXPECT_NE(out.str().find("\"platinum\":[{\"word\":\"" + word + "\""), std::string::npos)
        << out.str();
  }
}

TEST(ExampleData, LangAddAppendsARecordTheListingReads) {
  auto dir = std::filesystem::temp_directory_path() / "parlomat-lang-add";
  std::filesystem::create_directories(dir);
  const std::string file = (dir / "Words.Lang").string();
  std::filesystem::remove(file);
  std::ostringstream out, err;
  ASSERT_EQ(runCli({"lang", file, "--add", "go", "--time", "1500", "--divisions", "2", "--protocol",
                    "*go*=60", "--protocol", "go go=100"},
                   out, err),
            0)
      << err.str();
  ASSERT_EQ(runCli({"lang", file, "--add", "stay", "--protocol", "st?y=80"}, out, err), 0);
  EXPECT_EQ(std::filesystem::file_size(file), 2u * 4292u);
  std::ostringstream listing;
  ASSERT_EQ(runCli({"lang", file, "--json"}, listing, err), 0);
  EXPECT_NE(listing.str().find("{\"refNo\":1,\"name\":\"go\",\"font\":\"MS Sans Serif\","
                               "\"divisionCount\":2,\"totalTimeLength\":1500,\"entries\":["
                               "{\"protocol\":\"*go*\",\"rating\":60},{\"protocol\":\"go go\","
                               "\"rating\":100}]}"),
            std::string::npos)
      << listing.str();
  EXPECT_NE(listing.str().find("\"refNo\":2,\"name\":\"stay\""), std::string::npos);

  // Values the editor would refuse are refused here too, and nothing is written.
  for (const auto& bad : std::vector<std::vector<std::string>>{
           {"lang", file, "--add", "x", "--protocol", "a=0"},
           {"lang", file, "--add", "x", "--protocol", "a=101"},
           {"lang", file, "--add", "x", "--divisions", "6", "--protocol", "a=5"},
           {"lang", file, "--add", "x", "--time", "100001", "--protocol", "a=5"},
           {"lang", file, "--add", "x"},
           {"lang", file, "--add", " ", "--protocol", "a=5"}}) {
    EXPECT_EQ(runCli(bad, out, err), 2);
  }
  EXPECT_EQ(std::filesystem::file_size(file), 2u * 4292u);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace parlomat::testing
