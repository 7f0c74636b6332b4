// Tarnwick's windows on the simulated platform: the real control created by name, every call the
// windows make recorded through the dispatch interface, the dry-run power request, and the word
// the control "recognised" written straight into the shared state before a tick of Timer1.
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <cstdlib>
#include <sstream>

#include "hosts/common/RecordingDispatch.h"
#include "hosts/tarnwick/PowerRequest.h"
#include "hosts/tarnwick/TarnwickWindows.h"
#include "support/TestSupport.h"

namespace parlomat::testing {
namespace {

using tarnwick::Form1;
using tarnwick::Form2;

class Tarnwick : public SimFixture {
 protected:
  Tarnwick() {
    ::setenv(tarnwick::kDryRunVariable, "1", 1);
    power = tarnwick::makePowerControl(printed);
    sim.registry.registerFactory(Parlomat::kProgId, [this] {
      return std::make_unique<hosts::RecordingDispatch>(std::make_unique<Parlomat>(engine), log);
    });
    hosts::HostServices host{sim.registry, sim.dialogs, sim.files, dir.string(), [] {}};
    window = std::make_unique<Form1>(tarnwick::TarnwickServices{host, *power, [this] {
                                                                  ++pumps;
                                                                  QCoreApplication::processEvents();
                                                                }});
    unloads = std::make_unique<QSignalSpy>(window.get(), &Form1::unloaded);
    window->show();
  }
  ~Tarnwick() override {
    unloads.reset();
    window.reset();
    ::unsetenv(tarnwick::kDryRunVariable);
  }

  std::string in(const std::string& name) const { return dir.string() + "/" + name; }
  // The recogniser's best word is `word` when Timer1 next ticks.
  void hear(const std::string& word) {
    engine->state.platinumWord[1] = word;
    window->tick();
  }
  std::vector<std::string> takeCalls() {
    std::vector<std::string> out = log.lines();
    log.clear();
    return out;
  }
  size_t count(const std::vector<std::string>& calls, const std::string& call) const {
    return static_cast<size_t>(std::count(calls.begin(), calls.end(), call));
  }
  Form2* form2() const { return window->form2(); }
  bool form2Shown() const { return form2() && form2()->isVisible(); }
  QPushButton* button(const char* name) const {
    return form2() ? form2()->findChild<QPushButton*>(QString::fromLatin1(name)) : nullptr;
  }

  std::ostringstream printed;
  std::unique_ptr<PowerControl> power;
  hosts::CallLog log;
  int pumps = 0;
  std::unique_ptr<Form1> window;
  std::unique_ptr<QSignalSpy> unloads;
};

TEST_F(Tarnwick, LoadSendsTheSettingsInOrderStartsAndRunsTimer1AtTenMilliseconds) {
  const std::vector<std::string> expected = {
      "This_Audio_Process text:YES",
      "Stop_everything_now text:NO",
      "Enable_Unrecognizable_Notification text:NO",
      "Memory_Clean text:YES",
      "Play_this_file_for_Start text:" + in("Start.wav"),
      "Play_this_file_for_Stop text:" + in("Stop.wav"),
      "Speech_echo_feature text:NO",
      "Show_Status_Animation text:YES",
      "On_speech_show_activities text:NO",
      "Show_Audio_Graph text:NO",
      "Voice_Grab_Delay int16:20000",
      "Set_Recording_Frequency int16:22050",
      "Speech_sampling_time_in_ms int16:10000",
      "Sample_processing_resolution text:4000",
      "Keep_Digital_Signal_Processing_level text:Down",
      "This_speech_sample_process_end_only text:NO",
      "This_speech_sample_process_middle_only text:NO",
      "This_speech_sample_process_start_only text:NO",
      "Send_words_one_by_one text:YES",
      "Keep_Matching_Files_Entries_Scan_Accuracy text:SCAN ALL",
      "Keep_Entry_Matching_Accuracy text:HIGH",
      "Consider_this_Vocabulary_to_Add text:" + in("WindowsSET6"),
      "Multiple_Files text:YES",
      "Consider_This_Vocabulary_To_Match_Fileno_1 text:" + in("WindowsSET1"),
      "Consider_This_Vocabulary_To_Match_Fileno_2 text:" + in("WindowsSET2"),
      "Consider_This_Vocabulary_To_Match_Fileno_3 text:" + in("WindowsSET3"),
      "Consider_This_Vocabulary_To_Match_Fileno_4 text:" + in("WindowsSET4"),
      "Consider_This_Vocabulary_To_Match_Fileno_5 text:" + in("WindowsSET5"),
      "Number_of_files_to_scan int16:5",
      "Enable_Artificial_Intelligence text:YES",
      "Add_To_Language text:NO",
      "Notify_if_no_language_match text:NO",
      "Consider_this_Lang_File_to_Add text:" + in("Quorvane2"),
      "Consider_this_Lang_File_to_match text:" + in("Quorvane2"),
      "Start_Real_Action text:YES byte:255 byte:0 byte:0",
  };
  EXPECT_EQ(log.lines(), expected);
  for (const auto& c : log.calls()) EXPECT_EQ(c.errorCode, 0) << c.describe();
  // Step 36, and what the settings did to the control.
  EXPECT_TRUE(window->timer1().isActive());
  EXPECT_EQ(window->timer1().interval(), 10);
  EXPECT_EQ(engine->state.stopEverything, "NO");
  EXPECT_EQ(engine->state.filesToScan, 5);
  EXPECT_EQ(engine->state.languageFileToMatch, in("Quorvane2") + ".Lang");
  EXPECT_TRUE(sim.dialogs.shown().empty());
  EXPECT_FALSE(window->windowsHeard());
}

TEST_F(Tarnwick, WindowsCarryTheirNamesAndTexts) {
  EXPECT_EQ(window->objectName(), "Form1");
  EXPECT_EQ(window->windowTitle(), "Windows by Voice");
  EXPECT_NE(window->findChild<QWidget*>("Parlomat1"), nullptr);
  EXPECT_EQ(window->findChild<QLabel*>("Label1")->text(),
            "Welcome to Windows Commands  Program !.Say ::windows:: to see what more is on "
            "offering !");
  EXPECT_EQ(window->findChild<QLabel*>("Label2")->text(),
            "All the files required for this application are prepared using the Parlomat "
            "Development Application.");
  hear("windows");
  ASSERT_NE(form2(), nullptr);
  EXPECT_EQ(form2()->objectName(), "Form2");
  EXPECT_EQ(form2()->windowTitle(), "Heard ...'Windows'");
  EXPECT_EQ(button("Command1")->text(), "Say '::Reboot::' to Reboot Windows ");
  EXPECT_EQ(button("Command2")->text(), "Say '::Shutoff ::' to Shutoff Windows");
  EXPECT_EQ(form2()->findChild<QLabel*>("Label1")->text(),
            "You just said ::Windows:: Currently this program offers you two more options ...");
  EXPECT_EQ(form2()->findChild<QLabel*>("Label2")->text(),
            "Warning ! This will  execute so make sure you are prepared for this !");
}

// What a run of recognised words does, one word per tick of Timer1.
struct WordsCase {
  const char* name;
  std::vector<std::string> words;
  std::string printed;  // the dry run's output
  bool unloaded;        // Form1 unloaded
  bool armed;           // Windows_Heard
};

void PrintTo(const WordsCase& c, std::ostream* os) {
  *os << c.name;
}

class TarnwickWords : public Tarnwick, public ::testing::WithParamInterface<WordsCase> {};

TEST_P(TarnwickWords, ActOnlyOnTheExactWordsAndOnlyWhenArmed) {
  const WordsCase& c = GetParam();
  for (const std::string& w : c.words) hear(w);
  EXPECT_EQ(printed.str(), c.printed);
  EXPECT_EQ(unloads->count(), c.unloaded ? 1 : 0);
  EXPECT_EQ(window->windowsHeard(), c.armed);
  // Form2 goes when the program ends, after Form1's unload.
  EXPECT_EQ(form2Shown(), c.armed);
  EXPECT_EQ(window->timer1().isActive(), !c.unloaded);
  if (c.unloaded) {
    EXPECT_EQ(engine->state.stopEverything, "YES");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, TarnwickWords,
    ::testing::Values(
        WordsCase{"NothingHeard", {"", ""}, "", false, false},
        WordsCase{"ShutoffBeforeWindows", {"shutoff"}, "", false, false},
        WordsCase{"RebootBeforeWindows", {"reboot", "reboot"}, "", false, false},
        WordsCase{"OtherWord", {"windows", "hello"}, "", false, true},
        WordsCase{
            "WindowsThenShutoff", {"windows", "shutoff"}, "power-request: shutdown\n", true, true},
        WordsCase{
            "WindowsThenReboot", {"windows", "", "reboot"}, "power-request: restart\n", true, true},
        WordsCase{"SpacesAroundTheWordAreTrimmed",
                  {" windows ", "shutoff  "},
                  "power-request: shutdown\n",
                  true,
                  true},
        WordsCase{"CapitalS", {"windows", "Shutoff"}, "", false, true},
        WordsCase{"CapitalR", {"windows", "Reboot"}, "", false, true},
        WordsCase{"CapitalW", {"Windows", "shutoff"}, "", false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Tarnwick, WindowsOpensForm2SwitchesTheStartSoundAndSlowsTimer1) {
  takeCalls();
  hear("windows");
  const auto calls = takeCalls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.front(), "Platinum_Word_1");
  EXPECT_GE(count(calls, "Play_this_file_for_Start text:" + in("option.wav")), 2u)
      << "the tick and Form2's load each set it";
  EXPECT_TRUE(form2Shown());
  EXPECT_FALSE(form2()->isModal());
  EXPECT_EQ(window->timer1().interval(), 1000);
  EXPECT_TRUE(window->timer1().isActive());
  EXPECT_EQ(engine->state.startSoundPath, in("option.wav"));

  // Heard again: the same window comes to the front, the sound stays.
  Form2* first = form2();
  hear("windows");
  EXPECT_EQ(form2(), first);
  EXPECT_TRUE(form2Shown());
  EXPECT_EQ(engine->state.startSoundPath, in("option.wav"));
  EXPECT_EQ(count(takeCalls(), "Stop_Real_Action"), 0u);
}

TEST_F(Tarnwick, ArmedShutoffStopsListeningPumpsOnceThenRequestsAndUnloads) {
  hear("windows");
  takeCalls();
  const int pumpsBefore = pumps;
  hear("shutoff");
  const auto calls = takeCalls();
  // Platinum_Word_1, then the stop, then the unload's own stop.
  ASSERT_GE(calls.size(), 3u);
  EXPECT_EQ(calls[0], "Platinum_Word_1");
  EXPECT_EQ(calls[1], "Stop_Real_Action");
  EXPECT_EQ(count(calls, "Stop_Real_Action"), 2u);
  EXPECT_EQ(pumps, pumpsBefore + 1);
  EXPECT_EQ(printed.str(), "power-request: shutdown\n");
  EXPECT_EQ(unloads->count(), 1);
  EXPECT_FALSE(window->isVisible());
}

TEST_F(Tarnwick, NothingAsksAgainOnceTheSpokenShutoffHasAsked) {
  hear("windows");
  hear("shutoff");
  // A click that was already queued reaches Form2 before the program ends.
  answer("Yes");
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(printed.str(), "power-request: shutdown\n");
}

// Form2's buttons: the question, and what each answer does.
struct ButtonCase {
  const char* name;
  const char* button;
  const char* answer;
  std::string question;
  std::string printed;
};

void PrintTo(const ButtonCase& c, std::ostream* os) {
  *os << c.name;
}

class TarnwickButtons : public Tarnwick, public ::testing::WithParamInterface<ButtonCase> {};

TEST_P(TarnwickButtons, AskFirstAndActOnlyOnYes) {
  const ButtonCase& c = GetParam();
  hear("windows");
  takeCalls();
  answer(c.answer);
  QTest::mouseClick(button(c.button), Qt::LeftButton);
  const auto boxes = takeBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, c.question);
  EXPECT_EQ(boxes[0].title, "MS Windows");
  EXPECT_EQ(boxes[0].buttons, Buttons::YesNo);
  EXPECT_EQ(printed.str(), c.printed);
  const auto calls = takeCalls();
  if (c.printed.empty()) {
    EXPECT_EQ(count(calls, "Stop_Real_Action"), 0u);
    EXPECT_TRUE(form2Shown());
    EXPECT_TRUE(window->timer1().isActive());
  } else {
    // The stop before the request, then Form2's unload stops again and halts Timer1.
    EXPECT_EQ(count(calls, "Stop_Real_Action"), 2u);
    EXPECT_FALSE(form2Shown());
    EXPECT_FALSE(window->timer1().isActive());
  }
  EXPECT_TRUE(window->isVisible()) << "the buttons unload Form2 only";
  EXPECT_EQ(unloads->count(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Form2, TarnwickButtons,
    ::testing::Values(ButtonCase{"RebootYes", "Command1", "Yes", "Reboot your Computer ?",
                                 "power-request: restart\n"},
                      ButtonCase{"RebootNo", "Command1", "No", "Reboot your Computer ?", ""},
                      ButtonCase{"ShutoffYes", "Command2", "Yes", "Shutoff your Computer ?",
                                 "power-request: shutdown\n"},
                      ButtonCase{"ShutoffNo", "Command2", "No", "Shutoff your Computer ?", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Tarnwick, AClickOrAKeyAnywhereOnTheMainWindowStopsRecognitionForGood) {
  struct Case {
    const char* target;  // a control of the window, or the window itself when empty
    bool key;            // a key press instead of a click
  };
  const Case cases[] = {{"", false}, {"Label2", false}, {"Parlomat1", false}, {"", true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.target) + (c.key ? " key" : " click"));
    QWidget* target =
        *c.target ? window->findChild<QWidget*>(QString::fromLatin1(c.target)) : window.get();
    ASSERT_NE(target, nullptr);
    window->timer1().start();
    engine->state.stopEverything = "NO";
    takeCalls();
    if (c.key) {
      QTest::keyClick(target, Qt::Key_A);
    } else {
      QTest::mouseClick(target, Qt::LeftButton);
    }
    EXPECT_EQ(takeCalls(), std::vector<std::string>{"Stop_Real_Action"});
    EXPECT_FALSE(window->timer1().isActive());
    EXPECT_EQ(engine->state.stopEverything, "YES");
    EXPECT_TRUE(window->isVisible());
  }
}

TEST_F(Tarnwick, ClosingForm2StopsRecognitionAndTimer1AndLeavesTheMainWindowOpen) {
  hear("windows");
  takeCalls();
  form2()->close();
  EXPECT_EQ(takeCalls(), std::vector<std::string>{"Stop_Real_Action"});
  EXPECT_FALSE(form2Shown());
  EXPECT_FALSE(window->timer1().isActive());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(window->windowsHeard());
  EXPECT_EQ(unloads->count(), 0);
  EXPECT_EQ(printed.str(), "");
}

TEST_F(Tarnwick, ClosingTheMainWindowStopsRecognitionAndUnloads) {
  takeCalls();
  window->close();
  EXPECT_EQ(takeCalls(), std::vector<std::string>{"Stop_Real_Action"});
  EXPECT_FALSE(window->timer1().isActive());
  EXPECT_EQ(unloads->count(), 1);
}

// The request itself: logind first, systemctl only when logind cannot be asked or refuses.
TEST(TarnwickPowerRequest, AsksLogindAndFallsBackToSystemctl) {
  struct Case {
    PowerControl::Request request;
    bool logindAccepts;
    QStringList expectedLogind;
    QStringList expectedSystemctl;
  };
  const Case cases[] = {
      {PowerControl::Request::Shutdown, true, {"PowerOff"}, {}},
      {PowerControl::Request::Restart, true, {"Reboot"}, {}},
      {PowerControl::Request::Shutdown, false, {"PowerOff"}, {"poweroff"}},
      {PowerControl::Request::Restart, false, {"Reboot"}, {"reboot"}},
  };
  for (const Case& c : cases) {
    QStringList logind, systemctl;
    tarnwick::SystemPowerControl power(
        {[&](const QString& method) {
           logind << method;
           return c.logindAccepts;
         },
         [&](const QStringList& arguments) { systemctl << arguments; }});
    power.request(c.request);
    EXPECT_EQ(logind, c.expectedLogind);
    EXPECT_EQ(systemctl, c.expectedSystemctl);
  }
}

TEST(TarnwickPowerRequest, TheDryRunOnlyWhenTheVariableIsOne) {
  for (const char* value : {"1", "0", "yes", ""}) {
    ::setenv(tarnwick::kDryRunVariable, value, 1);
    std::ostringstream out;
    const auto power = tarnwick::makePowerControl(out);
    const bool dry = dynamic_cast<tarnwick::DryRunPowerControl*>(power.get()) != nullptr;
    EXPECT_EQ(dry, std::string(value) == "1") << value;
    if (dry) {
      power->request(PowerControl::Request::Restart);
      power->request(PowerControl::Request::Shutdown);
      EXPECT_EQ(out.str(), "power-request: restart\npower-request: shutdown\n");
    }
  }
  ::unsetenv(tarnwick::kDryRunVariable);
}

}  // namespace
}  // namespace parlomat::testing
