// A long listening run in virtual time: pass after pass over ever new utterances, each detected,
// analysed, matched against two vocabulary files and ranked against a language file, the cycle
// re-armed by the language step. Memory in use after a warm-up and at the end stay within a small
// bound; no descriptor, record file or device is left open.
//
// PARLOMAT_LONG_RUN_PASSES sets the number of passes (default 300; the full run is 10000).
#include <cstdlib>
#include <iostream>

#include "reliability/ReliabilitySupport.h"
#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

// A microphone that never runs dry: it hears one generated utterance after another and keeps no
// log, so that a long run measures the recogniser and not the simulation's records of it.
class EndlessMicrophone : public WaveInDevice {
 public:
  EndlessMicrophone(SimEventLoop& loop, SpeechMaker& speech) : loop_(loop), speech_(speech) {}
  ~EndlessMicrophone() override { ++generation_; }

  int64_t opens = 0;
  bool isOpen() const { return open_; }

  int queryCapabilities(int) override { return kWaveOk; }
  int open(const WaveFormat& format) override {
    if (open_) return kWaveError;
    open_ = true;
    rate_ = format.samplesPerSec > 0 ? format.samplesPerSec : 22050;
    ++opens;
    return kWaveOk;
  }
  int prepare(WaveHeader& h) override {
    if (!open_) return kWaveError;
    h.flags = WaveHeader::kPrepared;
    h.bytesRecorded = 0;
    return kWaveOk;
  }
  int addBuffer(WaveHeader& h) override {
    if (!open_ || queued_) return kWaveError;
    queued_ = &h;
    return kWaveOk;
  }
  int start() override {
    if (!open_) return kWaveError;
    if (!running_) {
      running_ = true;
      schedule();
    }
    return kWaveOk;
  }
  int stop() override {
    running_ = false;
    ++generation_;
    return open_ ? kWaveOk : kWaveError;
  }
  int reset() override {
    running_ = false;
    ++generation_;
    if (queued_) {
      queued_->flags |= WaveHeader::kDone;
      queued_ = nullptr;
    }
    return open_ ? kWaveOk : kWaveError;
  }
  int unprepare(WaveHeader& h) override {
    if (queued_ == &h) return kWaveError;
    h.flags &= ~WaveHeader::kPrepared;
    return kWaveOk;
  }
  int close() override {
    if (!open_ || queued_) return kWaveError;
    open_ = false;
    running_ = false;
    ++generation_;
    return kWaveOk;
  }

 private:
  void schedule() {
    const uint64_t generation = generation_;
    loop_.scheduleAfterMs(10, [this, generation] {
      if (generation != generation_ || !running_) return;
      deliver();
      schedule();
    });
  }
  uint8_t next() {
    if (at_ >= heard_.size()) {
      heard_ = speech_.utterance(speech_.uniform(2800, 3300), speech_.uniform(450, 800));
      at_ = 0;
    }
    return heard_[at_++];
  }
  void deliver() {
    for (int64_t i = 0; i < rate_ / 100; ++i) {
      const uint8_t s = next();
      if (queued_ && queued_->bytesRecorded < queued_->bufferLength) {
        queued_->data[queued_->bytesRecorded++] = s;
      }
    }
    if (queued_ && queued_->bytesRecorded >= queued_->bufferLength) {
      queued_->flags |= WaveHeader::kDone;
      queued_ = nullptr;
    }
  }

  SimEventLoop& loop_;
  SpeechMaker& speech_;
  std::vector<uint8_t> heard_;
  size_t at_ = 0;
  int64_t rate_ = 22050;
  WaveHeader* queued_ = nullptr;
  bool open_ = false, running_ = false;
  uint64_t generation_ = 0;
};

TEST(LongRun, ListeningPassAfterPassKeepsMemoryAndHandlesFlat) {
  const char* env = std::getenv("PARLOMAT_LONG_RUN_PASSES");
  const int64_t passes = env && *env ? std::atoll(env) : 300;
  constexpr int64_t kWarmUp = 60;  // a multiple of the twelve kinds of pass
  ASSERT_GT(passes, kWarmUp);

  ScratchFolder dir("longrun");
  std::filesystem::create_directory(dir.path() / "control");
  writeRecords(dir.path() / "v1.SAY", std::vector{vocabularyRecord(1, "ka", ladder(30, 4, 8)),
                                                  vocabularyRecord(2, "ga", ladder(40, 6, 6)),
                                                  vocabularyRecord(3, "ta", ladder(20, 10, 12))});
  writeRecords(dir.path() / "v2.SAY", std::vector{vocabularyRecord(1, "ka", ladder(35, 5, 7)),
                                                  vocabularyRecord(2, "ma", ladder(25, 8, 9))});
  writeRecords(dir.path() / "words.Lang",
               std::vector{languageRecord(1, "SHORT", 1500, {{"*", 100}}),
                           languageRecord(2, "KA", 2500, {{"*ka*", 90}, {"?a", 70}}),
                           languageRecord(3, "LONG", 6000, {{"*", 40}})});
  const auto v1 = readFile(dir.path() / "v1.SAY");
  const auto words = readFile(dir.path() / "words.Lang");

  SpeechMaker speech(20261211);
  SimPlatform sim((dir.path() / "control").string());
  std::vector<std::string> unexpected;
  sim.dialogs.onUnexpected = [&](const DialogRecord& r) { unexpected.push_back(r.text); };
  EndlessMicrophone microphone(sim.loop, speech);
  sim.platform().waveIn = &microphone;
  auto engine = std::make_shared<Engine>(sim.platform());
  auto control = std::make_unique<Parlomat>(engine);

  control->Set_Recording_Frequency(8000);
  control->Speech_sampling_time_in_ms(500);
  control->Voice_Grab_Delay(500);
  control->Consider_This_Vocabulary_To_Match_Fileno_1(dir / "v1");
  control->Consider_This_Vocabulary_To_Match_Fileno_2(dir / "v2");
  control->Number_of_files_to_scan(2);
  control->Multiple_Files("YES");
  control->Keep_Matching_Files_Entries_Scan_Accuracy("SCAN ALL");
  control->Keep_Entry_Matching_Accuracy("LOW");
  control->Consider_this_Lang_File_to_match(dir / "words");
  control->Enable_Artificial_Intelligence("YES");
  control->Add_To_Language("NO");
  // As both hosts set it: without it the Golden characters of every utterance are kept, growing
  // by design until the next stop.
  control->Memory_Clean("YES");
  control->Show_Status_Animation("YES");
  control->Show_Audio_Graph("YES");

  // Each ranking ends a pass; the next pass runs at another processing level and resolution, so
  // every transform size and both ways of cutting divisions come round every twelve passes. The
  // heap is measured at the same moment of the same kind of pass: when its words are ranked.
  const char* const levels[] = {"Down", "Middle", "Up", "Top"};
  const char* const resolutions[] = {"COMPLETE", "900", "COMPLETE"};
  int64_t rankings = 0, namedFirst = 0;
  // The heap at passes 60, 72, 84, ...; reserved first so that keeping them allocates nothing.
  std::vector<size_t> heap;
  heap.reserve(static_cast<size_t>(passes / 12 + 2));
  int descriptorsAtWarmUp = 0, descriptorsAtEnd = 0;
  engine->wordsRanked = [&] {
    ++rankings;
    if (!engine->state.platinumWord[1].empty()) ++namedFirst;
    control->Keep_Digital_Signal_Processing_level(levels[rankings % 4]);
    control->Sample_processing_resolution(resolutions[rankings % 3]);
    // The simulated windows and player keep a line for everything they show; not the recogniser's.
    std::vector<std::string>().swap(sim.status.log);
    std::vector<std::string>().swap(sim.graph.log);
    sim.sounds.clear();
    if (rankings % 12 == 0 && rankings >= kWarmUp && heap.size() < heap.capacity()) {
      heap.push_back(heapInUse());
      descriptorsAtEnd = openDescriptors();
      if (rankings == kWarmUp) descriptorsAtWarmUp = descriptorsAtEnd;
    }
  };

  control->Start_Real_Action("YES", 255, 0, 0);
  while (microphone.opens <= passes && unexpected.empty()) {
    sim.loop.runForMs(1000);
    ASSERT_LT(sim.loop.nowMicros(), passes * 2'000'000) << "the cycle stopped re-arming";
  }
  control->Stop_Real_Action();
  sim.loop.runForMs(2000);

  EXPECT_TRUE(unexpected.empty()) << unexpected.front();
  EXPECT_FALSE(microphone.isOpen());
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_FALSE(engine->timer3->enabled());
  EXPECT_EQ(sim.files.openCount(), 0);
  EXPECT_EQ(descriptorsAtEnd, descriptorsAtWarmUp);
  EXPECT_GT(descriptorsAtWarmUp, 0);
  // Every pass found its utterance and ranked it.
  EXPECT_GE(rankings, passes - 1);
  EXPECT_EQ(namedFirst, rankings);
  ASSERT_GE(heap.size(), 2u);
  auto at = [&](size_t i) { return static_cast<int64_t>(heap[i]); };
  const size_t last = heap.size() - 1;
  // Past the warm-up only the high-water marks of scratch lists rise, and less and less often.
  EXPECT_LT(at(last) - at(0), 64 * 1024) << "heap grew from " << heap[0] << " to " << heap[last];
  // In a long run the second half adds nothing that stays.
  if (passes >= 4000) {
    EXPECT_LT(std::llabs(at(last) - at(last / 2)), 16 * 1024);
  }
  EXPECT_EQ(readFile(dir.path() / "v1.SAY"), v1);
  EXPECT_EQ(readFile(dir.path() / "words.Lang"), words);
  std::cout << "long run: " << microphone.opens - 1 << " passes, " << rankings << " rankings, "
            << sim.loop.nowMicros() / 1'000'000 << " s of virtual time; " << descriptorsAtEnd
            << " descriptors open after the warm-up and at the end; heap in use (bytes) at pass";
  for (size_t i = 0; i <= 10; ++i) {
    const size_t k = i * last / 10;
    std::cout << (i ? ", " : " ") << kWarmUp + 12 * static_cast<int64_t>(k) << ": " << heap[k];
  }
  std::cout << "\n";

  control.reset();
  EXPECT_EQ(sim.files.openCount(), 0);
}

}  // namespace
}  // namespace parlomat::testing
