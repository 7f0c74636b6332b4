// The settings file when it cannot be opened, read or written: a clear message, nothing lost.
#include <QToolButton>
#include <filesystem>

#include "tests/hosts/HostTestSupport.h"

namespace parlomat::testing {
namespace {

using namespace lexbench;

// Record files whose writes fail, as on a full disk.
class FullDisk : public RecordFiles {
 public:
  explicit FullDisk(RecordFiles& real) : real_(real) {}
  std::unique_ptr<RecordFile> open(const std::string& path, int recordLength) override {
    return std::make_unique<File>(real_.open(path, recordLength));
  }
  std::unique_ptr<RecordFile> openReadOnly(const std::string& path, int recordLength) override {
    return real_.openReadOnly(path, recordLength);
  }
  int openCount() const override { return real_.openCount(); }

 private:
  class File : public RecordFile {
   public:
    explicit File(std::unique_ptr<RecordFile> f) : f_(std::move(f)) {}
    int64_t length() const override { return f_->length(); }
    int recordLength() const override { return f_->recordLength(); }
    int64_t read(int64_t n, std::span<uint8_t> out) override { return f_->read(n, out); }
    void write(int64_t, std::span<const uint8_t>) override {
      throw RecordFileError(f_->path() + ": No space left on device");
    }
    const std::string& path() const override { return f_->path(); }

   private:
    std::unique_ptr<RecordFile> f_;
  };
  RecordFiles& real_;
};

class LexbenchFile : public LexbenchFixture {};

TEST_F(LexbenchFile, ASettingsFileThatCannotBeOpenedIsReportedAndChangesNothing) {
  makeWindow();
  std::filesystem::create_directory(settingsPath());
  answer("OK");
  trigger("mnuOSO");
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Parlomat Lexbench");
  EXPECT_NE(boxes[0].text.find(settingsPath()), std::string::npos) << boxes[0].text;
  EXPECT_NE(boxes[0].text.find("Nothing was changed."), std::string::npos) << boxes[0].text;
  EXPECT_FALSE(window->settingsFileOpen());
  EXPECT_FALSE(action("mnuSSS")->isEnabled());
  EXPECT_FALSE(widget<QToolButton>("Command4")->isEnabled());
  EXPECT_TRUE(window->toggleFlag());
  EXPECT_TRUE(takeCalls().empty());
}

TEST_F(LexbenchFile, AFailedLoadKeepsTheEarlierOpeningAndSettings) {
  makeWindow();
  writeSettings({{DSP_Level, "Up"}});
  trigger("mnuOSO");
  std::filesystem::remove(settingsPath());
  std::filesystem::create_directory(settingsPath());
  answer("OK");
  trigger("mnuOSO");
  EXPECT_TRUE(window->settingsFileOpen());
  EXPECT_EQ(window->workingSettings()[DSP_Level], "Up");
  EXPECT_EQ(sim.files.openCount(), 1);
}

TEST_F(LexbenchFile, AFurtherLoadClosesTheEarlierOpening) {
  makeWindow();
  for (int i = 0; i < 3; ++i) trigger("mnuOSO");
  EXPECT_EQ(sim.files.openCount(), 1);
}

TEST_F(LexbenchFile, AFailedWriteIsReportedAndKeepsTheWorkingSettings) {
  FullDisk disk(sim.files);
  makeWindow(&disk);
  trigger("mnuOSO");
  trigger("mnuDSPup");
  takeCalls();
  answer("Yes");
  answer("OK");
  trigger("mnuSSS");
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[1].title, "Parlomat Lexbench");
  EXPECT_NE(boxes[1].text.find("No space left on device"), std::string::npos) << boxes[1].text;
  EXPECT_EQ(readFile(settingsPath()).size(), 0u);
  EXPECT_EQ(window->workingSettings()[DSP_Level], "Up");
  EXPECT_TRUE(takeCalls().empty()) << "nothing applied after a failed save";

  // A record that names no writable place is refused the same way.
  writeSettings({{DSP_Level, "Top"}}, 0);
  trigger("mnuOSO");
  answer("Yes");
  answer("OK");
  trigger("mnuSSS");
  boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[1].text.find("record number 0"), std::string::npos) << boxes[1].text;
}

}  // namespace
}  // namespace parlomat::testing
