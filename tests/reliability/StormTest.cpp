// A storm of host calls on the simulated platform: seeded random scenarios in which every setter,
// getter and method of the control, and the editors' opening, closing and record operations,
// arrive at random virtual times, inside capture waits, inside the analysis and while boxes are
// shown. After each scenario's final stop the cycle rests: no device open, both timers off, the
// caption colour restored, no record file or descriptor open, and every record file holds what it
// held except for the records the system appends (training, the Language Editor's Add).
//
// PARLOMAT_STORM_SCENARIOS (default 120) and PARLOMAT_STORM_FIRST_SEED (default 1) choose the
// seeds; PARLOMAT_STORM_TRACE=1 adds the calls and boxes of a failing scenario to its report.
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <sstream>

#include "analysis/AnalysisObserver.h"
#include "control/StatusSignals.h"
#include "editors/EditorFile.h"
#include "matching/WorkingRecords.h"
#include "platform/Variant.h"
#include "reliability/ReliabilitySupport.h"
#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

int64_t envNumber(const char* name, int64_t fallback) {
  const char* v = std::getenv(name);
  return v && *v ? std::atoll(v) : fallback;
}

// The editors as the storm drives them, without their windows: the Language Editor's opening and
// closing steps that touch the cycle and its Add and Next on the language file to add, and the
// Vocabulary Editor's Next on the vocabulary file to add, through the editors' own file handling.
class StormWindows : public ControlWindows {
 public:
  explicit StormWindows(Engine& e) : e_(e), file_(e) {}

  // As the window's loading: listening pauses, the shared file is closed, the file to add opens.
  void showLanguageEditor() override {
    ++opened;
    open_ = true;
    e_.timer5->setEnabled(false);
    closeRecordFile(e_);
    file_.release();
    const std::string path = trimSpaces(e_.state.languageFileToAdd);
    if (path.empty()) {
      e_.message("You have not entered the location of the Language File to Add",
                 "Parlomat User Error", Buttons::Ok, Icon::None);
      return;
    }
    guarded([&] { file_.open(path); });
  }
  // As the control's stop closes it: listening stays stopped.
  void closeLanguageEditor() override {
    if (!open_) return;
    open_ = false;
    file_.release();
  }
  bool languageEditorOpen() const override { return open_; }
  // The splash, then the Vocabulary Editor on the vocabulary file to add.
  void showVocabularyEditorSplash() override {
    ++splashes;
    const std::string path = trimSpaces(e_.state.vocabularyFileToAdd);
    if (!path.empty()) guarded([&] { vocabulary_.open(path); });
  }

  // The user closes the window; in the listening cycle, listening resumes.
  void userClose() {
    if (!open_) return;
    if (e_.state.onDemandMode != 1) {
      closeRecordFile(e_);
      e_.state.utteranceDone = 0;
      e_.timer5->setEnabled(true);
    }
    open_ = false;
    file_.release();
  }
  // Add: a new word after the last record.
  void add(const std::string& word) {
    if (!open_ || !file_.isOpen()) return;
    guarded([&] {
      LanguageRecord& r = file_.claim();
      const int64_t n = e_.state.recordCount + 1;
      r = languageRecord(static_cast<int32_t>(n), word, 1500, {{"*", 50}});
      file_.write(n);
      ++added;
    });
  }
  // Next in either editor: the record shown goes back where it came from and the next one is
  // read.
  void next() {
    if (open_ && file_.isOpen()) guarded([&] { step(file_); });
  }
  void nextVocabulary() {
    if (vocabulary_.isOpen()) guarded([&] { step(vocabulary_); });
  }

  int opened = 0, splashes = 0, added = 0;

 private:
  template <typename F>
  void guarded(F&& f) {
    try {
      f();
    } catch (const RecordFileError&) {
      e_.message("Problem in File I/O", "Parlomat Language Editor Info.", Buttons::Ok,
                 Icon::Information);
    }
  }

  template <typename File>
  void step(File& f) {
    f.claim();
    f.writeBack();
    if (f.position() + 1 <= e_.state.recordCount) f.read(f.position() + 1);
  }

  Engine& e_;
  editors::EditorFile<editors::LanguageFileKind> file_;
  editors::EditorFile<editors::VocabularyFileKind> vocabulary_{e_};
  bool open_ = false;
};

struct Figures {
  int64_t scenarios = 0, hostCalls = 0, inBoxes = 0, inAnalysis = 0, passes = 0, boxes = 0,
          refusedByHost = 0, trained = 0, editorAdds = 0;
};

// What a record file may become: kept byte for byte, or kept with whole records appended, each
// numbered by its position.
enum class FileRule { Kept, Appended };

struct WatchedFile {
  std::string path;
  int recordLength;
  FileRule rule;
  std::vector<uint8_t> before;  // empty when the file did not exist
};

class Scenario : AnalysisObserver {
 public:
  Scenario(uint64_t seed, Figures& figures)
      : seed_(seed), fig_(figures), rng_(seed), speech_(seed * 7919 + 1) {}

  // The faults found; empty when every invariant held.
  std::vector<std::string> run();

 private:
  bool coin(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
  int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  template <typename T>
  const T& pick(const std::vector<T>& v) {
    return v[static_cast<size_t>(uniform(0, static_cast<int>(v.size()) - 1))];
  }

  void writeFixtures();
  void watch(const std::string& name, int recordLength, FileRule rule);
  void configure();
  Variant textFor(const std::string& member);
  Variant numberFor(const std::string& member);
  void hostCall();
  void oneCall();
  void fault(const std::string& what) { faults_.push_back(what); }
  void note(const std::string& what) {
    if (tracing_) {
      trace_.push_back(std::to_string(sim_->loop.nowMicros()) + " us, depth " +
                       std::to_string(depth_) + ": " + what);
    }
  }
  void checkAtRest(const char* when);
  void checkFiles();

  void divisionsFound(const DivisionRun&) override {
    note("divisions found");
    if (!final_ && coin(0.05)) {
      ++fig_.inAnalysis;
      hostCall();
    }
  }
  void segmentAnalysed(const SegmentRun&) override {
    note("segment analysed");
    if (!final_ && coin(0.15)) {
      ++fig_.inAnalysis;
      hostCall();
    }
  }

  uint64_t seed_;
  Figures& fig_;
  std::mt19937_64 rng_;
  SpeechMaker speech_;
  ScratchFolder dir_{"storm"};
  std::unique_ptr<SimPlatform> sim_;
  std::shared_ptr<Engine> engine_;
  std::unique_ptr<StormWindows> windows_;
  std::unique_ptr<Parlomat> control_;
  std::vector<WatchedFile> watched_;
  std::vector<std::string> faults_;
  std::vector<MemberInfo> setters_, getters_;
  int depth_ = 0;
  bool final_ = false;
  bool tracing_ = envNumber("PARLOMAT_STORM_TRACE", 0) != 0;
  std::vector<std::string> trace_;
  const std::vector<std::string> names_{"ka", "ga", "ta", "  ma  ",
                                        "a very long name beyond twenty"};
};

void Scenario::watch(const std::string& name, int recordLength, FileRule rule) {
  const std::string path = dir_ / name;
  std::vector<uint8_t> bytes;
  if (std::filesystem::exists(path)) bytes = readFile(path);
  watched_.push_back({path, recordLength, rule, bytes});
}

void Scenario::writeFixtures() {
  std::filesystem::create_directory(dir_.path() / "control");
  writeRecords(dir_.path() / "v1.SAY", std::vector{vocabularyRecord(1, "ka", ladder(12)),
                                                   vocabularyRecord(2, "ga", ladder(10, 15, 10)),
                                                   vocabularyRecord(3, "ta", ladder(14, 5, 9))});
  writeRecords(dir_.path() / "v2.SAY", std::vector{vocabularyRecord(1, "ka", ladder(11, 12, 10)),
                                                   vocabularyRecord(2, "ma", ladder(9, 20, 7))});
  writeRecords(dir_.path() / "add.SAY", std::vector{vocabularyRecord(1, "pa", ladder(8))});
  writeRecords(dir_.path() / "words.Lang",
               std::vector{languageRecord(1, "SHORT", 2000, {{"*", 100}}),
                           languageRecord(2, "LONG", 6000, {{"ka*", 80}, {"*a*", 60}})});
  writeRecords(dir_.path() / "addwords.Lang",
               std::vector{languageRecord(1, "FIRST", 3000, {{"?a", 70}})});
  writeFile(dir_.path() / "word.wav",
            waveFileBytes(speech_.utterance(uniform(3000, 9000), uniform(800, 2000)), 8000));
  writeFile(dir_.path() / "bad.wav", {'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});

  watch("v1.SAY", VocabularyRecord::kLength, FileRule::Kept);
  watch("v2.SAY", VocabularyRecord::kLength, FileRule::Kept);
  watch("words.Lang", LanguageRecord::kLength, FileRule::Kept);
  watch("word.wav", 1, FileRule::Kept);
  watch("add.SAY", VocabularyRecord::kLength, FileRule::Appended);
  watch("addwords.Lang", LanguageRecord::kLength, FileRule::Appended);
  // Created by a scan of a file that did not exist (a blank record 1), or as the default file.
  watch("nofile.SAY", VocabularyRecord::kLength, FileRule::Appended);
  watch("nofile.Lang", LanguageRecord::kLength, FileRule::Appended);
  watch("control/New.SAY", VocabularyRecord::kLength, FileRule::Appended);
}

// A plausible host's settings before the start.
void Scenario::configure() {
  Parlomat& c = *control_;
  c.Set_Recording_Frequency(8000);
  c.Speech_sampling_time_in_ms(uniform(4, 15) * 100);
  c.Keep_Digital_Signal_Processing_level(pick<std::string>({"Down", "Middle", "Up"}));
  c.Voice_Grab_Delay(static_cast<int16_t>(uniform(0, 3000)));
  c.Consider_This_Vocabulary_To_Match_Fileno_1(dir_ / "v1");
  if (coin(0.5)) c.Consider_This_Vocabulary_To_Match_Fileno_2(dir_ / "v2");
  c.Number_of_files_to_scan(static_cast<int16_t>(uniform(1, 2)));
  c.Multiple_Files(coin(0.5) ? "YES" : "NO");
  c.Keep_Matching_Files_Entries_Scan_Accuracy(pick<std::string>({"FLEXIBLE", "SCAN ALL"}));
  c.Keep_Entry_Matching_Accuracy(pick<std::string>({"HIGH", "LOW"}));
  c.Consider_this_Vocabulary_to_Add(dir_ / "add");
  c.Consider_this_Lang_File_to_match(dir_ / "words");
  c.Consider_this_Lang_File_to_Add(dir_ / "addwords");
  c.Enable_Artificial_Intelligence(coin(0.5) ? "YES" : "NO");
  c.Add_To_Language(coin(0.3) ? "YES" : "NO");
  c.Speech_echo_feature(coin(0.25) ? "YES" : "NO");
  if (coin(0.35)) c.On_speech_show_activities("YES");
  if (coin(0.35)) c.Add_To_Vocabulary("YES");
  if (coin(0.3)) c.Enable_Anytime_Vocabulary_Addition("YES");
  c.Show_Status_Animation(coin(0.5) ? "YES" : "NO");
  c.Show_Audio_Graph(coin(0.3) ? "YES" : "NO");
  c.Play_this_file_for_Start("start.wav");
  c.Play_this_file_for_Stop("stop.wav");
  c.Sample_processing_resolution(pick<std::string>({"COMPLETE", "COMPLETE", "800"}));
}

Variant Scenario::textFor(const std::string& m) {
  auto has = [&m](const char* part) { return m.find(part) != std::string::npos; };
  if (has("Vocabulary_To_Match"))
    return pick<std::string>({dir_ / "v1", dir_ / "v2", dir_ / "nofile", ""});
  if (has("Vocabulary_to_Add")) return pick<std::string>({dir_ / "add", ""});
  if (has("Lang_File_to_match")) return pick<std::string>({dir_ / "words", dir_ / "nofile", ""});
  if (has("Lang_File_to_Add")) return pick<std::string>({dir_ / "addwords", ""});
  if (has("Wave_File"))
    return pick<std::string>({dir_ / "word.wav", dir_ / "bad.wav", dir_ / "gone.wav"});
  if (has("Image")) return pick<std::string>({"", dir_ / "picture.png", dir_ / "broken.png"});
  if (has("Play_this_file")) return pick<std::string>({"", "start.wav", " stop.wav "});
  if (has("Digital_Signal")) return pick<std::string>({"Top", "Up", "Middle", "Down", "top"});
  if (has("Entry_Matching")) {
    return pick<std::string>({"VERY HIGH", "HIGHER", "HIGH", "MEDIUM", "LOW", "VERY LOW", "?"});
  }
  if (has("Scan_Accuracy")) {
    return pick<std::string>(
        {"VERY STRICT", "STRICT", "FLEXIBLE", "VERY FLEXIBLE", "SCAN NEARLY ALL", "SCAN ALL"});
  }
  if (has("resolution")) return pick<std::string>({"COMPLETE", "0", "600", "1500", "abc", "-5"});
  return pick<std::string>({"YES", "YES", "NO", "NO", "", "yes"});
}

Variant Scenario::numberFor(const std::string& m) {
  auto has = [&m](const char* part) { return m.find(part) != std::string::npos; };
  if (has("sampling_time"))
    return Variant(static_cast<double>(pick<int>({300, 500, 800, 1200, 0})));
  if (has("Frequency"))
    return Variant(static_cast<double>(pick<int>({8000, 8000, 11025, 22050, 5500, 0})));
  if (has("Grab_Delay")) return Variant(static_cast<double>(pick<int>({0, 100, 1000, 5000, -3})));
  if (has("files_to_scan")) return Variant(static_cast<double>(uniform(0, 12)));
  return Variant(static_cast<double>(uniform(-1, 12)));
}

// One host call, unless calls are already nested three deep.
void Scenario::hostCall() {
  if (depth_ >= 3) return;
  ++depth_;
  ++fig_.hostCalls;
  try {
    oneCall();
  } catch (const DispatchError&) {
    // An indexed getter out of range, or a value the member's type cannot hold: the host's call
    // fails, as it would on the desktop.
    ++fig_.refusedByHost;
  } catch (const StatusPictureError&) {
    // A status picture that cannot be loaded during processing on request goes to the caller.
    ++fig_.refusedByHost;
  } catch (const std::exception& e) {
    fault(std::string("a host call raised: ") + e.what());
  }
  --depth_;
}

void Scenario::oneCall() {
  Parlomat& c = *control_;
  const int what = uniform(0, 99);
  if (what < 40) {
    const MemberInfo& m = pick(setters_);
    const Variant v = m.type == ValueType::Text ? textFor(m.name) : numberFor(m.name);
    note(m.name + " = " + v.toText());
    c.invoke(m.name, std::vector<Variant>{v});
  } else if (what < 58) {
    const MemberInfo& m = pick(getters_);
    note(m.name);
    c.invoke(m.name, {});
  } else if (what < 68) {
    const uint8_t red = static_cast<uint8_t>(uniform(0, 255));
    const bool yes = coin(0.9);
    note(std::string("Start_Real_Action ") + (yes ? "YES" : "NO"));
    c.Start_Real_Action(yes ? "YES" : "NO", red, 0, 255);
  } else if (what < 75) {
    note("Stop_Real_Action");
    c.Stop_Real_Action();
  } else if (what < 81) {
    note("Open_Specified_Wave_File_And_Process");
    c.Open_Specified_Wave_File_And_Process();
  } else if (what < 86) {
    const bool yes = coin(0.5);
    note(std::string("Stop_everything_now ") + (yes ? "YES" : "NO"));
    c.Stop_everything_now(yes ? "YES" : "NO");
  } else if (what < 89) {
    note("Show_Language_Editor");
    c.Show_Language_Editor();
  } else if (what < 92) {
    note("editor closed by the user");
    windows_->userClose();
  } else if (what < 95) {
    note("editor Add");
    windows_->add(pick(names_));
  } else if (what < 96) {
    note("Language Editor Next");
    windows_->next();
  } else if (what < 97) {
    note("Vocabulary Editor Next");
    windows_->nextVocabulary();
  } else {
    switch (uniform(0, 2)) {
      case 0:
        c.InitializeSound();
        break;
      case 1:
        c.Play_File("ding.wav");
        break;
      default:
        c.Show_Vocabulary_Editor();
    }
  }
}

std::vector<std::string> Scenario::run() {
  const int descriptors = openDescriptors();
  writeFixtures();
  sim_ = std::make_unique<SimPlatform>((dir_.path() / "control").string());
  SimPlatform& sim = *sim_;
  sim.dialogs.setStrict(false);
  sim.status.badFiles.push_back(dir_ / "broken.png");
  engine_ = std::make_shared<Engine>(sim.platform());
  windows_ = std::make_unique<StormWindows>(*engine_);
  sim.platform().windows = windows_.get();
  engine_->analysisObserver = this;
  control_ = std::make_unique<Parlomat>(engine_);
  for (const MemberInfo& m : control_->members()) {
    if (m.kind == MemberKind::Put) setters_.push_back(m);
    if (m.kind == MemberKind::Get) getters_.push_back(m);
  }

  // A host call while a box is shown, then the storm's own answer to it.
  sim.dialogs.onShow = [this](const DialogRecord& r) {
    ++fig_.boxes;
    note("box [" + r.title + "] " + r.text);
    if (final_) return;
    if (coin(0.25)) {
      ++fig_.inBoxes;
      hostCall();
    }
    if (r.kind == DialogRecord::Kind::Input && coin(0.8)) {
      sim_->dialogs.answer(pick(names_));
    } else if (r.buttons == Buttons::YesNo && coin(0.8)) {
      sim_->dialogs.answer(coin(0.75) ? "Yes" : "No");
    }
  };

  configure();
  const int endMs = uniform(1500, 4500);
  std::vector<uint8_t> heard;
  while (static_cast<int>(heard.size()) < endMs * 8 + 4000) {
    const auto u = speech_.utterance(uniform(2800, 6000), uniform(600, 2500));
    heard.insert(heard.end(), u.begin(), u.end());
  }
  sim.waveIn.setSource(heard);
  if (coin(0.85)) control_->Start_Real_Action("YES", 255, 0, 0);
  const int calls = uniform(4, 40);
  for (int i = 0; i < calls; ++i) {
    sim.loop.scheduleAt(int64_t{uniform(0, endMs)} * 1000, [this] {
      if (!final_) hostCall();
    });
  }
  size_t opensAtStop = 0;
  sim.loop.scheduleAt(int64_t{endMs} * 1000, [&] {
    final_ = true;
    try {
      control_->Stop_Real_Action();
    } catch (const std::exception& e) {
      fault(std::string("the final stop raised: ") + e.what());
    }
    opensAtStop = sim.waveIn.calls().size();
  });
  try {
    sim.loop.runUntil(int64_t{endMs + 3000} * 1000);
  } catch (const std::exception& e) {
    fault(std::string("left the event loop: ") + e.what());
    return faults_;
  }

  if (!final_) fault("the final stop never ran");
  checkAtRest("after the stop");
  const auto& calls_ = sim.waveIn.calls();
  for (size_t i = opensAtStop; i < calls_.size(); ++i) {
    if (calls_[i].rfind("open", 0) == 0) fault("a pass started after the stop");
  }
  fig_.passes += std::count_if(calls_.begin(), calls_.end(),
                               [](const std::string& c) { return c.rfind("open", 0) == 0; });
  fig_.editorAdds += windows_->added;

  control_.reset();
  checkAtRest("after destruction");
  if (openDescriptors() != descriptors) fault("a descriptor was left open");
  engine_->analysisObserver = nullptr;
  checkFiles();
  ++fig_.scenarios;
  if (!faults_.empty()) faults_.insert(faults_.end(), trace_.begin(), trace_.end());
  return faults_;
}

void Scenario::checkAtRest(const char* when) {
  const std::string at = std::string(" ") + when;
  const Engine& e = *engine_;
  if (sim_->waveIn.isOpen()) fault("the input device is open" + at);
  if (e.timer5->enabled()) fault("Timer5 is on" + at);
  if (e.timer3->enabled()) fault("Timer3 is on" + at);
  if (e.captureLoopDepth != 0) fault("a capture loop still runs" + at);
  if (sim_->colours.GetSysColor(MemorySystemColours::kActiveCaption) !=
      e.state.savedCaptionColour) {
    fault("the caption colour is not restored" + at);
  }
  if (e.state.fileNumber || sim_->files.openCount() != 0) fault("a record file is open" + at);
}

void Scenario::checkFiles() {
  for (const WatchedFile& w : watched_) {
    const bool exists = std::filesystem::exists(w.path);
    const std::vector<uint8_t> now = exists ? readFile(w.path) : std::vector<uint8_t>{};
    const std::string name = std::filesystem::path(w.path).filename().string();
    if (w.rule == FileRule::Kept) {
      if (now != w.before) fault(name + " changed");
      continue;
    }
    if (!exists) continue;
    if (now.size() < w.before.size() ||
        !std::equal(w.before.begin(), w.before.end(), now.begin())) {
      fault(name + ": a record that was there changed");
      continue;
    }
    if (now.size() % static_cast<size_t>(w.recordLength) != 0) {
      fault(name + ": not a whole number of records");
      continue;
    }
    for (size_t at = w.before.size(); at < now.size(); at += static_cast<size_t>(w.recordLength)) {
      const int64_t position = static_cast<int64_t>(at / static_cast<size_t>(w.recordLength)) + 1;
      const int32_t refNo = static_cast<int32_t>(now[at] | now[at + 1] << 8 | now[at + 2] << 16 |
                                                 static_cast<uint32_t>(now[at + 3]) << 24);
      if (refNo != position) {
        fault(name + ": record " + std::to_string(position) + " holds RefNo " +
              std::to_string(refNo));
      }
      if (w.recordLength == VocabularyRecord::kLength && position > 1) ++fig_.trained;
    }
  }
}

TEST(Storm, HostCallsAtRandomMomentsLeaveTheCycleAtRestAndTheFilesWhole) {
  const int64_t scenarios = envNumber("PARLOMAT_STORM_SCENARIOS", 120);
  const int64_t first = envNumber("PARLOMAT_STORM_FIRST_SEED", 1);
  Figures fig;
  int failed = 0;
  for (int64_t seed = first; seed < first + scenarios && failed < 5; ++seed) {
    const auto faults = Scenario(static_cast<uint64_t>(seed), fig).run();
    if (faults.empty()) continue;
    ++failed;
    std::ostringstream os;
    for (const auto& f : faults) os << "\n  " << f;
    ADD_FAILURE() << "seed " << seed << ":" << os.str();
  }
  std::cout << "storm: " << fig.scenarios << " scenarios (seeds " << first << ".."
            << first + scenarios - 1 << "), " << fig.hostCalls << " host calls (" << fig.inBoxes
            << " while a box was shown, " << fig.inAnalysis << " inside the analysis, "
            << fig.refusedByHost << " refused to the host), " << fig.passes << " passes, "
            << fig.boxes << " boxes, " << fig.trained << " records trained, " << fig.editorAdds
            << " editor adds\n";
}

}  // namespace
}  // namespace parlomat::testing
