// Nothing lost: every record write puts one whole record at its place, so a process killed
// between any two writes leaves each record written before intact and the file readable. A child
// process trains characters into a vocabulary file, or saves words in a language file through the
// editor's record operations, and is killed (SIGKILL) just before its k-th write, for every k; the
// file it leaves must be exactly the file as it stood after k - 1 writes of an uninterrupted run.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "editors/EditorFile.h"
#include "matching/VocabularyMatcher.h"
#include "matching/VocabularyTrainer.h"
#include "reliability/ReliabilitySupport.h"

namespace parlomat::testing {
namespace {

// Record files that count the writes of every file opened through them. At write number `killAt`
// the process is killed before the write reaches the file; after each write `afterWrite` runs.
class CountingRecordFiles : public RecordFiles {
 public:
  CountingRecordFiles(RecordFiles& inner, int64_t killAt) : inner_(inner), killAt_(killAt) {}

  std::unique_ptr<RecordFile> open(const std::string& path, int recordLength) override {
    return std::make_unique<File>(inner_.open(path, recordLength), *this);
  }
  std::unique_ptr<RecordFile> openReadOnly(const std::string& path, int recordLength) override {
    return std::make_unique<File>(inner_.openReadOnly(path, recordLength), *this);
  }
  int openCount() const override { return inner_.openCount(); }

  int64_t writes = 0;
  std::function<void()> afterWrite;

 private:
  class File : public RecordFile {
   public:
    File(std::unique_ptr<RecordFile> inner, CountingRecordFiles& owner)
        : inner_(std::move(inner)), owner_(owner) {}
    int64_t length() const override { return inner_->length(); }
    int recordLength() const override { return inner_->recordLength(); }
    const std::string& path() const override { return inner_->path(); }
    int64_t read(int64_t n, std::span<uint8_t> out) override { return inner_->read(n, out); }
    void write(int64_t n, std::span<const uint8_t> record) override {
      if (++owner_.writes == owner_.killAt_) ::raise(SIGKILL);
      inner_->write(n, record);
      if (owner_.afterWrite) owner_.afterWrite();
    }

   private:
    std::unique_ptr<RecordFile> inner_;
    CountingRecordFiles& owner_;
  };

  RecordFiles& inner_;
  int64_t killAt_;
};

// What a child does to the file; it answers its own boxes.
using Work = std::function<void(Engine&, ScriptedDialogs&, const std::string& file)>;

// Four characters trained one after another, each followed by a scan of the same file, which
// writes its last record back.
void trainFourCharacters(Engine& e, ScriptedDialogs& dialogs, const std::string& file) {
  ControlState& s = e.state;
  s.vocabularyFileToAdd = file;
  s.sampleBuffer.assign(400, 128);
  s.segmentStart = 20;
  s.segmentEnd = 300;
  s.scanToleranceUp = 128;
  s.scanToleranceDown = -128;
  const char* const names[] = {"ka", "ga", "ta", "ma"};
  for (int c = 0; c < 4; ++c) {
    const auto valleys = ladder(6 + c, 5 + c, 9 + c);
    s.valleyCount = static_cast<int16_t>(valleys.size());
    for (size_t i = 0; i < valleys.size(); ++i) s.valleyBins[i] = static_cast<int32_t>(valleys[i]);
    dialogs.answer("Yes");
    dialogs.answer(names[c]);
    trainAfterScan(e);
    scanVocabularyFile(e, file, false);
  }
}

// The Language Editor's record operations on its file: Add, Next (the shown record written back),
// a changed word saved in its place, a deleted record, and Add again.
void saveWords(Engine& e, ScriptedDialogs&, const std::string& file) {
  editors::EditorFile<editors::LanguageFileKind> editor(e);
  editor.open(file);
  auto add = [&](const std::string& word, std::initializer_list<Protocol> protocols) {
    LanguageRecord& r = editor.claim();
    const int64_t n = e.state.recordCount + 1;
    r = languageRecord(static_cast<int32_t>(n), word, 2500, protocols);
    editor.write(n);
  };
  add("NEW", {{"n*", 90}, {"?e?", 60}});
  add("OTHER", {{"o*", 80}});
  editor.claim();
  editor.read(1);
  editor.claim();
  editor.writeBack();
  editor.read(2);
  LanguageRecord& changed = editor.claim();
  LanguageRecord::setText(changed.name, "CHANGED");
  changed.totalTimeLength = 4200;
  editor.write(editor.position());
  editor.read(3);
  LanguageRecord& deleted = editor.claim();
  deleted.name = LanguageRecord::blankText();
  deleted.fontName = LanguageRecord::blankText();
  deleted.divisionCount = 0;
  deleted.totalTimeLength = 0;
  deleted.entryCount = 0;
  for (size_t i = 1; i <= LanguageRecord::kEntries; ++i) deleted.protocols[i].fill('\0');
  editor.write(editor.position());
  add("LAST", {{"*", 10}});
  editor.close();
}

struct Case {
  const char* name;
  std::vector<uint8_t> initial;  // the file before the work
  int recordLength;
  Work work;
};

void PrintTo(const Case& c, std::ostream* os) {
  *os << c.name;
}

// Runs `work` on a fresh copy of the file with the platform's files counted; the writes, and the
// file after each of them, when `snapshots` is given.
int64_t runWork(const Case& c, const std::string& file, int64_t killAt,
                std::vector<std::vector<uint8_t>>* snapshots) {
  SimPlatform sim(std::filesystem::path(file).parent_path().string());
  sim.dialogs.setStrict(false);
  CountingRecordFiles files(sim.files, killAt);
  if (snapshots) files.afterWrite = [&] { snapshots->push_back(readFile(file)); };
  sim.platform().files = &files;
  Engine engine(sim.platform());
  c.work(engine, sim.dialogs, file);
  return files.writes;
}

class KilledAtEachWrite : public ::testing::TestWithParam<Case> {};

TEST_P(KilledAtEachWrite, EveryEarlierRecordIsIntactAndTheFileReadable) {
  const Case& c = GetParam();
  ScratchFolder dir("nothing-lost");
  const std::string reference = dir / "reference";
  writeFile(reference, c.initial);
  std::vector<std::vector<uint8_t>> after{c.initial};
  const int64_t writes = runWork(c, reference, 0, &after);
  ASSERT_GE(writes, 6);
  ASSERT_EQ(after.size(), static_cast<size_t>(writes) + 1);

  for (int64_t k = 1; k <= writes + 1; ++k) {
    SCOPED_TRACE("killed before write " + std::to_string(k));
    const std::string file = dir / ("killed-" + std::to_string(k));
    writeFile(file, c.initial);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        runWork(c, file, k, nullptr);
      } catch (...) {
        ::_exit(2);
      }
      ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    if (k <= writes) {
      ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL) << "status " << status;
    } else {
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    }

    const auto bytes = readFile(file);
    EXPECT_EQ(bytes, after[static_cast<size_t>(k - 1)]);
    // Readable: whole records, each numbered by its place.
    ASSERT_EQ(bytes.size() % static_cast<size_t>(c.recordLength), 0u);
    DiskRecordFiles disk;
    auto f = disk.openReadOnly(file, c.recordLength);
    const int64_t count = recordCountOf(f->length(), c.recordLength);
    for (int64_t n = 1; n <= count; ++n) {
      std::vector<uint8_t> record(static_cast<size_t>(c.recordLength));
      ASSERT_EQ(f->read(n, record), c.recordLength);
      const int32_t refNo = c.recordLength == VocabularyRecord::kLength
                                ? VocabularyRecord::fromBytes(record).refNo
                                : LanguageRecord::fromBytes(record).refNo;
      EXPECT_EQ(refNo, n);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Writers, KilledAtEachWrite,
    ::testing::Values(Case{"Training",
                           fileBytes(std::vector{vocabularyRecord(1, "pa", ladder(8)),
                                                 vocabularyRecord(2, "da", ladder(7, 4, 11))}),
                           VocabularyRecord::kLength, trainFourCharacters},
                      Case{"LanguageEditorSaves",
                           fileBytes(std::vector{
                               languageRecord(1, "SHORT", 2000, {{"*", 100}}),
                               languageRecord(2, "LONG", 6000, {{"k*", 80}, {"*a*", 60}})}),
                           LanguageRecord::kLength, saveWords}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace parlomat::testing
