// The setters of the control's write-only properties: the switch kinds, the clamps and tables,
// the file names and their boxes. Setters are called by name, as hosts call them.
#include <climits>

#include "control/Delayer.h"
#include "support/TestSupport.h"

namespace parlomat::testing {

namespace {

enum class SwitchKind { YesSwitch, Exact, YesOnly };

struct SwitchMember {
  const char* member;
  std::string ControlState::*field;
  SwitchKind kind;
};

const SwitchMember kSwitches[] = {
    {"Notify_if_no_language_match", &ControlState::notifyIfNoLanguageMatch, SwitchKind::YesSwitch},
    {"Enable_Artificial_Intelligence", &ControlState::artificialIntelligence,
     SwitchKind::YesSwitch},
    {"Add_To_Language", &ControlState::addToLanguage, SwitchKind::YesSwitch},
    {"Enable_Unrecognizable_Notification", &ControlState::unrecognizableNotification,
     SwitchKind::YesSwitch},
    {"Enable_Anytime_Vocabulary_Addition", &ControlState::anytimeVocabularyAddition,
     SwitchKind::YesSwitch},
    {"Multiple_Files", &ControlState::multipleFiles, SwitchKind::Exact},
    {"This_speech_sample_process_start_only", &ControlState::processStartOnly, SwitchKind::Exact},
    {"This_speech_sample_process_middle_only", &ControlState::processMiddleOnly, SwitchKind::Exact},
    {"This_speech_sample_process_end_only", &ControlState::processEndOnly, SwitchKind::Exact},
    {"This_speech_reprocess", &ControlState::reprocess, SwitchKind::Exact},
    {"Send_words_one_by_one", &ControlState::wordsOneByOne, SwitchKind::Exact},
    {"Stop_everything_now", &ControlState::stopEverything, SwitchKind::Exact},
    {"Stop_record_and_reset", &ControlState::stopRecordAndReset, SwitchKind::Exact},
    {"This_Audio_Process", &ControlState::audioProcess, SwitchKind::Exact},
    {"Show_Audio_Graph", &ControlState::audioGraph, SwitchKind::Exact},
    {"Speech_echo_feature", &ControlState::speechEcho, SwitchKind::Exact},
    {"Memory_Clean", &ControlState::memoryClean, SwitchKind::Exact},
    {"Show_Status_Animation", &ControlState::statusAnimation, SwitchKind::YesOnly},
};

std::string afterSwitch(SwitchKind kind, const std::string& before, const std::string& given) {
  if (given == "YES") return "YES";
  switch (kind) {
    case SwitchKind::YesSwitch:
      return "NO";
    case SwitchKind::Exact:
      return given == "NO" ? "NO" : before;
    case SwitchKind::YesOnly:
      return before;
  }
  return before;
}

}  // namespace

class SetterRules : public SimFixture {
 protected:
  // The single box the last setter showed, which the test answered with OK beforehand.
  DialogRecord onlyBox() {
    EXPECT_EQ(sim.dialogs.pending(), 0u) << "the expected box was not shown";
    auto boxes = takeBoxes();
    EXPECT_EQ(boxes.size(), 1u);
    return boxes.empty() ? DialogRecord{} : boxes.front();
  }
};

// Every switch member against every kind of text, from each of the three starting values.
TEST_F(SetterRules, SwitchKindsOverEverySwitchMember) {
  Parlomat p(engine);
  const std::string starts[] = {"", "YES", "NO"};
  const std::string givens[] = {"YES", "NO", "yes", "no", "Yes", "", " YES", "YES ", "maybe"};
  for (const auto& sw : kSwitches) {
    for (const auto& before : starts) {
      for (const auto& given : givens) {
        SCOPED_TRACE(std::string(sw.member) + " from '" + before + "' given '" + given + "'");
        p.state().*sw.field = before;
        p.put(sw.member, Variant(given));
        EXPECT_EQ(p.state().*sw.field, afterSwitch(sw.kind, before, given));
      }
    }
  }
  EXPECT_TRUE(takeBoxes().empty());
}

// The two switches held as numbers: 1 for "YES"; other texts give 0 or leave the value.
TEST_F(SetterRules, NumericSwitches) {
  Parlomat p(engine);
  struct Case {
    const char* member;
    int16_t ControlState::*field;
    int16_t before;
    const char* given;
    int16_t after;
  };
  const Case cases[] = {
      {"Add_To_Vocabulary", &ControlState::addToVocabulary, 0, "YES", 1},
      {"Add_To_Vocabulary", &ControlState::addToVocabulary, 1, "NO", 0},
      {"Add_To_Vocabulary", &ControlState::addToVocabulary, 1, "yes", 0},
      {"Add_To_Vocabulary", &ControlState::addToVocabulary, 1, "", 0},
      {"On_speech_show_activities", &ControlState::showActivities, 0, "YES", 1},
      {"On_speech_show_activities", &ControlState::showActivities, 1, "NO", 1},
      {"On_speech_show_activities", &ControlState::showActivities, 1, "yes", 1},
      {"On_speech_show_activities", &ControlState::showActivities, 0, "NO", 0},
      {"On_speech_show_activities", &ControlState::showActivities, 0, "yes", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.member) + " given '" + c.given + "'");
    p.state().*c.field = c.before;
    p.put(c.member, Variant(c.given));
    EXPECT_EQ(p.state().*c.field, c.after);
  }
}

TEST_F(SetterRules, SamplingTimeIsClampedWithItsBoxes) {
  Parlomat p(engine);
  const char* kMax = "Maximum recommended sample time is 60000 ms.";
  const char* kInvalid = "Invalid sample time. Assigning default 5000 ms";
  struct Case {
    int32_t given;
    int32_t ms;
    int32_t bytes;
    const char* box;  // null: no box
  };
  const Case cases[] = {
      {70000, 60000, 480000, kMax},       {60001, 60000, 480000, kMax},
      {INT32_MAX, 60000, 480000, kMax},   {60000, 60000, 480000, nullptr},
      {1000, 1000, 8000, nullptr},        {50, 50, 400, nullptr},
      {49, 5000, 40000, kInvalid},        {30, 5000, 40000, kInvalid},
      {0, 5000, 40000, kInvalid},         {-1, 5000, 40000, kInvalid},
      {INT32_MIN, 5000, 40000, kInvalid},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.given);
    if (c.box) answer("OK");
    p.Speech_sampling_time_in_ms(c.given);
    EXPECT_EQ(p.state().samplingTimeMs, c.ms);
    EXPECT_EQ(p.state().sampleCount, c.bytes);
    if (c.box) {
      DialogRecord box = onlyBox();
      EXPECT_EQ(box.text, c.box);
      EXPECT_EQ(box.title, "Parlomat Info.");
      EXPECT_EQ(box.buttons, Buttons::Ok);
      EXPECT_EQ(box.icon, Icon::Information);
    } else {
      EXPECT_TRUE(takeBoxes().empty());
    }
  }
}

// The capture rate does not change the 8 bytes per millisecond.
TEST_F(SetterRules, SampleCountIgnoresTheRecordingFrequency) {
  Parlomat p(engine);
  p.Set_Recording_Frequency(44100);
  p.Speech_sampling_time_in_ms(2000);
  EXPECT_EQ(p.state().sampleCount, 16000);
}

TEST_F(SetterRules, RecordingFrequency) {
  Parlomat p(engine);
  const std::pair<int32_t, int32_t> cases[] = {
      {5500, 5500},   {8000, 8000},   {11025, 11025}, {44100, 44100}, {22050, 22050},
      {16000, 22050}, {48000, 22050}, {0, 22050},     {-8000, 22050}, {11024, 22050},
  };
  for (const auto& [given, stored] : cases) {
    p.state().recordingFrequency = 1;
    p.Set_Recording_Frequency(given);
    EXPECT_EQ(p.state().recordingFrequency, stored) << given;
  }
}

TEST_F(SetterRules, DigitalSignalProcessingLevel) {
  Parlomat p(engine);
  const std::pair<const char*, int16_t> cases[] = {
      {"Top", 1024}, {"Up", 512},   {"Middle", 256}, {"top", 128}, {"TOP", 128},
      {" Top", 128}, {"Down", 128}, {"middle", 128}, {"", 128},    {"1024", 128},
  };
  for (const auto& [given, level] : cases) {
    p.state().dspLevel = 7;
    p.put("Keep_Digital_Signal_Processing_level", Variant(given));
    EXPECT_EQ(p.state().dspLevel, level) << given;
  }
}

TEST_F(SetterRules, ProcessingResolution) {
  Parlomat p(engine);
  const std::pair<const char*, int32_t> cases[] = {
      {"COMPLETE", 0},
      {"2.5", 2},
      {"3.5", 4},
      {"abc", 0},
      {"12abc", 12},
      {" 7", 7},
      {"-3", -3},
      {"complete", 0},
      {"", 0},
      {"1e3", 1000},
      // A number beyond the field is held at its limit instead of wrapping.
      {"99999999999", INT32_MAX},
      {"-99999999999", INT32_MIN},
  };
  for (const auto& [given, stored] : cases) {
    p.state().processingResolution = 77;
    p.put("Sample_processing_resolution", Variant(given));
    EXPECT_EQ(p.state().processingResolution, stored) << given;
  }
}

// Plain numbers are stored as given, negative ones too.
TEST_F(SetterRules, PlainNumbersAreStored) {
  Parlomat p(engine);
  for (int32_t v : {0, 3, -1, 32767, -32768}) {
    p.put("Send_of_no", Variant(v));
    p.put("Number_of_files_to_scan", Variant(v));
    p.put("Voice_Grab_Delay", Variant(v));
    EXPECT_EQ(p.state().sendIndex, v);
    EXPECT_EQ(p.state().filesToScan, v);
    EXPECT_EQ(p.state().voiceGrabDelay, v);
  }
  p.Send_of_no(INT32_MIN);
  EXPECT_EQ(p.state().sendIndex, INT32_MIN);
}

TEST_F(SetterRules, EntryMatchingAccuracyTable) {
  Parlomat p(engine);
  using T = std::array<int16_t, 4>;
  const std::pair<const char*, T> cases[] = {
      {"VERY HIGH", {0, 0, 0, 0}}, {"HIGHER", {1, 0, 0, 0}}, {"HIGH", {1, 1, 0, 0}},
      {"MEDIUM", {1, 1, 1, 0}},    {"LOW", {1, 1, 1, 1}},    {"VERY LOW", {1, 1, 1, 1}},
  };
  for (const auto& [text, expected] : cases) {
    SCOPED_TRACE(text);
    for (int k = 1; k <= 4; ++k) p.state().entryTolerance[k] = 1 - expected[k - 1];
    p.put("Keep_Entry_Matching_Accuracy", Variant(text));
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(p.state().entryTolerance[k], expected[k - 1]) << k;
  }
  for (const char* other : {"very high", "LOWEST", "", " LOW", "VERY  LOW"}) {
    SCOPED_TRACE(other);
    const T before = {1, 0, 1, 0};
    for (int k = 1; k <= 4; ++k) p.state().entryTolerance[k] = before[k - 1];
    p.put("Keep_Entry_Matching_Accuracy", Variant(other));
    for (int k = 1; k <= 4; ++k) EXPECT_EQ(p.state().entryTolerance[k], before[k - 1]) << k;
  }
}

TEST_F(SetterRules, ScanAccuracyTable) {
  Parlomat p(engine);
  struct Case {
    const char* text;
    int16_t up, down;
  };
  const Case cases[] = {
      {"VERY STRICT", 0, 0},        {"STRICT", 1, -1},
      {"FLEXIBLE", 2, -2},          {"VERY FLEXIBLE", 3, -3},
      {"SCAN NEARLY ALL", 64, -64}, {"SCAN ALL", 128, -128},
      {"scan all", 99, -99},        {"", 99, -99},
      {"VERY STRICT ", 99, -99},    {"LOOSE", 99, -99},
  };
  for (const auto& c : cases) {
    p.state().scanToleranceUp = 99;
    p.state().scanToleranceDown = -99;
    p.put("Keep_Matching_Files_Entries_Scan_Accuracy", Variant(c.text));
    EXPECT_EQ(p.state().scanToleranceUp, c.up) << c.text;
    EXPECT_EQ(p.state().scanToleranceDown, c.down) << c.text;
  }
}

// Never set, both tables read as their strictest row.
TEST_F(SetterRules, UnsetAccuracyIsTheStrictest) {
  Parlomat p(engine);
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(p.state().entryTolerance[k], 0);
  EXPECT_EQ(p.state().scanToleranceUp, 0);
  EXPECT_EQ(p.state().scanToleranceDown, 0);
}

// The file-name setters: the extension is appended blindly; an empty name shows its box where
// it has one.
TEST_F(SetterRules, FileNamesAndTheirBoxes) {
  Parlomat p(engine);
  const std::string newSay = sim.platform().controlFolder + "/New.SAY";
  struct Case {
    const char* member;
    std::string ControlState::*field;
    const char* given;
    std::string stored;  // with the field set to "old" first
    const char* box;     // null: no box
    Icon icon;
  };
  const Case cases[] = {
      {"Consider_this_Lang_File_to_match", &ControlState::languageFileToMatch, "/d/words",
       "/d/words.Lang", nullptr, Icon::None},
      {"Consider_this_Lang_File_to_match", &ControlState::languageFileToMatch, "w.Lang",
       "w.Lang.Lang", nullptr, Icon::None},
      {"Consider_this_Lang_File_to_match", &ControlState::languageFileToMatch, " ", " .Lang",
       nullptr, Icon::None},
      {"Consider_this_Lang_File_to_match", &ControlState::languageFileToMatch, "", "old",
       "Invalid FileName for Language to match", Icon::Critical},
      {"Consider_this_Lang_File_to_Add", &ControlState::languageFileToAdd, "/d/more",
       "/d/more.Lang", nullptr, Icon::None},
      {"Consider_this_Lang_File_to_Add", &ControlState::languageFileToAdd, "", "old",
       "Invalid FileName for Language to add", Icon::Critical},
      {"Consider_this_Vocabulary_to_Add", &ControlState::vocabularyFileToAdd, "/d/voc",
       "/d/voc.SAY", nullptr, Icon::None},
      {"Consider_this_Vocabulary_to_Add", &ControlState::vocabularyFileToAdd, "v.SAY", "v.SAY.SAY",
       nullptr, Icon::None},
      {"Consider_this_Vocabulary_to_Add", &ControlState::vocabularyFileToAdd, "", newSay,
       "Invalid FileName for vocabulary to add", Icon::Critical},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.member) + " given '" + c.given + "'");
    p.state().*c.field = "old";
    if (c.box) answer("OK");
    p.put(c.member, Variant(c.given));
    EXPECT_EQ(p.state().*c.field, c.stored);
    if (c.box) {
      DialogRecord box = onlyBox();
      EXPECT_EQ(box.text, c.box);
      EXPECT_EQ(box.title, "Parlomat User Error");
      EXPECT_EQ(box.buttons, Buttons::Ok);
      EXPECT_EQ(box.icon, c.icon);
    } else {
      EXPECT_TRUE(takeBoxes().empty());
    }
  }
}

// Ten vocabulary slots; only slot 1 insists on a name.
TEST_F(SetterRules, VocabularySlots) {
  Parlomat p(engine);
  const char* members[] = {nullptr,
                           "Consider_This_Vocabulary_To_Match_Fileno_1",
                           "Consider_This_Vocabulary_To_Match_Fileno_2",
                           "Consider_This_Vocabulary_To_Match_Fileno_3",
                           "Consider_This_Vocabulary_To_Match_Fileno_4",
                           "Consider_This_Vocabulary_To_Match_Fileno_5",
                           "Consider_This_Vocabulary_To_Match_Fileno_6",
                           "Consider_This_Vocabulary_To_Match_Fileno_7",
                           "Consider_This_Vocabulary_To_Match_Fileno_8",
                           "Consider_This_Vocabulary_To_Match_Fileno__9",
                           "Consider_This_Vocabulary_To_Match_Fileno_10"};
  auto& slots = p.state().matchVocabularyFile;
  for (int k = 1; k <= 10; ++k) {
    p.put(members[k], Variant("/v/file" + std::to_string(k)));
  }
  for (int k = 1; k <= 10; ++k) EXPECT_EQ(slots[k], "/v/file" + std::to_string(k) + ".SAY");

  for (int k = 2; k <= 10; ++k) {
    p.put(members[k], Variant(""));
    EXPECT_EQ(slots[k], "") << k;
    EXPECT_EQ(slots[1], "/v/file1.SAY") << k;
    if (k < 10) {
      EXPECT_EQ(slots[k + 1], "/v/file" + std::to_string(k + 1) + ".SAY") << k;
    }
  }
  EXPECT_TRUE(takeBoxes().empty());

  answer("OK");
  p.put(members[1], Variant(""));
  EXPECT_EQ(slots[1], sim.platform().controlFolder + "/New.SAY");
  DialogRecord box = onlyBox();
  EXPECT_EQ(box.text,
            "FileName no.1, is necessary for vocabulary to match in processing mode, giving "
            "default New (.SAY)");
  EXPECT_EQ(box.title, "Parlomat User Error");
  EXPECT_EQ(box.buttons, Buttons::Ok);
  EXPECT_EQ(box.icon, Icon::Exclamation);
}

// Picture and sound paths are trimmed; the wave file name is kept as given.
TEST_F(SetterRules, PathsAreTrimmedExceptTheWaveFile) {
  Parlomat p(engine);
  struct Case {
    const char* member;
    std::string ControlState::*field;
  };
  const Case trimmed[] = {
      {"Show_this_Image_for_Start", &ControlState::startImagePath},
      {"Show_this_Image_for_Stop", &ControlState::stopImagePath},
      {"Play_this_file_for_Start", &ControlState::startSoundPath},
      {"Play_this_file_for_Stop", &ControlState::stopSoundPath},
      {"Play_this_file_on_Initialization", &ControlState::initializationSoundPath},
  };
  for (const auto& c : trimmed) {
    SCOPED_TRACE(c.member);
    p.put(c.member, Variant("  /a dir/cue file.wav  "));
    EXPECT_EQ(p.state().*c.field, "/a dir/cue file.wav");
    p.put(c.member, Variant("   "));
    EXPECT_EQ(p.state().*c.field, "");
  }
  p.put("Open_this_Wave_File", Variant("  /w/take 1.wav "));
  EXPECT_EQ(p.state().waveFileToOpen, "  /w/take 1.wav ");
  EXPECT_TRUE(takeBoxes().empty());
}

namespace {
void fillResults(ControlState& s) {
  for (int k = 1; k <= 7; ++k) {
    s.probableChars[k] = "c" + std::to_string(k);
    s.probableCharsPercent[k] = std::to_string(10 * k);
    s.platinumWord[k] = "w" + std::to_string(k);
    s.platinumPercent[k] = static_cast<int16_t>(k);
    s.platinumFont[k] = "Font" + std::to_string(k);
    s.wordOfNo[k] = {"", "x"};
    s.charaOfNo[k] = {"", "y"};
  }
  s.goldenChara = "ka";
  s.goldenCharaPoints = "95";
  s.processingSetCount = 1;
  s.platinumSetCount = 1;
}
}  // namespace

// "YES" cleans the published results at once; other texts clean nothing.
TEST_F(SetterRules, MemoryCleanYesCleansResults) {
  Parlomat p(engine);
  ControlState& s = p.state();
  for (const char* given : {"NO", "yes", "", "YES"}) {
    SCOPED_TRACE(given);
    fillResults(s);
    p.put("Memory_Clean", Variant(given));
    bool cleaned = std::string(given) == "YES";
    for (int k = 1; k <= 7; ++k) {
      EXPECT_EQ(s.probableChars[k].empty(), cleaned) << k;
      EXPECT_EQ(s.probableCharsPercent[k].empty(), cleaned) << k;
      EXPECT_EQ(s.platinumWord[k].empty(), cleaned) << k;
      EXPECT_EQ(s.platinumPercent[k], cleaned ? 0 : k) << k;
      // Fonts and ranked sets are not results of the last utterance: they stay.
      EXPECT_EQ(s.platinumFont[k], "Font" + std::to_string(k));
      EXPECT_EQ(s.wordOfNo[k].size(), 2u);
      EXPECT_EQ(s.charaOfNo[k].size(), 2u);
    }
    EXPECT_EQ(s.goldenChara.empty(), cleaned);
    EXPECT_EQ(s.goldenCharaPoints.empty(), cleaned);
    EXPECT_EQ(s.processingSetCount, 1);
  }
}

// Any text, even one the switch ignores, first stops the sound that is playing.
TEST_F(SetterRules, StopRecordAndResetStopsSoundsWithAnyText) {
  Parlomat p(engine);
  p.Play_this_file_on_Initialization("/s/hum.wav");
  for (const char* given : {"YES", "NO", "whatever", ""}) {
    SCOPED_TRACE(given);
    sim.sounds.clear();
    p.InitializeSound();
    p.put("Stop_record_and_reset", Variant(given));
    EXPECT_EQ(sim.sounds.log(), (std::vector<std::string>{"loop /s/hum.wav", "stop"}));
  }
}

// Setters never fail: odd values are absorbed, and only the named boxes appear.
TEST_F(SetterRules, SettersNeverFail) {
  Parlomat p(engine);
  sim.dialogs.setStrict(false);
  for (const auto& m : p.members()) {
    if (m.kind != MemberKind::Put || m.type != ValueType::Text) continue;
    SCOPED_TRACE(m.name);
    for (const char* odd : {"", "\xff\xfe", "YES\n", "-1"}) {
      CallResult r = p.call(m.name, std::vector<Variant>{Variant(odd)});
      EXPECT_TRUE(r.ok()) << r.errorText;
    }
  }
  for (const auto& box : takeBoxes()) {
    EXPECT_TRUE(box.title == "Parlomat User Error") << box.title << ": " << box.text;
  }
}

}  // namespace parlomat::testing
