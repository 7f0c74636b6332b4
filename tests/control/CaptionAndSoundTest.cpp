// The caption colour and the sound cues of start, stop and destruction, and what start and stop
// do to the cycle's flags, on the simulated platform.
#include <optional>

#include "support/TestSupport.h"

namespace parlomat::testing {

namespace {
constexpr int32_t kCaption = 2;  // the active caption's element in the system colour table
using Log = std::vector<std::string>;
}  // namespace

class CaptionAndSound : public SimFixture {
 protected:
  int32_t caption() { return sim.colours.GetSysColor(kCaption); }
  void setCaption(int32_t colour) {
    int32_t index = kCaption;
    sim.colours.SetSysColors(1, &index, &colour);
  }
};

TEST_F(CaptionAndSound, CreationSavesTheCaptionColourAndChangesNothingElse) {
  setCaption(0x00123456);
  Parlomat p(engine);
  EXPECT_EQ(p.state().savedCaptionColour, 0x00123456);
  EXPECT_EQ(caption(), 0x00123456);
  EXPECT_TRUE(sim.sounds.log().empty());
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_FALSE(engine->timer3->enabled());
  EXPECT_EQ(p.state().stopEverything, "");
}

TEST_F(CaptionAndSound, StartTintsTheCaptionAndStopsSounds) {
  setCaption(0x00123456);
  Parlomat p(engine);
  p.Play_this_file_on_Initialization("/s/hum.wav");
  p.InitializeSound();
  p.Start_Real_Action("YES", 255, 0, 0);
  EXPECT_EQ(caption(), 255);
  EXPECT_EQ(sim.sounds.log(), (Log{"loop /s/hum.wav", "stop"}));
  EXPECT_EQ(p.state().savedCaptionColour, 0x00123456);

  // Red in the lowest byte, then green, then blue.
  const struct {
    uint8_t r, g, b;
    int32_t colour;
  } colours[] = {{0, 255, 0, 0x0000FF00},
                 {0, 0, 255, 0x00FF0000},
                 {1, 2, 3, 0x00030201},
                 {255, 255, 255, 0x00FFFFFF},
                 {0, 0, 0, 0}};
  for (const auto& c : colours) {
    std::vector<Variant> args = {Variant("YES"), Variant(c.r), Variant(c.g), Variant(c.b)};
    ASSERT_TRUE(p.call("Start_Real_Action", args).ok());
    EXPECT_EQ(caption(), c.colour);
  }
}

TEST_F(CaptionAndSound, StartSetsTheCycleFlags) {
  Parlomat p(engine);
  ControlState& s = p.state();
  s.onDemandMode = 1;
  s.stopEverything = "YES";
  s.stopRequested = 1;
  s.stopRecordAndReset = "YES";
  s.chunkBusy = 1;
  engine->timer3->setEnabled(true);
  p.Start_Real_Action("YES", 0, 0, 255);
  EXPECT_EQ(s.onDemandMode, 0);
  EXPECT_EQ(s.stopEverything, "NO");
  EXPECT_EQ(s.stopRequested, 0);
  EXPECT_EQ(s.stopRecordAndReset, "NO");
  EXPECT_EQ(s.chunkBusy, 0);
  EXPECT_TRUE(engine->timer5->enabled());
  EXPECT_FALSE(engine->timer3->enabled());
  p.Stop_Real_Action();
}

// Only the exact text "YES" starts: anything else changes neither colour, flags, timers nor sounds.
TEST_F(CaptionAndSound, StartWithAnyOtherFeatureDoesNothing) {
  setCaption(0x00123456);
  Parlomat p(engine);
  ControlState& s = p.state();
  p.Play_this_file_on_Initialization("/s/hum.wav");
  p.InitializeSound();
  s.stopEverything = "YES";
  s.stopRequested = 1;
  s.onDemandMode = 1;
  for (const char* feature : {"yes", "NO", "", "YES ", " YES", "Yes"}) {
    SCOPED_TRACE(feature);
    p.Start_Real_Action(feature, 255, 0, 0);
    EXPECT_EQ(caption(), 0x00123456);
    EXPECT_EQ(s.stopEverything, "YES");
    EXPECT_EQ(s.stopRequested, 1);
    EXPECT_EQ(s.onDemandMode, 1);
    EXPECT_FALSE(engine->timer5->enabled());
    EXPECT_EQ(sim.sounds.log(), (Log{"loop /s/hum.wav"}));
  }
}

// Stop restores the colour read at creation, even when the caption changed in between, then
// stops what plays and plays the stop sound.
TEST_F(CaptionAndSound, StopRestoresTheColourSavedAtCreationAndPlaysTheStopSound) {
  setCaption(0x00123456);
  Parlomat p(engine);
  p.Play_this_file_for_Stop(" /s/stop.wav ");
  p.Start_Real_Action("YES", 255, 0, 0);
  setCaption(0x0000FF00);
  sim.sounds.clear();
  p.Stop_Real_Action();
  EXPECT_EQ(caption(), 0x00123456);
  EXPECT_EQ(sim.sounds.log(), (Log{"stop", "once /s/stop.wav"}));
}

TEST_F(CaptionAndSound, StopWithoutStopSoundOnlyStopsSounds) {
  Parlomat p(engine);
  p.Play_this_file_on_Initialization("/s/hum.wav");
  p.InitializeSound();
  p.Stop_Real_Action();
  EXPECT_EQ(sim.sounds.log(), (Log{"loop /s/hum.wav", "stop"}));
}

// Stop without a start: results reset, flags set, timers off, windows closed, stop sound played.
TEST_F(CaptionAndSound, StopSetsTheStopFlagsAndResetsResults) {
  setCaption(0x00445566);
  Parlomat p(engine);
  ControlState& s = p.state();
  s.showActivities = 1;
  s.onDemandMode = 1;
  s.processingSetCount = 2;
  s.platinumSetCount = 1;
  for (int k = 1; k <= 7; ++k) {
    s.charaOfNo[k] = {"", "a", "b"};
    s.charaProbabilityOfNo[k] = {"", "9", "8"};
    s.wordOfNo[k] = {"", "w"};
    s.probableChars[k] = "ka";
    s.platinumWord[k] = "word";
    s.platinumPercent[k] = 50;
    s.platinumFont[k] = "Mangal";
    s.candidateWord[k] = "cand";
  }
  s.goldenChara = "ga";
  s.languageMatchRecord = 4;
  s.wordNo = 3;
  engine->timer5->setEnabled(true);
  engine->timer3->setEnabled(true);
  sim.status.show();
  sim.graph.show();
  sim.windows.showLanguageEditor();
  s.fileNumber = sim.files.open(path("open.Lang"), 4292);
  p.Play_this_file_for_Stop("/s/stop.wav");

  p.Stop_Real_Action();

  EXPECT_EQ(s.stopEverything, "YES");
  EXPECT_EQ(s.stopRequested, 1);
  EXPECT_EQ(s.showActivities, 0);
  EXPECT_EQ(s.stopRecordAndReset, "YES");
  EXPECT_EQ(s.onDemandMode, 0);
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_FALSE(engine->timer3->enabled());
  EXPECT_FALSE(sim.status.isOpen());
  EXPECT_FALSE(sim.graph.isOpen());
  EXPECT_FALSE(sim.windows.languageEditorOpen());
  EXPECT_EQ(s.fileNumber, nullptr);
  EXPECT_EQ(sim.files.openCount(), 0);
  EXPECT_EQ(caption(), 0x00445566);
  EXPECT_EQ(sim.sounds.log(), (Log{"stop", "once /s/stop.wav"}));
  for (int k = 1; k <= 7; ++k) {
    EXPECT_TRUE(s.charaOfNo[k].empty());
    EXPECT_TRUE(s.charaProbabilityOfNo[k].empty());
    EXPECT_EQ(s.probableChars[k], "");
    EXPECT_EQ(s.platinumWord[k], "");
    EXPECT_EQ(s.platinumPercent[k], 0);
    EXPECT_EQ(s.candidateWord[k], "");
    // Kept: fonts, word arrays.
    EXPECT_EQ(s.platinumFont[k], "Mangal");
    EXPECT_EQ(s.wordOfNo[k].size(), 2u);
  }
  EXPECT_EQ(s.goldenChara, "");
  EXPECT_EQ(s.languageMatchRecord, 0);
  EXPECT_EQ(s.wordNo, 3);

  // The character arrays are gone but their count stays: the getter fails.
  EXPECT_EQ(p.Current_Processings_Available(), 2);
  p.Send_of_no(1);
  EXPECT_EQ(p.call("Is_this_Chara_of_no_1").errorCode, errors::kSubscriptOutOfRange);
  EXPECT_EQ(p.Is_this_Word_of_no_1(), "w");
}

// Destruction restores the colour saved at creation and stops sounds, with no stop sound.
TEST_F(CaptionAndSound, DestructionRestoresWithoutAStopSound) {
  setCaption(0x00123456);
  {
    Parlomat p(engine);
    p.Play_this_file_for_Stop("/s/stop.wav");
    p.Play_this_file_on_Initialization("/s/hum.wav");
    p.InitializeSound();
    p.Start_Real_Action("YES", 255, 0, 0);
    EXPECT_EQ(caption(), 255);
    setCaption(0x0000FF00);
    p.InitializeSound();
    sim.sounds.clear();
    sim.status.show();
  }
  EXPECT_EQ(caption(), 0x00123456);
  EXPECT_EQ(sim.sounds.log(), (Log{"stop"}));
  EXPECT_FALSE(sim.status.isOpen());
  EXPECT_EQ(engine->state.stopEverything, "YES");
  EXPECT_EQ(engine->state.stopRecordAndReset, "YES");
  EXPECT_EQ(engine->state.stopRequested, 1);
}

// The whole sequence of cues from initialization to stop.
TEST_F(CaptionAndSound, SoundCueSequence) {
  Parlomat p(engine);
  p.InitializeSound();  // no initialization sound set: nothing plays
  EXPECT_TRUE(sim.sounds.log().empty());
  p.Play_this_file_on_Initialization("/s/hum.wav");
  p.Play_this_file_for_Stop("/s/stop.wav");
  p.InitializeSound();
  p.Play_File("/s/ding.wav");
  p.Start_Real_Action("YES", 10, 20, 30);
  p.Stop_Real_Action();
  EXPECT_EQ(sim.sounds.log(),
            (Log{"loop /s/hum.wav", "once /s/ding.wav", "stop", "stop", "once /s/stop.wav"}));
}

// A colour class that cannot be created is reported to the routine that asked; the stop still
// ends everything else first, and destruction carries on silently.
TEST_F(CaptionAndSound, MissingColourClassIsReportedToTheCaller) {
  Parlomat p(engine);
  p.Play_this_file_for_Stop("/s/stop.wav");
  p.state().fileNumber = sim.files.open(path("open.SAY"), 9634);
  engine->timer5->setEnabled(true);
  sim.registry.registerLibrary("Chromaset.ColorAttack", "libNoSuchColours.so");

  std::optional<int> code;
  try {
    Parlomat second(engine);
  } catch (const DispatchError& e) {
    code = e.code();
  }
  EXPECT_EQ(code, errors::kCannotCreate);

  CallResult start =
      p.call("Start_Real_Action", std::vector<Variant>{Variant("YES"), Variant(uint8_t{1}),
                                                       Variant(uint8_t{2}), Variant(uint8_t{3})});
  EXPECT_EQ(start.errorCode, errors::kCannotCreate);

  sim.sounds.clear();
  CallResult stop = p.call("Stop_Real_Action");
  EXPECT_EQ(stop.errorCode, errors::kCannotCreate);
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_EQ(sim.files.openCount(), 0);
  EXPECT_EQ(sim.sounds.log(), (Log{"stop", "once /s/stop.wav"}));
}

TEST_F(CaptionAndSound, ShowLanguageEditorSetsOnDemandMode) {
  Parlomat p(engine);
  p.Show_Language_Editor();
  EXPECT_EQ(p.state().onDemandMode, 1);
  EXPECT_TRUE(sim.windows.languageEditorOpen());
  p.Show_Vocabulary_Editor();
  EXPECT_EQ(sim.windows.log, (Log{"language editor", "vocabulary splash"}));
}

}  // namespace parlomat::testing
