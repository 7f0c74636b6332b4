#include <gtest/gtest.h>

#include <filesystem>

#include "hosts/common/ProgramFolder.h"
#include "support/TestSupport.h"

namespace parlomat::hosts {
namespace {

namespace fs = std::filesystem;
using parlomat::testing::readFile;
using parlomat::testing::writeFile;

class ProgramFolderTest : public ::testing::Test {
 protected:
  ProgramFolderTest()
      : root(fs::temp_directory_path() / ("parlomat-folder-" + std::to_string(::getpid()))) {
    fs::remove_all(root);
    fs::create_directories(root / "prefix" / "bin");
    fs::create_directories(root / "examples" / "more");
    writeFile(root / "examples" / "UserSettings.Vset", {1, 2, 3});
    writeFile(root / "examples" / "Words.Lang", {4});
    writeFile(root / "examples" / "more" / "take.wav", {5, 6});
    fs::create_directories(root / "hostexamples");
    writeFile(root / "hostexamples" / "Host.Vset", {8});
  }
  ~ProgramFolderTest() override { fs::remove_all(root); }

  FolderInputs inputs() const {
    FolderInputs in;
    in.exeFolder = (root / "prefix" / "bin").string();
    in.home = (root / "home").string();
    in.installedMarker = (root / "prefix" / "share" / "parlomat").string();
    in.exampleSets = {{(root / "prefix" / "share" / "parlomat" / "examples").string()},
                      {(root / "examples").string(), (root / "hostexamples").string()}};
    return in;
  }

  fs::path root;
};

TEST_F(ProgramFolderTest, ABuildTreeUsesItsOwnFolderAndGetsTheMissingExamples) {
  writeFile(root / "prefix" / "bin" / "UserSettings.Vset", {9});
  const ProgramFolder p = resolveProgramFolder(inputs());
  EXPECT_FALSE(p.installed);
  EXPECT_EQ(p.folder, inputs().exeFolder);
  EXPECT_EQ(p.problem, "");
  EXPECT_EQ(p.filesSeeded, 3);
  EXPECT_EQ(readFile(root / "prefix" / "bin" / "Host.Vset"), std::vector<uint8_t>{8});
  EXPECT_EQ(readFile(root / "prefix" / "bin" / "UserSettings.Vset"), std::vector<uint8_t>{9})
      << "the user's own file is kept";
  EXPECT_EQ(readFile(root / "prefix" / "bin" / "more" / "take.wav"), (std::vector<uint8_t>{5, 6}));
  EXPECT_EQ(resolveProgramFolder(inputs()).filesSeeded, 0) << "a second start copies nothing";
}

TEST_F(ProgramFolderTest, AnInstalledProgramUsesThePerUserDataFolderSeededFromItsShare) {
  const fs::path share = root / "prefix" / "share" / "parlomat" / "examples";
  fs::create_directories(share);
  writeFile(share / "Quorvane.Lang", {7});
  const struct {
    std::string xdg;
    fs::path expected;
  } cases[] = {
      {(root / "xdg").string(), root / "xdg" / "parlomat"},
      {"", root / "home" / ".local" / "share" / "parlomat"},
      {"relative/data", root / "home" / ".local" / "share" / "parlomat"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.xdg);
    FolderInputs in = inputs();
    in.xdgDataHome = c.xdg;
    const ProgramFolder p = resolveProgramFolder(in);
    EXPECT_TRUE(p.installed);
    EXPECT_EQ(p.folder, c.expected.string());
    EXPECT_EQ(p.problem, "");
    EXPECT_EQ(readFile(c.expected / "Quorvane.Lang"), std::vector<uint8_t>{7});
    EXPECT_FALSE(fs::exists(c.expected / "Words.Lang")) << "only the installed examples";
    EXPECT_FALSE(fs::exists(c.expected / "Host.Vset"));
  }
}

TEST_F(ProgramFolderTest, AFolderThatCannotBeMadeIsReported) {
  fs::create_directories(root / "prefix" / "share" / "parlomat");
  writeFile(root / "blocker", {0});
  FolderInputs in = inputs();
  in.xdgDataHome = (root / "blocker").string();
  const ProgramFolder p = resolveProgramFolder(in);
  EXPECT_TRUE(p.installed);
  EXPECT_NE(p.problem.find("could not be created"), std::string::npos) << p.problem;
}

}  // namespace
}  // namespace parlomat::hosts
