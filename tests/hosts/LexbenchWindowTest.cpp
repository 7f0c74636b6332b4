#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "tests/hosts/HostTestSupport.h"

namespace parlomat::testing {
namespace {

using namespace lexbench;

const std::string kSaveQuestion = "Ready to save current settings ? ";
const std::string kSaveTitle = "Parlomat Speech Recognition Development";

class Lexbench : public LexbenchFixture {
 protected:
  void SetUp() override { makeWindow(); }
  std::string in(const std::string& name) const { return folder() + "/" + name; }
  // The record bytes at `offset`, as text.
  std::string fileText(size_t offset, size_t width) const {
    auto bytes = readFile(settingsPath());
    if (bytes.size() < offset + width) return "<short file>";
    return std::string(bytes.begin() + static_cast<long>(offset),
                       bytes.begin() + static_cast<long>(offset + width));
  }
};

TEST_F(Lexbench, StartsWithStartAndSaveDisabledAndEveryItemNamedAndCaptioned) {
  EXPECT_EQ(window->objectName(), "Form1");
  EXPECT_EQ(window->windowTitle(), "Parlomat : Basic Vocabulary and Language Development.");
  EXPECT_FALSE(action("mnuSSS")->isEnabled());
  EXPECT_FALSE(widget<QToolButton>("Command4")->isEnabled());
  EXPECT_TRUE(window->toggleFlag());
  EXPECT_FALSE(window->settingsFileOpen());

  const std::pair<const char*, const char*> captions[] = {
      {"mnuOS", "&Open Settings "},
      {"mnuOSO", "&Open "},
      {"mnuSS", "&Save Settings"},
      {"mnuSSS", "&Save"},
      {"mnuIS", "&Initial Settings"},
      {"mnuISmc", "&Memory Clean"},
      {"mnuISsa", "&Stop_All"},
      {"mnuINS", "&Interesting Settings"},
      {"mnuINSpst", "&Play Start File :"},
      {"mnuINSpso", "&Play Stop File :"},
      {"mnuINSes", "&Echo  speech"},
      {"mnuINSsani", "&Status Animation "},
      {"mnuINSag", "&Audio Graph"},
      {"mnuINSsaos", "&Show Activities on speech"},
      {"mnuTS", "&Technical Settings"},
      {"mnuTSvcd", "&Voice Capture Delay"},
      {"mnuTSsct", "&Speech Capture Time"},
      {"mnuTSdspr", "&DSP Resolution"},
      {"mnuTSdspl", "&DSP Level"},
      {"mnudsptop", "&Top"},
      {"mnuDSPup", "&Up"},
      {"mnuDSPmid", "&Middle"},
      {"mnuDSPDown", "&Down"},
      {"mnuBVS", "&Basic Vocabulary Settings"},
      {"mnuBVSNINM", "&Notify if no match"},
      {"mnuBVSfca", "&File Scan Accuracy"},
      {"mnuFSAVS", "&Very Strict"},
      {"mnuFSAS", "&Strict"},
      {"mnuFSAF", "&Flexible"},
      {"mnuFSAVF", "&Very Flexible"},
      {"mnuFSASNA", "&Scan Nearly All"},
      {"mnuFSASA", "&Scan All"},
      {"mnuBVSema", "&Entry Matching Accuracy"},
      {"mnuEMAVH", "&Very High"},
      {"mnuEMAHI", "&Higher"},
      {"mnuEMAH", "&High"},
      {"mnuEMAM", "&Medium"},
      {"mnuEMAL", "&Low"},
      {"mnuEMAVL", "&Very Low"},
      {"mnuBVSfta", "&File to Add :"},
      {"mnuNOFTM", "&Number of Files to match "},
      {"mnuBVSftm1", "&File to match no 1 :"},
      {"mnuBVSftm2", "&File to match no 2 :"},
      {"mnuBVSftm3", "&File to match no 3 :"},
      {"mnuBVSftm4", "&File to match no 4 :"},
      {"mnuBVSftm5", "&File to match no 5 :"},
      {"mnuBVSps", "&Process only Start"},
      {"mnuBVSpm", "&Process only Middle"},
      {"mnuBVSpe", "&Process only End"},
      {"mnuLS", "&Language Settings"},
      {"mnuLSeai", "&Enable Artificial Intelligence "},
      {"mnuLSacf", "&Add current to file"},
      {"mnuLSnnom", "&Notify if no language match"},
      {"mnuLSfta", "&File to Add :"},
      {"mnuLSftm", "&File to match :"},
      {"mnuabo", "&About"},
      {"mnuab(1)", "&About "},
      {"mnuCU", "&Coming up"},
      {"mnuCUG", "&Coming Parlomat Upgradations"},
  };
  for (const auto& [name, text] : captions) {
    EXPECT_EQ(caption(name), QString::fromLatin1(text)) << name;
    EXPECT_FALSE(checked(name)) << name;
  }

  const std::pair<const char*, const char*> tips[] = {
      {"LabResult",
       "Displays the final word (rated Platinum no.1) after interactions with the basic string "
       "level AI you have setup. "},
      {"Text1", "Basic Vocabulary  characters rated No.1 "},
      {"Text4", "Basic Vocabulary  characters rated No.2  %"},
      {"Text12", "Platinum second rated characters found  %"},
      {"Label1(5)", "Basic Vocabulary  characters rated No.1 with %"},
      {"Label1(0)", "Platinum second rated characters found with %"},
      {"Command4", "Starts Recording"},
      {"Command1", "Stops Recording"},
      {"Command2", "Adds to the specified 'Basic Vocabulary' file"},
      {"Command3", "Disables addition to the specified 'Basic Vocabulary' file"},
      {"Command5", "Ends this program"},
  };
  for (const auto& [name, tip] : tips) {
    QWidget* w = window->findChild<QWidget*>(name);
    ASSERT_NE(w, nullptr) << name;
    EXPECT_EQ(w->toolTip(), QString::fromLatin1(tip)) << name;
  }
  for (int i = 1; i <= 12; ++i) widget<QLineEdit>("Text" + std::to_string(i));
  for (const char* name : {"Label2", "Label3", "Label4"}) widget<QLabel>(name);
  EXPECT_EQ(widget<QLabel>("Label1(6)")->text(), "No.of Words :");
  EXPECT_EQ(widget<QLabel>("Label1(7)")->text(), "Current No. Processed :");
  EXPECT_EQ(widget<QLabel>("Label1(8)")->text(), "Bytes length of the word :");
  for (int i = 0; i <= 5; ++i) widget<QGroupBox>("Label1(" + std::to_string(i) + ")");
  ASSERT_NE(window->findChild<QWidget*>("Parlomat1"), nullptr);
  auto* timer = window->findChild<QTimer*>("Timer1");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 100);
  EXPECT_FALSE(timer->isActive());

  // Start is refused while disabled: nothing reaches the control.
  click("Command4");
  EXPECT_TRUE(takeCalls().empty());
  EXPECT_FALSE(timer->isActive());
}

TEST_F(Lexbench, LoadOfANewEmptyFileAppliesNothingAndStartSendsTheThirtyStepsInOrder) {
  trigger("mnuOSO");
  EXPECT_TRUE(takeCalls().empty()) << "an empty file applies nothing";
  EXPECT_EQ(readFile(settingsPath()).size(), 0u) << "opening creates the file empty";
  EXPECT_EQ(window->recordNumber(), 1);
  EXPECT_TRUE(action("mnuSSS")->isEnabled());
  EXPECT_TRUE(widget<QToolButton>("Command4")->isEnabled());
  EXPECT_FALSE(window->toggleFlag());
  for (const std::string& w : window->workingSettings()) EXPECT_EQ(w, "");
  EXPECT_EQ(caption("mnuISmc"), "&Memory Clean");
  EXPECT_FALSE(checked("mnuISmc"));

  // The control's own box about the zero sampling time comes from the real control.
  answer("OK");
  click("Command4");
  const std::string f = folder() + "/";
  const std::vector<std::string> expected = {
      "This_Audio_Process text:YES",
      "Memory_Clean text:YES",
      "Stop_everything_now text:NO",
      "Enable_Unrecognizable_Notification text:NO",
      "Play_this_file_for_Start text:" + f,
      "Play_this_file_for_Stop text:" + f,
      "Speech_echo_feature text:NO",
      "Show_Status_Animation text:YES",
      "On_speech_show_activities text:NO",
      "Show_Audio_Graph text:NO",
      "Voice_Grab_Delay double:0",
      "Set_Recording_Frequency int16:22050",
      "Speech_sampling_time_in_ms double:0",
      "Sample_processing_resolution double:0",
      "Keep_Digital_Signal_Processing_level text:",
      "Send_words_one_by_one text:YES",
      "Keep_Matching_Files_Entries_Scan_Accuracy text:",
      "Keep_Entry_Matching_Accuracy text:",
      "Consider_this_Vocabulary_to_Add text:" + f,
      "Number_of_files_to_scan double:0",
      "Consider_This_Vocabulary_To_Match_Fileno_1 text:" + f,
      "Consider_This_Vocabulary_To_Match_Fileno_2 text:" + f,
      "Multiple_Files text:YES",
      "Consider_This_Vocabulary_To_Match_Fileno_3 text:" + f,
      "Multiple_Files text:YES",
      "Consider_This_Vocabulary_To_Match_Fileno_4 text:" + f,
      "Multiple_Files text:YES",
      "Consider_This_Vocabulary_To_Match_Fileno_5 text:" + f,
      "Multiple_Files text:YES",
      "This_speech_sample_process_start_only text:NO",
      "This_speech_sample_process_middle_only text:NO",
      "This_speech_sample_process_end_only text:NO",
      "Enable_Artificial_Intelligence text:YES",
      "Add_To_Language text:NO",
      "Notify_if_no_language_match text:NO",
      "Consider_this_Lang_File_to_Add text:" + f,
      "Consider_this_Lang_File_to_match text:" + f,
      "Start_Real_Action text:YES byte:255 byte:0 byte:0",
  };
  EXPECT_EQ(takeCalls(), expected);
  EXPECT_TRUE(window->findChild<QTimer*>("Timer1")->isActive());
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Parlomat Info.");

  // The real control took every value: the cycle is armed with the host's settings.
  const ControlState& s = engine->state;
  EXPECT_TRUE(engine->timer5->enabled());
  EXPECT_EQ(s.recordingFrequency, 22050);
  EXPECT_EQ(s.matchVocabularyFile[1], f + ".SAY");
  EXPECT_EQ(s.multipleFiles, "YES");
  EXPECT_EQ(s.languageFileToMatch, f + ".Lang");
}

TEST_F(Lexbench, SaveNoWritesNothingAndYesWritesTheRecordThenAppliesIt) {
  load();
  trigger("mnuDSPmid");
  answer("250");
  trigger("mnuTSdspr");
  takeCalls();
  takeBoxes();

  answer("No");
  answer("OK");
  trigger("mnuSSS");
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, kSaveQuestion);
  EXPECT_EQ(boxes[0].title, kSaveTitle);
  EXPECT_EQ(boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(boxes[1].text, "Save later");
  EXPECT_EQ(boxes[1].title, "Parlomat");
  EXPECT_EQ(boxes[1].buttons, Buttons::Ok);
  EXPECT_EQ(readFile(settingsPath()).size(), 0u);
  EXPECT_TRUE(takeCalls().empty());

  answer("Yes");
  trigger("mnuSSS");
  auto bytes = readFile(settingsPath());
  ASSERT_EQ(bytes.size(), 1504u);
  EXPECT_EQ(bytes[0], 1);
  EXPECT_EQ(bytes[1] | bytes[2] | bytes[3], 0);
  EXPECT_EQ(fileText(fieldOffset(DSP_Level), 50), packField("Middle"));
  EXPECT_EQ(fileText(fieldOffset(DSP_Resolution), 50), packField("250"));
  EXPECT_EQ(fileText(fieldOffset(Clean_Memory), 50), std::string(50, ' '));
  // Saving re-applies the saved settings at once.
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"Sample_processing_resolution double:250",
                                                   "Keep_Digital_Signal_Processing_level "
                                                   "text:Middle"}));
  EXPECT_EQ(caption("mnuTSdspl"), "Keep DSP level = Middle");
  EXPECT_EQ(caption("mnuTSdspr"), "Sample processing resolution  :  250");
}

TEST_F(Lexbench, SaveWritesAtTheRecordNumberAndTheNextLoadReadsRecordOneAgain) {
  writeSettings({{DSP_Level, "Top"}}, 3);
  load();
  EXPECT_EQ(window->recordNumber(), 3);
  const auto first = readFile(settingsPath());
  trigger("mnuDSPDown");
  answer("Yes");
  trigger("mnuSSS");
  auto bytes = readFile(settingsPath());
  ASSERT_EQ(bytes.size(), 3u * 1504u);
  EXPECT_TRUE(std::equal(first.begin(), first.end(), bytes.begin())) << "record 1 unchanged";
  EXPECT_EQ(bytes[3008], 3);
  EXPECT_EQ(fileText(3008 + fieldOffset(DSP_Level), 50), packField("Down"));

  takeCalls();
  trigger("mnuOSO");
  EXPECT_EQ(window->workingSettings()[DSP_Level], "Top");
  EXPECT_EQ(takeCalls(),
            (std::vector<std::string>{"Keep_Digital_Signal_Processing_level text:Top"}));
}

TEST_F(Lexbench, SaveCutsLongSettingsAtFiftyCharacters) {
  load();
  const std::string longName(60, 'w');
  answer(longName);
  trigger("mnuBVSfta");
  EXPECT_EQ(window->workingSettings()[Vocabulary_Add_File], longName);
  answer("Yes");
  trigger("mnuSSS");
  EXPECT_EQ(fileText(fieldOffset(Vocabulary_Add_File), 50), std::string(50, 'w'));
  EXPECT_EQ(fileText(fieldOffset(Vocabulary_Match_File_1), 50), std::string(50, ' '));
  EXPECT_EQ(window->workingSettings()[Vocabulary_Add_File], std::string(50, 'w'));
}

TEST_F(Lexbench, RecordCountRoundsSoOnlyAFileOfMoreThanHalfARecordKeepsItsRecordNumber) {
  const struct {
    size_t length;
    int32_t recordNumber;
  } cases[] = {{752, 1}, {753, 3}, {0, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    std::vector<uint8_t> bytes(c.length, ' ');
    if (c.length >= 4) bytes[0] = 3, bytes[1] = bytes[2] = bytes[3] = 0;
    writeFile(settingsPath(), bytes);
    trigger("mnuOSO");
    EXPECT_EQ(window->recordNumber(), c.recordNumber);
  }
}

// The apply step: every field of a full record, in the order of the table.
TEST_F(Lexbench, LoadAppliesEveryNonEmptySettingInOrderWithItsCaptionAndCheck) {
  writeSettings({{Clean_Memory, "NO"},
                 {Stop_All, "YES"},
                 {Notify_If_No_Match, "YES"},
                 {Start_Sound_File, "go.wav"},
                 {Stop_Sound_File, "halt.wav"},
                 {Echo_Speech, "YES"},
                 {Status_Animation, "NO"},
                 {Audio_Graph, "YES"},
                 {Voice_Capture_Delay, "300"},
                 {Speech_Capture_Time, "2500"},
                 {DSP_Resolution, "1200"},
                 {DSP_Level, "Middle"},
                 {File_Scan_Accuracy, "FLEXIBLE"},
                 {Entry_Matching_Accuracy, "HIGH"},
                 {Vocabulary_Add_File, "Mine"},
                 {Vocabulary_Match_File_1, "One"},
                 {Vocabulary_Match_File_2, "Two"},
                 {Vocabulary_Match_File_3, "Three"},
                 {Vocabulary_Match_File_4, "Four"},
                 {Vocabulary_Match_File_5, "Five"},
                 {Process_Only_Start, "YES"},
                 {Process_Only_Middle, "NO"},
                 {Process_Only_End, "YES"},
                 {Enable_AI, "NO"},
                 {Add_Current_To_Language_File, "YES"},
                 {Notify_If_No_Language_Match, "NO"},
                 {Language_Add_File, "Words"},
                 {Language_Match_File, "Words"},
                 {Show_Activities, "YES"},
                 {Files_To_Match, "5"}});
  trigger("mnuOSO");
  const std::string f = folder() + "/";
  const std::vector<std::string> expected = {
      "Memory_Clean text:NO",
      "Stop_everything_now text:YES",
      "Enable_Unrecognizable_Notification text:YES",
      "Play_this_file_for_Start text:" + f + "go.wav",
      "Play_this_file_for_Stop text:" + f + "halt.wav",
      "Speech_echo_feature text:YES",
      "Show_Status_Animation text:NO",
      "Show_Audio_Graph text:YES",
      "On_speech_show_activities text:YES",
      "Voice_Grab_Delay double:300",
      "Speech_sampling_time_in_ms double:2500",
      "Sample_processing_resolution double:1200",
      "Keep_Digital_Signal_Processing_level text:Middle",
      "Keep_Matching_Files_Entries_Scan_Accuracy text:FLEXIBLE",
      "Keep_Entry_Matching_Accuracy text:HIGH",
      "Consider_this_Vocabulary_to_Add text:" + f + "Mine",
      "Number_of_files_to_scan double:5",
      "Consider_This_Vocabulary_To_Match_Fileno_1 text:" + f + "One",
      "Consider_This_Vocabulary_To_Match_Fileno_2 text:" + f + "Two",
      "Consider_This_Vocabulary_To_Match_Fileno_3 text:" + f + "Three",
      "Consider_This_Vocabulary_To_Match_Fileno_4 text:" + f + "Four",
      "Consider_This_Vocabulary_To_Match_Fileno_5 text:" + f + "Five",
      "This_speech_sample_process_start_only text:YES",
      "This_speech_sample_process_middle_only text:NO",
      "This_speech_sample_process_end_only text:YES",
      "Enable_Artificial_Intelligence text:NO",
      "Add_To_Language text:YES",
      "Notify_if_no_language_match text:NO",
      "Consider_this_Lang_File_to_Add text:" + f + "Words",
      "Consider_this_Lang_File_to_match text:" + f + "Words",
  };
  EXPECT_EQ(takeCalls(), expected);

  const struct {
    const char* item;
    const char* caption;
    bool check;
  } menus[] = {
      {"mnuISmc", "Clean Memory  = NO", true},
      {"mnuISsa", "Stop All = YES", true},
      {"mnuBVSNINM", "Notify UnrecognizableYES", true},
      {"mnuINSpst", "Play this File at start :  go.wav", true},
      {"mnuINSpso", "Play this File at end :  halt.wav", true},
      {"mnuINSes", "Echo back = YES", true},
      {"mnuINSsani", "Status AnimationNO", true},
      {"mnuINSag", "Audio GraphYES", true},
      {"mnuINSsaos", "Perform activitiesYES", true},
      {"mnuTSvcd", "Voice Capture Delay :  300", true},
      {"mnuTSsct", "Speech Capture Time :  2500", true},
      {"mnuTSdspr", "Sample processing resolution  :  1200", true},
      {"mnuTSdspl", "Keep DSP level = Middle", false},
      {"mnuBVSfca", "Keep Entries Scan Accuracy : FLEXIBLE", false},
      {"mnuBVSema", "Keep Entry Matching Accuracy : HIGH", false},
      {"mnuBVSfta", "Consider this file to Add :Mine", true},
      {"mnuNOFTM", "No. of files to scan : 5", true},
      {"mnuBVSftm1", "Consider this file to match no.1 : One", true},
      {"mnuBVSftm5", "Consider this file to match no.5 : Five", true},
      {"mnuBVSps", "Process Start Only : YES", true},
      {"mnuBVSpm", "Process Middle Only :  NO", true},
      {"mnuBVSpe", "Process end Only : YES", true},
      {"mnuLSeai", "Enable Language Artificial Intelligence: NO", false},
      {"mnuLSacf", " Add to Language file ? : YES", true},
      {"mnuLSnnom", "Notify if not matched ? : NO", true},
      {"mnuLSfta", "Consider this lang file to add : Words", true},
      {"mnuLSftm", "Consider this lang file to match: Words", true},
  };
  for (const auto& m : menus) {
    EXPECT_EQ(caption(m.item), QString::fromLatin1(m.caption)) << m.item;
    EXPECT_EQ(checked(m.item), m.check) << m.item;
  }
}

// Stored values that are not what the items write: the value rules and the fallbacks.
TEST_F(Lexbench, ApplyUsesTheValueRulesAndFallbacksAndShowsTheStoredText) {
  const struct {
    Field field;
    const char* stored;
    std::string call;  // empty: nothing is sent
    const char* item;
    const char* caption;
    bool controlBox = false;  // the control refuses a sampling time below 50 ms with a box
  } cases[] = {
      {Voice_Capture_Delay, "0", "Voice_Grab_Delay int16:20000", "mnuTSvcd",
       "Voice Capture Delay :  0"},
      {Voice_Capture_Delay, "abc", "Voice_Grab_Delay int16:20000", "mnuTSvcd",
       "Voice Capture Delay :  abc"},
      {Speech_Capture_Time, "abc", "Speech_sampling_time_in_ms int16:8000", "mnuTSsct",
       "Speech Capture Time :  0"},
      {Speech_Capture_Time, "2.5s", "Speech_sampling_time_in_ms double:2.5", "mnuTSsct",
       "Speech Capture Time :  2.5", true},
      {DSP_Resolution, "-5", "Sample_processing_resolution text:1500", "mnuTSdspr",
       "Sample processing resolution  :  -5"},
      {Files_To_Match, "0", "Number_of_files_to_scan int16:1", "mnuNOFTM",
       "No. of files to scan : 0"},
      {Files_To_Match, "", "", "mnuNOFTM", "&Number of Files to match "},
      {DSP_Level, "Top", "Keep_Digital_Signal_Processing_level text:Top", "mnuTSdspl",
       "Keep DSP level = Top"},
      {Clean_Memory, "maybe", "Memory_Clean text:YES", "mnuISmc", "Clean Memory  = maybe"},
      {Status_Animation, "no", "Show_Status_Animation text:YES", "mnuINSsani",
       "Status Animationno"},
      {Enable_AI, "Yes", "Enable_Artificial_Intelligence text:YES", "mnuLSeai",
       "Enable Language Artificial Intelligence: Yes"},
      {Echo_Speech, "yes", "Speech_echo_feature text:NO", "mnuINSes", "Echo back = yes"},
      {Vocabulary_Match_File_2, "  Two  ",
       "Consider_This_Vocabulary_To_Match_Fileno_2 text:" + in("Two"), "mnuBVSftm2",
       "Consider this file to match no.2 : Two"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(fieldName(c.field)) + " = '" + c.stored + "'");
    window.reset();
    makeWindow();
    writeSettings({{c.field, c.stored}});
    if (c.controlBox) answer("OK");
    trigger("mnuOSO");
    const std::vector<std::string> calls = takeCalls();
    EXPECT_EQ(calls,
              c.call.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.call});
    EXPECT_EQ(caption(c.item), QString::fromLatin1(c.caption));
  }
}

TEST_F(Lexbench, AStoredNumberTooLargeForItsPropertyIsRefusedWithAMessageNotWrapped) {
  writeSettings({{Voice_Capture_Delay, "40000"}, {DSP_Level, "Up"}});
  answer("OK");
  trigger("mnuOSO");
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].title, "Parlomat Lexbench");
  EXPECT_NE(boxes[0].text.find("Voice_Grab_Delay"), std::string::npos) << boxes[0].text;
  EXPECT_NE(boxes[0].text.find("from -32768 to 32767"), std::string::npos) << boxes[0].text;
  EXPECT_EQ(engine->state.voiceGrabDelay, 0) << "nothing reached the control";
  EXPECT_EQ(caption("mnuTSvcd"), "&Voice Capture Delay");
  // The rest of the settings still apply, and the stored text is kept.
  EXPECT_EQ(caption("mnuTSdspl"), "Keep DSP level = Up");
  EXPECT_EQ(window->workingSettings()[Voice_Capture_Delay], "40000");
  EXPECT_TRUE(widget<QToolButton>("Command4")->isEnabled());

  // Start meets the same value, says so, and still starts.
  answer("OK");
  answer("OK");
  click("Command4");
  boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].title, "Parlomat Lexbench");
  EXPECT_EQ(takeCalls().back(), "Start_Real_Action text:YES byte:255 byte:0 byte:0");
  EXPECT_TRUE(engine->timer5->enabled());
}

TEST_F(Lexbench, YesNoItemsShareOneToggleFlag) {
  // Before any load the flag is true, so the first click gives the flag-false value.
  trigger("mnuISmc");
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"Memory_Clean text:YES"}));
  EXPECT_EQ(caption("mnuISmc"), "Clean Memory =  YES");

  load();
  const struct {
    const char* item;
    const char* call;
    const char* caption;
    Field field;
    const char* stored;
  } clicks[] = {
      {"mnuISmc", "Memory_Clean text:NO", "Clean Memory =  NO", Clean_Memory, "NO"},
      {"mnuINSes", "Speech_echo_feature text:YES", "Echo back YES", Echo_Speech, "YES"},
      {"mnuBVSps", "This_speech_sample_process_start_only text:YES", "Process Start Only YES",
       Process_Only_Start, "YES"},
      {"mnuBVSps", "This_speech_sample_process_start_only text:NO", "Process Start Only NO",
       Process_Only_Start, "NO"},
      {"mnuLSeai", "Enable_Artificial_Intelligence text:NO", "Enable Platinum Output NO", Enable_AI,
       "NO"},
      {"mnuISsa", "Stop_everything_now text:YES", "Stop All YES", Stop_All, "YES"},
      {"mnuINSsani", "Show_Status_Animation text:NO", "Status Animation NO", Status_Animation,
       "NO"},
      {"mnuINSag", "Show_Audio_Graph text:YES", "Audio Graph YES", Audio_Graph, "YES"},
      {"mnuINSsaos", "On_speech_show_activities text:NO", "Perform activities NO", Show_Activities,
       "NO"},
      {"mnuBVSNINM", "Enable_Unrecognizable_Notification text:YES", "Notify Unrecognizable YES",
       Notify_If_No_Match, "YES"},
      {"mnuBVSpm", "This_speech_sample_process_middle_only text:YES", "Process Middle Only YES",
       Process_Only_Middle, "YES"},
      {"mnuBVSpe", "This_speech_sample_process_end_only text:NO", "Process End Only NO",
       Process_Only_End, "NO"},
      {"mnuLSacf", "Add_To_Language text:NO", "Now Language Addition NO",
       Add_Current_To_Language_File, "NO"},
      {"mnuLSnnom", "Notify_if_no_language_match text:YES", "Notify if no language match YES",
       Notify_If_No_Language_Match, "YES"},
  };
  for (const auto& c : clicks) {
    SCOPED_TRACE(c.item);
    trigger(c.item);
    EXPECT_EQ(takeCalls(), (std::vector<std::string>{c.call}));
    EXPECT_EQ(caption(c.item), QString::fromLatin1(c.caption));
    EXPECT_TRUE(checked(c.item)) << "a YES/NO item's mark is never removed";
    EXPECT_EQ(window->workingSettings()[c.field], c.stored);
  }
  // A load sets the flag to false again.
  load();
  trigger("mnuINSes");
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"Speech_echo_feature text:NO"}));
}

TEST_F(Lexbench, NumberItemsRoundHalfToEvenAndKeepTheirOwnStoreRule) {
  load();
  const struct {
    const char* item;
    const char* answer;
    const char* call;
    const char* caption;
    Field field;
    const char* stored;       // the working setting afterwards
    bool controlBox = false;  // the control itself refuses a zero sampling time with a box
  } cases[] = {
      {"mnuTSvcd", "2.5", "Voice_Grab_Delay double:2", "Voice Capture Delay :  2",
       Voice_Capture_Delay, "2"},
      {"mnuTSvcd", "3.5", "Voice_Grab_Delay double:4", "Voice Capture Delay :  4",
       Voice_Capture_Delay, "4"},
      {"mnuTSvcd", "0", "Voice_Grab_Delay double:0", "Voice Capture Delay :  0",
       Voice_Capture_Delay, "4"},
      {"mnuTSvcd", "-3", "Voice_Grab_Delay double:-3", "Voice Capture Delay :  -3",
       Voice_Capture_Delay, "4"},
      {"mnuTSsct", "2500ms", "Speech_sampling_time_in_ms double:2500",
       "Speech Capture Time :  2500", Speech_Capture_Time, "2500"},
      {"mnuTSsct", "", "Speech_sampling_time_in_ms double:0", "Speech Capture Time :  0",
       Speech_Capture_Time, "2500", true},
      {"mnuTSdspr", "0", "Sample_processing_resolution double:0",
       "Sample processing resolution  :  0", DSP_Resolution, "0"},
      {"mnuTSdspr", "abc", "Sample_processing_resolution double:0",
       "Sample processing resolution  :  0", DSP_Resolution, "0"},
      {"mnuNOFTM", "3", "Number_of_files_to_scan double:3", "Number of files to scan for match :3",
       Files_To_Match, "3"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.item) + " answered '" + c.answer + "'");
    answer(c.answer);
    if (c.controlBox) answer("OK");
    trigger(c.item);
    EXPECT_EQ(takeCalls(), (std::vector<std::string>{c.call}));
    EXPECT_EQ(caption(c.item), QString::fromLatin1(c.caption));
    EXPECT_EQ(window->workingSettings()[c.field], c.stored);
  }
  auto boxes = takeBoxes();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes[0].text, "Enter the numericals for voice capture delay");
  EXPECT_EQ(boxes[0].title, "Delay :");
  EXPECT_EQ(boxes[0].defaultText, "");
}

TEST_F(Lexbench, NumberAnswersThatDoNotFitThePropertyAreRefusedAndChangeNothing) {
  load();
  const struct {
    const char* item;
    const char* answer;
    const char* range;
  } cases[] = {
      {"mnuTSvcd", "40000", "from -32768 to 32767"},
      {"mnuNOFTM", "32768", "from -32768 to 32767"},
      {"mnuTSsct", "3000000000", "from -2147483648 to 2147483647"},
      {"mnuTSdspr", "1e12", "from -2147483648 to 2147483647"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    const QString before = caption(c.item);
    answer(c.answer);
    answer("OK");
    trigger(c.item);
    EXPECT_TRUE(takeCalls().empty());
    EXPECT_EQ(caption(c.item), before);
    for (const std::string& w : window->workingSettings()) EXPECT_EQ(w, "");
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].title, "Parlomat Lexbench");
    EXPECT_NE(boxes[1].text.find(c.range), std::string::npos) << boxes[1].text;
  }
}

TEST_F(Lexbench, FileNameItemsSendTheFolderPathAndStoreTheAnswer) {
  load();
  const struct {
    const char* item;
    const char* answer;
    const char* member;
    const char* prefix;
    Field field;
    const char* stored;
    const char* prompt;
  } cases[] = {
      {"mnuINSpst", " beep.wav ", "Play_this_file_for_Start",
       "Play this File at start :  ", Start_Sound_File, " beep.wav ",
       "Enter only the name of the wave file to play at start (with .wav)"},
      {"mnuINSpso", "end.wav", "Play_this_file_for_Stop", "Play this File at end :  ",
       Stop_Sound_File, "end.wav", "Enter only the name of the wave file to play at end"},
      {"mnuBVSfta", " Mine ", "Consider_this_Vocabulary_to_Add",
       "Vocabulary Add File  :  ", Vocabulary_Add_File, "Mine",
       "Enter only the name of the *.SAY file to Add to basic vocabulary"},
      {"mnuLSfta", "Words", "Consider_this_Lang_File_to_Add",
       "Language Addition File  :  ", Language_Add_File, "Words",
       "Enter only the name of the *.Lang file to Add to your language file"},
      {"mnuLSftm", "", "Consider_this_Lang_File_to_match",
       "Language Matching File  :  ", Language_Match_File, "",
       "Enter only the name of the *.Lang file to match to your language file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    answer(c.answer);
    trigger(c.item);
    EXPECT_EQ(takeCalls(),
              (std::vector<std::string>{std::string(c.member) + " text:" + in(c.answer)}));
    EXPECT_EQ(caption(c.item), QString::fromLatin1(c.prefix) + QString::fromLatin1(c.answer));
    EXPECT_EQ(window->workingSettings()[c.field], c.stored);
    auto boxes = takeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, c.prompt);
  }
}

TEST_F(Lexbench, MatchFileItemsSetMultipleFilesAndTheFileCount) {
  load();
  answer("Three ");
  trigger("mnuBVSftm3");
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{
                             "Consider_This_Vocabulary_To_Match_Fileno_3 text:" + in("Three "),
                             "Multiple_Files text:YES", "Number_of_files_to_scan int16:3"}));
  EXPECT_EQ(caption("mnuBVSftm3"), "Vocabulary Match File no. 3  :  Three ");
  EXPECT_EQ(caption("mnuNOFTM"), "Number of Files to match : 3");
  EXPECT_EQ(window->workingSettings()[Vocabulary_Match_File_3], "Three");
  EXPECT_EQ(window->workingSettings()[Files_To_Match], "");
  EXPECT_EQ(engine->state.filesToScan, 3);
  EXPECT_EQ(engine->state.multipleFiles, "YES");

  answer("One");
  trigger("mnuBVSftm1");
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{
                             "Consider_This_Vocabulary_To_Match_Fileno_1 text:" + in("One"),
                             "Number_of_files_to_scan int16:1"}));
  EXPECT_EQ(caption("mnuNOFTM"), "Number of Files to match : 1");

  // An empty answer for files 2 to 5 sends the bare folder and ends there.
  answer("");
  trigger("mnuBVSftm2");
  EXPECT_EQ(
      takeCalls(),
      (std::vector<std::string>{"Consider_This_Vocabulary_To_Match_Fileno_2 text:" + in("")}));
  EXPECT_EQ(caption("mnuBVSftm2"), "Vocabulary Match File no. 2  :  ");
  EXPECT_EQ(caption("mnuNOFTM"), "Number of Files to match : 1");
  takeBoxes();

  // The first file is a must: the control still got the bare folder, the setting is kept.
  answer("");
  answer("OK");
  trigger("mnuBVSftm1");
  EXPECT_EQ(
      takeCalls(),
      (std::vector<std::string>{"Consider_This_Vocabulary_To_Match_Fileno_1 text:" + in("")}));
  EXPECT_EQ(caption("mnuBVSftm1"), "Vocabulary Match File no. 1  :  ");
  EXPECT_EQ(window->workingSettings()[Vocabulary_Match_File_1], "One");
  auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Enter only the name of the *.SAY file to Match to basic vocabulary");
  EXPECT_EQ(boxes[0].title, "File :");
  EXPECT_EQ(boxes[1].text, "First File name is a must");
  EXPECT_EQ(boxes[1].title, "Parlomat User Error");
  EXPECT_EQ(boxes[1].buttons, Buttons::Ok);

  const char* const prefixes[] = {"Vocabulary Match File no.4 :  x",
                                  "Vocabulary Match File no.5 :  x"};
  for (int k = 4; k <= 5; ++k) {
    answer("x");
    trigger("mnuBVSftm" + std::to_string(k));
    EXPECT_EQ(caption("mnuBVSftm" + std::to_string(k)), prefixes[k - 4]);
  }
}

TEST_F(Lexbench, AChoiceLeavesExactlyOneItemOfItsGroupChecked) {
  const struct {
    const char* parent;
    std::vector<std::string> items;
    const char* pick1;
    const char* pick2;
    std::string call2;
    const char* caption2;
    Field field;
    const char* stored;
  } groups[] = {
      {"mnuTSdspl",
       {"mnudsptop", "mnuDSPup", "mnuDSPmid", "mnuDSPDown"},
       "mnuDSPup",
       "mnuDSPDown",
       "Keep_Digital_Signal_Processing_level text:Down",
       "DSP level : Down",
       DSP_Level,
       "Down"},
      {"mnuBVSfca",
       {"mnuFSAVS", "mnuFSAS", "mnuFSAF", "mnuFSAVF", "mnuFSASNA", "mnuFSASA"},
       "mnuFSAVS",
       "mnuFSASNA",
       "Keep_Matching_Files_Entries_Scan_Accuracy text:SCAN NEARLY ALL",
       "Entries Scan Accuracy  :SCAN NEARLY ALL",
       File_Scan_Accuracy,
       "SCAN NEARLY ALL"},
      {"mnuBVSema",
       {"mnuEMAVH", "mnuEMAHI", "mnuEMAH", "mnuEMAM", "mnuEMAL", "mnuEMAVL"},
       "mnuEMAL",
       "mnuEMAHI",
       "Keep_Entry_Matching_Accuracy text:HIGHER",
       "Keep Entry Matching Accuracy :  HIGHER",
       Entry_Matching_Accuracy,
       "HIGHER"},
  };
  for (const auto& g : groups) {
    SCOPED_TRACE(g.parent);
    trigger(g.pick1);
    trigger(g.pick2);
    // Clicking the chosen item again keeps its mark.
    trigger(g.pick2);
    auto calls = takeCalls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1], g.call2);
    EXPECT_EQ(caption(g.parent), QString::fromLatin1(g.caption2));
    for (const std::string& it : g.items) EXPECT_EQ(checked(it), it == g.pick2) << it;
    EXPECT_EQ(window->workingSettings()[g.field], g.stored);
  }
}

TEST_F(Lexbench, TheRefreshTickCopiesTheResultsAndStopLeavesThemShown) {
  load();
  answer("OK");
  click("Command4");
  // Set after Start: its Memory_Clean "YES" cleans the results.
  ControlState& s = engine->state;
  s.probableWordCount = 2;
  s.wordNo = 1;
  s.wordTimelength = {0, 4410};
  for (int k = 1; k <= 4; ++k) {
    s.probableChars[k] = "ch" + std::to_string(k);
    s.probableCharsPercent[k] = std::to_string(90 - k);
  }
  s.goldenChara = "kha";
  s.goldenCharaPoints = "130";
  s.platinumWord[1] = "windows";
  s.platinumPercent[1] = 72;
  s.platinumWord[2] = "reboot";
  s.platinumPercent[2] = 45;
  auto* timer = window->findChild<QTimer*>("Timer1");
  ASSERT_TRUE(timer->isActive());
  takeCalls();
  // One tick of Timer1, as its timeout would run it.
  QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{
                             "Probable_no_of_words_recognized",
                             "Current_Word_no_Processed",
                             "Current_Word_no_Timelength",
                             "Probable_chars_No_1_Recognized",
                             "Probable_chars_no_1_percentage",
                             "Probable_chars_No_2_Recognized",
                             "Probable_chars_no_2_percentage",
                             "Probable_chars_No_3_Recognized",
                             "Probable_chars_no_3_percentage",
                             "Probable_chars_No_4_Recognized",
                             "Probable_chars_no_4_percentage",
                             "Golden_Chara",
                             "Golden_Chara_Points",
                             "Platinum_Word_2",
                             "Platinum_Word_2_Percentage",
                             "Platinum_Word_1",
                             "Platinum_Word_1_Percentage",
                         }));
  const std::pair<const char*, const char*> shown[] = {
      {"Text1", "ch1"}, {"Text2", "89"},   {"Text3", "ch2"},     {"Text4", "88"},
      {"Text5", "ch3"}, {"Text6", "87"},   {"Text7", "ch4"},     {"Text8", "86"},
      {"Text9", "kha"}, {"Text10", "130"}, {"Text11", "reboot"}, {"Text12", "45"},
  };
  auto check = [&] {
    for (const auto& [name, text] : shown) {
      EXPECT_EQ(widget<QLineEdit>(name)->text(), QString::fromLatin1(text)) << name;
    }
    EXPECT_EQ(widget<QLabel>("Label2")->text(), "2");
    EXPECT_EQ(widget<QLabel>("Label4")->text(), "1");
    EXPECT_EQ(widget<QLabel>("Label3")->text(), "4410");
    EXPECT_EQ(widget<QTextEdit>("LabResult")->toPlainText(), "windows 72");
  };
  check();

  click("Command1");
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"Stop_Real_Action"}));
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(s.platinumWord[1], "") << "the control cleared its results";
  check();

  answer("OK");
  click("Command4");
  EXPECT_TRUE(timer->isActive()) << "a later Start resumes the refresh";
}

TEST_F(Lexbench, AddAndDisableAddSwitchVocabularyAddition) {
  click("Command2");
  EXPECT_EQ(engine->state.addToVocabulary, 1);
  click("Command3");
  EXPECT_EQ(engine->state.addToVocabulary, 0);
  EXPECT_EQ(takeCalls(),
            (std::vector<std::string>{"Add_To_Vocabulary text:YES", "Add_To_Vocabulary text:NO"}));
}

QWidget* topLevel(const char* name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == name && w->isVisible()) return w;
  }
  return nullptr;
}

TEST_F(Lexbench, EndStopsAndEndsAtOnceWithoutTheUnloadStep) {
  load();
  click("Command5");
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{"Stop_Real_Action"}));
  EXPECT_EQ(ended, 1);
  EXPECT_EQ(topLevel("ComingSplash"), nullptr);
  EXPECT_EQ(sim.files.openCount(), 1) << "the file closes when the window terminates";
  window.reset();
  EXPECT_EQ(sim.files.openCount(), 0);
}

TEST_F(Lexbench, UnloadClosesTheSettingsFileAndShowsComingSplashWhichAnyKeyCloses) {
  load();
  window->show();
  window->close();
  EXPECT_EQ(sim.files.openCount(), 0);
  QWidget* splash = topLevel("ComingSplash");
  ASSERT_NE(splash, nullptr);
  QPointer<QWidget> alive(splash);
  QKeyEvent key(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier);
  QApplication::sendEvent(splash, &key);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull()) << "closed and deleted";
}

TEST_F(Lexbench, AboutShowsSplashWhichAClickCloses) {
  trigger("mnuab(1)");
  QWidget* splash = topLevel("Splash");
  ASSERT_NE(splash, nullptr);
  QPointer<QWidget> alive(splash);
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(10, 10), QPointF(10, 10), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(splash, &press);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(alive.isNull());
  trigger("mnuCUG");
  ASSERT_NE(topLevel("ComingSplash"), nullptr);
  topLevel("ComingSplash")->close();
  EXPECT_TRUE(takeCalls().empty());
}

TEST_F(Lexbench, ActivationFromAnotherWindowOfTheProgramStartsTheInitialisationSound) {
  QWidget other;
  QWidget box;
  box.setWindowModality(Qt::ApplicationModal);
  window->show();
  other.show();
  const std::string call = "Play_this_file_on_Initialization text:" + in("backcon.wav");
  const struct {
    QWidget* away;  // the window that was active in between; null for another program
    bool counts;
  } cases[] = {{&other, true}, {&box, false}, {nullptr, false}, {&other, true}};
  QApplication::setActiveWindow(window.get());
  EXPECT_EQ(takeCalls(), (std::vector<std::string>{call, "InitializeSound"})) << "the first";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.away ? c.away == &box ? "a modal box" : "another window" : "outside");
    if (c.away) c.away->show();
    QApplication::setActiveWindow(c.away);
    QApplication::setActiveWindow(window.get());
    if (c.away) c.away->hide();
    const std::vector<std::string> expected =
        c.counts ? std::vector<std::string>{call, "InitializeSound"} : std::vector<std::string>{};
    EXPECT_EQ(takeCalls(), expected);
  }
  EXPECT_EQ(sim.sounds.log().front(), "loop " + in("backcon.wav"));
  window->hide();
}

}  // namespace
}  // namespace parlomat::testing
