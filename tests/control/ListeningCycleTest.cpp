// The listening cycle on the simulated platform, one scenario on the virtual clock per test: the
// passes and their exits, stop, pause, restart, failures that halt the cycle, and the utterance
// processing that the chunk timer runs while a buffer fills.
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <utility>

#include "analysis/AnalysisObserver.h"
#include "control/ListeningCycle.h"
#include "matching/RecordFixtures.h"
#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

using Log = std::vector<std::string>;
using Divisions = std::vector<std::pair<int32_t, int32_t>>;

// The microphone's rate in these scenarios: 8 positions a millisecond. A pass of 1000 ms sampling
// time and the "Middle" margin records 8256 positions, which the simulated device delivers in 104
// chunks of 80 (10 ms each); the rest of the last chunk is lost before the next buffer.
constexpr int kRate = 8000;
constexpr int64_t kBufferHeard = 104 * 80;

// Sound as the microphone hears it: silence (128) and loud stretches of a square wave whose halves
// are 25 positions long, so every position the division finder visits is loud.
class Speech {
 public:
  Speech& silence(int positions) {
    bytes_.insert(bytes_.end(), static_cast<size_t>(positions), 128);
    return *this;
  }
  Speech& loud(int positions) {
    for (int i = 0; i < positions; ++i) bytes_.push_back((bytes_.size() / 25) % 2 ? 188 : 68);
    return *this;
  }
  // Silence up to source position `position` (the device starts hearing at position 0).
  Speech& silenceUntil(int64_t position) {
    return silence(static_cast<int>(position - static_cast<int64_t>(bytes_.size())));
  }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

// What the analysis did, each division run stamped with the virtual time.
struct Trace : AnalysisObserver {
  struct Run {
    int64_t at;
    Divisions divisions;
  };
  explicit Trace(const SimEventLoop& l) : loop(l) {}
  void divisionsFound(const DivisionRun& r) override {
    runs.push_back({loop.nowMicros(), Divisions(r.divisions.begin(), r.divisions.end())});
  }
  void segmentAnalysed(const SegmentRun& r) override {
    segments.emplace_back(r.start, r.end);
    if (onSegment) onSegment();
  }
  const SimEventLoop& loop;
  std::vector<Run> runs;
  Divisions segments;
  std::function<void()> onSegment;
};

// The state as the language step left it when it published a ranking.
struct Ranking {
  int64_t at = 0;     // virtual time
  int64_t heard = 0;  // positions the microphone had delivered
  bool deviceOpen = false;
  int32_t set = 0;
  std::string word1, word2;
  int16_t percent1 = 0, percent2 = 0;
  int32_t divisionCount = 0;
  std::vector<int32_t> timelength;  // wordTimelength 1..divisionCount
  std::vector<int16_t> memoryCount, memoryNo;
  std::vector<int32_t> memoryTime;
};

class ListeningCycle : public SimFixture {
 public:
  using SimFixture::path;
  using SimFixture::sim;

  ListeningCycle() : control(std::make_unique<Parlomat>(engine)) {
    // A pump pass costs 0.1 ms here, so the voice-grab delay is counted in tenths of milliseconds.
    sim.loop.setPumpCostMicros(100);
    control->Set_Recording_Frequency(kRate);
    control->Speech_sampling_time_in_ms(1000);
    control->Keep_Digital_Signal_Processing_level("Middle");
    control->Voice_Grab_Delay(5000);
    engine->analysisObserver = &trace;
    engine->wordsRanked = [this] { rankings.push_back(snapshot()); };
  }
  ~ListeningCycle() override {
    engine->analysisObserver = nullptr;
    engine->wordsRanked = nullptr;
  }

  void speak(const Speech& speech) { sim.waveIn.setSource(speech.bytes()); }
  // Runs `f` as a host call when the virtual clock reaches `ms`.
  void at(double ms, std::function<void()> f) {
    sim.loop.scheduleAt(std::llround(ms * 1000), std::move(f));
  }
  void stopAt(double ms) {
    at(ms, [this] { control->Stop_Real_Action(); });
  }
  void runUntil(double ms) { sim.loop.runUntil(std::llround(ms * 1000)); }
  // Starts listening and stops at `stopMs`, as a host would; returns once the cycle rests.
  void listenUntil(double stopMs) {
    control->Start_Real_Action("YES", 255, 0, 0);
    stopAt(stopMs);
    runUntil(stopMs + 1);
  }

  // Artificial intelligence on, matching against SHORT (2000 positions long) and LONG (6000): any
  // character string fits both, so the time length of the utterance ranks them.
  void matchWordsByLength() {
    writeRecords(dir / "words.Lang", std::vector{languageRecord(1, "SHORT", 2000, {{"*", 100}}),
                                                 languageRecord(2, "LONG", 6000, {{"*", 100}})});
    control->Enable_Artificial_Intelligence("YES");
    control->Add_To_Language("NO");
    control->Consider_this_Lang_File_to_match(path("words"));
  }

  int count(const Log& log, const std::string& entry) const {
    return static_cast<int>(std::count(log.begin(), log.end(), entry));
  }
  int deviceCalls(const std::string& call) const { return count(sim.waveIn.calls(), call); }

  Ranking snapshot() const {
    const ControlState& st = engine->state;
    Ranking r{sim.loop.nowMicros(),
              sim.waveIn.position(),
              sim.waveIn.isOpen(),
              st.platinumSetCount,
              st.platinumWord[1],
              st.platinumWord[2],
              st.platinumPercent[1],
              st.platinumPercent[2],
              st.probableWordCount,
              {},
              {},
              {},
              {}};
    for (int32_t k = 1; k <= st.probableWordCount; ++k) {
      const size_t i = static_cast<size_t>(k);
      r.timelength.push_back(st.wordTimelength[i]);
      r.memoryCount.push_back(st.memoryDivisionCount[i]);
      r.memoryNo.push_back(st.memoryDivisionNo[i]);
      r.memoryTime.push_back(st.memoryDivisionTime[i]);
    }
    return r;
  }

  ControlState& s = engine->state;
  Trace trace{sim.loop};
  std::vector<Ranking> rankings;
  std::unique_ptr<Parlomat> control;
};

const char* const kHalted = "Problem Starting Recording, Check Your Settings and Sound Card";

TEST_F(ListeningCycle, WithoutASamplingTimeEveryTickShowsTheBoxUntilStopped) {
  s.samplingTimeMs = 0;
  s.sampleCount = 0;
  for (int i = 0; i < 4; ++i) answer("OK");
  listenUntil(22);  // ticks at 5, 10, 15 and 20 ms
  runUntil(200);
  const auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 4u);
  for (const auto& b : boxes) {
    EXPECT_EQ(b.text, "No sampling time");
    EXPECT_EQ(b.title, "Parlomat User Error");
    EXPECT_EQ(b.icon, Icon::Critical);
  }
  EXPECT_TRUE(sim.waveIn.calls().empty());
  EXPECT_FALSE(engine->timer5->enabled());
}

// The language step follows the full buffer: the capture is stopped, the words are ranked by the
// utterance's time length, and the cycle is re-armed for a new pass.
TEST_F(ListeningCycle, AnUtteranceUnderArtificialIntelligenceIsRankedAndTheCycleRearmed) {
  matchWordsByLength();
  speak(Speech().silence(800).loud(2000));
  listenUntil(1500);

  ASSERT_EQ(rankings.size(), 1u);
  const Ranking& r = rankings[0];
  EXPECT_EQ(r.heard, kBufferHeard);  // the whole first buffer, and nothing after it
  EXPECT_FALSE(r.deviceOpen);
  EXPECT_EQ(r.set, 1);
  EXPECT_EQ(r.word1, "SHORT");
  EXPECT_GE(r.percent1, 90);
  EXPECT_EQ(r.word2, "LONG");
  EXPECT_EQ(r.percent2, 70);  // 4000 positions off: no time bonus
  ASSERT_GE(r.divisionCount, 1);
  EXPECT_NEAR(r.timelength[0], 2000, 50);
  EXPECT_EQ(deviceCalls("open 8000"), 2);  // re-armed: the next pass opened the device again
  EXPECT_EQ(s.utteranceDone, 0);
}

struct PassExit {
  const char* name;
  std::function<void(ListeningCycle&)> arrange;
  Log sounds;  // up to the stop
  size_t echoes;
};

class PassExits : public ListeningCycle, public ::testing::WithParamInterface<PassExit> {};

// Each detected utterance ends the pass; the next pass opens the device anew and plays the start
// sound again. Only the activities exit plays the stop sound.
TEST_P(PassExits, AnUtteranceEndsThePassAndTheNextOneStartsAfresh) {
  control->Play_this_file_for_Start("start.wav");
  control->Play_this_file_for_Stop("stop.wav");
  GetParam().arrange(*this);
  speak(Speech().silence(800).loud(2000));
  Log sounds;
  at(1499, [&] { sounds = sim.sounds.log(); });
  listenUntil(1500);
  EXPECT_EQ(sounds, GetParam().sounds);
  EXPECT_EQ(deviceCalls("open 8000"), 2);
  EXPECT_EQ(sim.waveOut.played().size(), GetParam().echoes);
  const Log& calls = sim.waveIn.calls();
  const auto first = std::find(calls.begin(), calls.end(), "open 8000");
  const auto second = std::find(std::next(first), calls.end(), "open 8000");
  ASSERT_NE(second, calls.end());
  EXPECT_EQ(std::count(first, second, "close"), 1);  // the first pass closed the device
}

INSTANTIATE_TEST_SUITE_P(
    Exits, PassExits,
    ::testing::Values(
        PassExit{"Echo", [](ListeningCycle& f) { f.control->Speech_echo_feature("YES"); },
                 Log{"stop", "once start.wav", "once start.wav"}, 1},
        PassExit{"Activities",
                 [](ListeningCycle& f) { f.control->On_speech_show_activities("YES"); },
                 Log{"stop", "once start.wav", "once stop.wav", "once start.wav"}, 0},
        PassExit{"ArtificialIntelligence", [](ListeningCycle& f) { f.matchWordsByLength(); },
                 Log{"stop", "once start.wav", "once start.wav"}, 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The echo plays the division itself, from its second position to its second last, before the
// division is analysed.
TEST_F(ListeningCycle, TheEchoPlaysTheDivisionBeforeItIsAnalysed) {
  control->Speech_echo_feature("YES");
  const Speech speech = Speech().silence(800).loud(2000);
  speak(speech);
  size_t playedBeforeAnalysis = 99;
  trace.onSegment = [&] { playedBeforeAnalysis = sim.waveOut.played().size(); };
  listenUntil(1500);
  ASSERT_EQ(trace.segments.size(), 1u);
  EXPECT_EQ(playedBeforeAnalysis, 1u);
  const auto [start, end] = trace.segments[0];
  const std::vector<uint8_t>& played = sim.waveOut.played().at(0);
  ASSERT_EQ(played.size(), static_cast<size_t>(end - start - 1));
  EXPECT_EQ(played[0], 0);
  EXPECT_TRUE(std::equal(played.begin() + 1, played.end(), speech.bytes().begin() + start + 1));
}

// A stop served while the loop waits for a buffer: the device marks the buffer done, the loop
// takes it back and returns, and the status window closed by the stop shows the listening picture
// again.
TEST_F(ListeningCycle, AStopInTheMiddleOfABufferEndsTheLoop) {
  control->Show_Status_Animation("YES");
  control->Play_this_file_for_Start("start.wav");
  speak(Speech());
  int64_t heard = 0;
  control->Start_Real_Action("YES", 255, 0, 0);
  at(500, [&] {
    heard = sim.waveIn.position();
    control->Stop_Real_Action();
  });
  runUntil(3000);

  EXPECT_EQ(engine->captureLoopDepth, 0);
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_FALSE(engine->timer3->enabled());
  EXPECT_EQ(heard, 49 * 80);
  EXPECT_EQ(s.recordedBytes, heard - 1);
  const Log& calls = sim.waveIn.calls();
  ASSERT_GE(calls.size(), 5u);
  EXPECT_EQ(Log(calls.end() - 5, calls.end()),
            (Log{"stop", "reset", "unprepare", "close", "unprepare"}));
  EXPECT_EQ(deviceCalls("open 8000"), 1);
  EXPECT_EQ(count(sim.sounds.log(), "once start.wav"), 1);

  const Log& status = sim.status.log;
  const auto closed = std::find(status.rbegin(), status.rend(), "close");
  ASSERT_NE(closed, status.rend());
  EXPECT_EQ(Log(closed.base(), status.end()),
            (Log{"show", "builtin stopped", "show", "builtin listening"}));
  EXPECT_TRUE(sim.status.isOpen());
}

// "YES" pauses: no pass starts and no analysis runs, while a pass already capturing records on;
// "NO" lets the cycle go on.
TEST_F(ListeningCycle, StopEverythingNowPausesTheCycle) {
  matchWordsByLength();
  // The pass starts at 105 ms; its third buffer starts at source position 3 x 8320.
  speak(Speech().silence(800).loud(2000).silenceUntil(2 * kBufferHeard + 800).loud(2000));
  control->Start_Real_Action("YES", 255, 0, 0);
  control->Stop_everything_now("YES");
  Log callsWhilePaused;
  at(100, [&] {
    callsWhilePaused = sim.waveIn.calls();
    control->Stop_everything_now("NO");
  });
  at(150, [&] { control->Stop_everything_now("YES"); });
  int addsWhilePaused = 0;
  at(1600, [&] {
    addsWhilePaused = deviceCalls("add");
    control->Stop_everything_now("NO");
  });
  stopAt(3500);
  runUntil(3501);

  EXPECT_TRUE(callsWhilePaused.empty());
  EXPECT_EQ(addsWhilePaused, 2);   // the paused pass went on to its second buffer
  ASSERT_EQ(rankings.size(), 1u);  // the utterance heard while paused was never processed
  EXPECT_EQ(rankings[0].heard, 3 * kBufferHeard);
  EXPECT_EQ(rankings[0].word1, "SHORT");
}

TEST_F(ListeningCycle, OfSevenDivisionsAllAreRememberedAndFiveAnalysed) {
  matchWordsByLength();
  control->Voice_Grab_Delay(10000);
  Speech speech;
  speech.silence(800);
  for (int k = 0; k < 7; ++k) speech.loud(300).silence(500);
  speak(speech);
  listenUntil(2500);

  ASSERT_EQ(rankings.size(), 1u);
  const Ranking& r = rankings[0];
  ASSERT_EQ(r.divisionCount, 7);
  for (int k = 1; k <= 7; ++k) {
    SCOPED_TRACE(k);
    const size_t i = static_cast<size_t>(k - 1);
    EXPECT_NEAR(r.timelength[i], 300, 50);
    EXPECT_EQ(r.memoryCount[i], 7);
    EXPECT_EQ(r.memoryNo[i], k);
    EXPECT_EQ(r.memoryTime[i], r.timelength[i]);
  }
  const Divisions& found = trace.runs.back().divisions;
  ASSERT_EQ(trace.segments.size(), 5u);
  for (size_t k = 1; k <= 5; ++k) EXPECT_EQ(trace.segments[k - 1], found.at(k));
}

// A division over 30000 positions gets its time length and memory but is not analysed; the
// division after it is.
TEST_F(ListeningCycle, ADivisionOver30000PositionsIsRecordedButNotAnalysed) {
  matchWordsByLength();
  control->Speech_sampling_time_in_ms(5000);
  sim.loop.setPumpCostMicros(200);
  control->Voice_Grab_Delay(30000);  // six seconds: the whole buffer is heard before processing
  // The silence before it is longer than the gap that separates divisions here (805 positions).
  speak(Speech().silence(2000).loud(30200).silence(2000).loud(1500));
  listenUntil(8000);

  ASSERT_EQ(rankings.size(), 1u);
  const Ranking& r = rankings[0];
  ASSERT_EQ(r.divisionCount, 2);
  EXPECT_GT(r.timelength[0], 30000);
  EXPECT_EQ(r.memoryTime[0], r.timelength[0]);
  EXPECT_NEAR(r.timelength[1], 1500, 50);
  ASSERT_EQ(trace.segments.size(), 1u);
  EXPECT_EQ(trace.segments[0], trace.runs.back().divisions.at(2));
}

// With the audio process off, divisions are found but neither remembered nor analysed, and the
// pass does not end: there was no utterance for the language step.
TEST_F(ListeningCycle, WithAudioProcessNoNothingIsProcessed) {
  matchWordsByLength();
  control->This_Audio_Process("NO");
  speak(Speech().silence(800).loud(2000));
  int16_t doneAfterProcessing = -1, memoryAfterProcessing = -1;
  int32_t timelengthAfterProcessing = -1;
  at(1000, [&] {
    doneAfterProcessing = s.utteranceDone;
    memoryAfterProcessing = s.memoryDivisionCount[1];
    timelengthAfterProcessing = s.wordTimelength.at(1);
  });
  listenUntil(2500);

  EXPECT_EQ(trace.runs.size(), 2u);  // the detection, then the processing
  EXPECT_TRUE(trace.segments.empty());
  EXPECT_EQ(doneAfterProcessing, 0);
  EXPECT_EQ(memoryAfterProcessing, 0);
  EXPECT_EQ(timelengthAfterProcessing, 0);
  EXPECT_TRUE(rankings.empty());
  EXPECT_EQ(deviceCalls("open 8000"), 1);
  EXPECT_EQ(deviceCalls("add"), 3);  // recording went on, buffer after buffer
}

// After the detection the recogniser pumps voiceGrabDelay times (0.1 ms of virtual time each
// here), and the device records the rest of the utterance meanwhile.
TEST_F(ListeningCycle, TheVoiceGrabDelayLetsTheDeviceRecordTheRestOfTheUtterance) {
  const struct {
    int16_t delay;
    int32_t grownBy;  // positions recorded during the delay, 8 a millisecond
  } cases[] = {{0, 0}, {2000, 1600}, {4000, 3200}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.delay);
    trace.runs.clear();
    // The next pass hears the source from where the device stopped.
    speak(Speech().silenceUntil(sim.waveIn.position() + 800).loud(6000));
    control->Voice_Grab_Delay(c.delay);
    const int64_t start = sim.loop.nowMicros();
    control->Start_Real_Action("YES", 255, 0, 0);
    stopAt((start + 1500000) / 1000.0);
    runUntil((start + 1500000) / 1000.0 + 1);

    ASSERT_EQ(trace.runs.size(), 2u);
    const Trace::Run& detected = trace.runs[0];
    const Trace::Run& processed = trace.runs[1];
    // The delay's pumps, then one pump before and one at the start of the processing.
    EXPECT_EQ(processed.at - detected.at, (c.delay + 2) * 100);
    EXPECT_NEAR(processed.divisions.at(1).second - detected.divisions.at(1).second, c.grownBy, 80);
    EXPECT_EQ(processed.divisions.at(1).first, detected.divisions.at(1).first);
  }
}

// Caption colour and sounds over a whole session: start, passes, stop, a new start, destruction.
TEST_F(ListeningCycle, CaptionColourAndSoundsAcrossStartStopAndDestruction) {
  const int32_t saved = s.savedCaptionColour;
  auto caption = [this] { return sim.colours.GetSysColor(MemorySystemColours::kActiveCaption); };
  control->Play_this_file_for_Start("start.wav");
  control->Play_this_file_for_Stop("stop.wav");
  control->Play_this_file_on_Initialization("hum.wav");
  control->On_speech_show_activities("YES");
  speak(Speech().silence(800).loud(2000));
  control->InitializeSound();
  control->Start_Real_Action("YES", 255, 0, 0);
  int32_t whileListening = -1, afterStop = -1, afterSecondStart = -1;
  at(1400, [&] { whileListening = caption(); });
  stopAt(1500);
  at(1501, [&] { afterStop = caption(); });
  at(1600, [&] {
    control->Start_Real_Action("YES", 0, 0, 255);
    afterSecondStart = caption();
  });
  at(2000, [&] { control.reset(); });
  runUntil(2500);

  EXPECT_EQ(whileListening, 255);
  EXPECT_EQ(afterStop, saved);
  EXPECT_EQ(afterSecondStart, 0xFF0000);
  EXPECT_EQ(caption(), saved);
  EXPECT_EQ(sim.sounds.log(),
            (Log{"loop hum.wav", "stop", "once start.wav", "once stop.wav", "once start.wav",
                 "stop", "once stop.wav", "stop", "once start.wav", "stop"}));
  EXPECT_FALSE(sim.waveIn.isOpen());
  EXPECT_EQ(engine->captureLoopDepth, 0);
}

struct Failure {
  const char* name;
  std::function<void(ListeningCycle&)> arrange;
};

class CycleFailures : public ListeningCycle, public ::testing::WithParamInterface<Failure> {};

// A pass that cannot go on shows one box and halts the cycle; nothing waits for a done mark that
// cannot come (the simulated loop would raise SimDeadlock) and no box repeats.
TEST_P(CycleFailures, OneBoxAndTheCycleHalts) {
  GetParam().arrange(*this);
  speak(Speech().silence(800).loud(2000));
  answer("OK");
  control->Start_Real_Action("YES", 255, 0, 0);
  runUntil(5000);
  const auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, kHalted);
  EXPECT_EQ(boxes[0].title, "Parlomat Info");
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_FALSE(engine->timer3->enabled());
  EXPECT_FALSE(sim.waveIn.isOpen());
  EXPECT_EQ(engine->captureLoopDepth, 0);
  EXPECT_EQ(s.chunkBusy, 0);
  EXPECT_EQ(deviceCalls("open 8000"), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, CycleFailures,
    ::testing::Values(Failure{"InputCannotBeOpened",
                              [](ListeningCycle& f) { f.sim.waveIn.failOpen(kWaveError); }},
                      Failure{"BufferCannotBeQueued",
                              [](ListeningCycle& f) { f.sim.waveIn.failAdd(kWaveError); }},
                      Failure{"StoppedPictureCannotBeLoaded",
                              [](ListeningCycle& f) {
                                f.control->Show_Status_Animation("YES");
                                f.control->Show_this_Image_for_Stop(f.path("stopped.png"));
                                f.sim.status.badFiles.push_back(f.path("stopped.png"));
                              }},
                      Failure{"LanguageFileCannotBeOpened",
                              [](ListeningCycle& f) {
                                f.control->Enable_Artificial_Intelligence("YES");
                                f.control->Consider_this_Lang_File_to_match(
                                    f.path("no/such/folder/words"));
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

// A second start during a pass ends that pass and starts one with the settings of that moment,
// instead of running a second capture loop inside the first.
TEST_F(ListeningCycle, ASecondStartDuringAPassRestartsCleanly) {
  control->Play_this_file_for_Start("start.wav");
  speak(Speech());
  control->Start_Real_Action("YES", 255, 0, 0);
  at(300, [&] {
    control->Set_Recording_Frequency(11025);
    control->Speech_sampling_time_in_ms(500);
    control->Start_Real_Action("YES", 0, 255, 0);
  });
  int depth = -1;
  size_t bufferSize = 0;
  at(400, [&] {
    depth = engine->captureLoopDepth;
    bufferSize = s.sampleBuffer.size();
  });
  stopAt(500);
  runUntil(501);

  EXPECT_EQ(depth, 1);
  EXPECT_EQ(bufferSize, 256u + 4000u + 1u);
  EXPECT_EQ(sim.waveIn.calls(),
            (Log{"caps 0", "open 8000", "prepare", "add", "start", "stop", "reset", "unprepare",
                 "close", "caps 0", "open 11025", "prepare", "add", "start", "stop", "reset",
                 "unprepare", "close", "unprepare"}));
  EXPECT_EQ(sim.sounds.log(), (Log{"stop", "once start.wav", "stop", "once start.wav", "stop"}));
  EXPECT_EQ(sim.colours.GetSysColor(MemorySystemColours::kActiveCaption), s.savedCaptionColour);
}

// A wave file may not replace the buffer the device is filling: refused with a box, nothing
// changed; once stopped, the same request processes the file.
TEST_F(ListeningCycle, AWaveFileIsNotProcessedDuringAPass) {
  std::vector<uint8_t> samples(8000, 128);
  for (size_t p = 2000; p < 4000; ++p) samples[p] = (p / 25) % 2 ? 188 : 68;
  writeFile(dir / "word.wav", waveFileBytes(samples, kRate));
  control->Open_this_Wave_File(path("word.wav"));
  speak(Speech());
  answer("OK");
  const uint8_t* bufferBefore = nullptr;
  const uint8_t* bufferAfter = nullptr;
  std::string stopEverythingAfter;
  at(300, [&] {
    bufferBefore = s.sampleBuffer.data();
    s.stopEverything = "sentinel";
    control->Open_Specified_Wave_File_And_Process();
    bufferAfter = s.sampleBuffer.data();
    stopEverythingAfter = s.stopEverything;
    s.stopEverything = "NO";
  });
  listenUntil(500);

  const auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Parlomat Info");
  EXPECT_EQ(boxes[0].text,
            "The wave file cannot be processed while Parlomat is listening. Stop listening "
            "(Stop_Real_Action) first, then process the file.");
  EXPECT_EQ(bufferAfter, bufferBefore);
  EXPECT_EQ(stopEverythingAfter, "sentinel");
  EXPECT_EQ(s.onDemandMode, 0);
  EXPECT_TRUE(trace.runs.empty());

  control->Open_Specified_Wave_File_And_Process();
  EXPECT_EQ(s.onDemandMode, 1);
  EXPECT_EQ(s.sampleBuffer.size(), samples.size());
  EXPECT_FALSE(trace.runs.empty());
}

// An utterance whose processing a stop interrupted is not matched by the next start's first pass.
TEST_F(ListeningCycle, AStopDuringTheAnalysisLeavesNoUtteranceForTheNextStart) {
  matchWordsByLength();
  speak(Speech().silence(800).loud(2000));
  trace.onSegment = [this] {
    trace.onSegment = nullptr;
    control->Stop_Real_Action();
  };
  control->Start_Real_Action("YES", 255, 0, 0);
  at(2000, [&] { control->Start_Real_Action("YES", 255, 0, 0); });
  stopAt(2500);
  runUntil(2501);
  EXPECT_EQ(trace.segments.size(), 1u);
  EXPECT_TRUE(rankings.empty());
  EXPECT_EQ(deviceCalls("open 8000"), 2);
}

}  // namespace
}  // namespace parlomat::testing
