// The Language Editor driven as a user drives it: every box answered by the scripted dialogs, every
// file change read back whole.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QMessageBox>
#include <QTest>

#include "control/Parlomat.h"
#include "editors/DataDisplay.h"
#include "editors/Database.h"
#include "editors/EditorRules.h"
#include "editors/FeaturesDisplay.h"
#include "editors/ShapeFrame.h"
#include "matching/LanguageMatcher.h"
#include "tests/editors/EditorTestSupport.h"
#include "tests/qt/QtTestSupport.h"

namespace parlomat::testing {
namespace {

using editors::Database;

constexpr const char* kTitle = "Parlomat Language Editor";
const std::string kRequest = editors::kNonzeroRequest;

std::string padded(const std::string& s, size_t n = 40) {
  return s + std::string(n - s.size(), ' ');
}

std::vector<LanguageRecord> threeWords() {
  return {languageRecord(1, "alpha", "DejaVu Sans", 2, 800, {{"a*", 60}, {"al??", 40}}),
          languageRecord(2, "beta", "", 3, 1200, {{"b*", 70}}),
          languageRecord(3, "gamma", "DejaVu Serif", 1, 400, {})};
}

class LanguageEditor : public EditorFixture {
 protected:
  LanguageEditor() : words(path("words.Lang")) {}

  Database* le() const { return windows.languageEditor(); }
  // Opens the editor on `file` as the language step does, at `record`.
  void openOn(const std::string& file, int32_t record = 0) {
    s().languageFileToAdd = file;
    s().languageMatchRecord = record;
    windows.showLanguageEditor();
    ASSERT_TRUE(windows.languageEditorOpen());
  }
  void openWords(int32_t record = 0) {
    writeLanguageFile(words, records);
    openOn(words, record);
  }
  std::string caption() const { return le()->windowTitle().toLatin1().toStdString(); }
  // The record the window shows: caption, word and fields, protocols and ratings.
  void expectShown(const LanguageRecord& r) {
    SCOPED_TRACE("record " + std::to_string(r.refNo));
    EXPECT_EQ(caption(), "Parlomat Language Database.Rec No: " + std::to_string(r.refNo) + " " +
                             LanguageRecord::stored(r.name));
    EXPECT_EQ(text(le(), "Text1"), LanguageRecord::trimmed(r.name));
    EXPECT_EQ(text(le(), "TextDiv"), editors::divisionCountRule(std::to_string(r.divisionCount)));
    EXPECT_EQ(text(le(), "Text2"), editors::timeLengthRule(std::to_string(r.totalTimeLength)));
    EXPECT_EQ(text(le(), "Label9"), std::to_string(r.entryCount));
    std::vector<std::string> protocols, ratings;
    for (size_t i = 1; i <= static_cast<size_t>(r.validEntryCount()); ++i) {
      protocols.push_back(LanguageRecord::trimmed(r.protocols[i]));
      ratings.push_back(std::to_string(r.ratings[i]));
    }
    EXPECT_EQ(items(combo("Combo2")), protocols);
    EXPECT_EQ(items(combo("Combo3")), ratings);
    EXPECT_EQ(le()->workingEntryCount(), r.validEntryCount());
  }
  QComboBox* combo(const std::string& name) const { return child<QComboBox>(le(), name); }
  QLineEdit* edit(const std::string& name) const { return child<QLineEdit>(le(), name); }
  bool shown(const std::string& name) const {
    return child<QWidget>(le(), name)->isVisibleTo(le());
  }
  // Types a protocol and its rating and adds them, answering the question with `answer`.
  void addProtocol(const std::string& protocol, const std::string& rating,
                   const std::string& answer = "Yes") {
    combo("Combo2")->setEditText(QString::fromLatin1(protocol.c_str()));
    type(combo("Combo3")->lineEdit(), rating);
    this->answer(answer);
    click(le(), "Command5");
  }

  std::string words;
  std::vector<LanguageRecord> records = threeWords();
};

TEST_F(LanguageEditor, OpensTheFileToAddAtTheRecordOfTheLastMatch) {
  struct Case {
    int32_t matchRecord;
    int shownRecord;
  };
  // The last record is opened too; numbers outside the file give the first record.
  const Case cases[] = {{0, 1}, {2, 2}, {3, 3}, {4, 1}, {-2, 1}};
  writeLanguageFile(words, records);
  for (const Case& c : cases) {
    SCOPED_TRACE("languageMatchRecord " + std::to_string(c.matchRecord));
    engine->timer5->setEnabled(true);
    openOn("  " + words + " ", c.matchRecord);
    expectShown(records[static_cast<size_t>(c.shownRecord - 1)]);
    EXPECT_EQ(text(le(), "TFNam"), words);
    EXPECT_EQ(s().editorFilePath, words);
    EXPECT_FALSE(engine->timer5->enabled()) << "listening pauses while the editor is open";
    for (const char* menu : {"mnuViewAll", "mnuResave", "mnuByNumber", "mnuByName"}) {
      EXPECT_TRUE(reachable(le(), menu)) << menu;
    }
    EXPECT_TRUE(shown("Command3") && shown("Command7") && shown("NextHit"));
    EXPECT_FALSE(shown("Command10")) << "Resave shows only after the file dialog";
    EXPECT_EQ(items(combo("Combo4")).size(), 8u);
    EXPECT_EQ(items(combo("Combo4"))[1], "'eeuuucss' write as 'ee*ss' = Introduction 50 %");
    EXPECT_EQ(items(combo("Combo1")), sim.fonts.families());
    windows.closeLanguageEditor();
    EXPECT_FALSE(windows.languageEditorOpen());
  }
  expectLanguageFile(words, records);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(LanguageEditor, WithoutAFileToAddTheRecordControlsStayHidden) {
  answer("OK");
  openOn("   ");
  EXPECT_EQ(boxes(), std::vector<std::string>{"Parlomat User Error|You have not entered the "
                                              "location of the Language File to Add|OK|none"});
  for (const char* item : {"mnuViewAll", "mnuResave", "mnuByName"}) {
    EXPECT_FALSE(reachable(le(), item)) << item;
  }
  EXPECT_TRUE(reachable(le(), "mnuNewFile"));
  EXPECT_TRUE(reachable(le(), "mnuThisWord"));
  for (const char* button : {"Command3", "Command7", "Command10", "NextHit"}) {
    EXPECT_FALSE(shown(button)) << button;
  }
  EXPECT_FALSE(child<QWidget>(le(), "Command5")->isEnabled());
  EXPECT_EQ(caption(), kTitle);
  EXPECT_EQ(child<editors::ShapeFrame>(le(), "Shape3")->borderColour(), QColor(Qt::black));
  // Load does nothing without a file to add.
  click(le(), "Command2");
  EXPECT_FALSE(s().fileNumber);
  EXPECT_TRUE(boxes().empty());
}

TEST_F(LanguageEditor, TheFileDialogAcceptsLanguageFileNamesOnly) {
  writeLanguageFile(words, records);
  answer("OK");
  openOn("");
  boxes();
  struct Case {
    std::string chosen;
    bool accepted;
  };
  const Case cases[] = {
      {words, true},
      {"*.Lang", false},  // cancelled: the dialog gives back the name it was given
      {path("notes.txt"), false},
      {"  " + words + "  ", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.chosen);
    s().languageMatchRecord = 3;
    answer(c.chosen);
    if (!c.accepted) answer("OK");
    click(le(), "Command1");
    auto shownBoxes = boxes();
    ASSERT_FALSE(shownBoxes.empty());
    EXPECT_EQ(shownBoxes[0], "file|Open Parlomat Language Editor|*.Lang|*.Lang");
    const auto* frame = child<editors::ShapeFrame>(le(), "Shape3");
    if (c.accepted) {
      EXPECT_EQ(shownBoxes.size(), 1u);
      EXPECT_EQ(text(le(), "TFNam"), "words.Lang");
      EXPECT_EQ(s().editorFilePath, words);
      EXPECT_EQ(frame->borderColour(), QColor(0, 250, 0));
      EXPECT_EQ(s().languageMatchRecord, 1);
      EXPECT_TRUE(shown("Command10") && shown("Command3") && shown("NextHit"));
      EXPECT_TRUE(le()->hasFile());
      expectShown(records[0]);
    } else {
      EXPECT_EQ(shownBoxes, (std::vector<std::string>{
                                "file|Open Parlomat Language Editor|*.Lang|*.Lang",
                                "Parlomat Language Editor Info.|You did not enter a file name or "
                                "the name is not valid, verify and try again|OK|exclamation"}));
      EXPECT_EQ(text(le(), "TFNam"), "Try Again");
      EXPECT_EQ(frame->borderColour(), QColor(Qt::black));
      EXPECT_EQ(s().languageMatchRecord, 3);
    }
  }
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, ATypedNameOpensOrCreatesAFileAndClosesTheOneBefore) {
  openWords();
  const std::string fresh = path("new words.Lang");
  answer(path("wrong.LANG"));
  answer("OK");
  trigger(le(), "mnuNewFile");
  EXPECT_EQ(boxes()[0], "input|Open:|Open this old or new *.Lang File :|" + words);
  EXPECT_EQ(text(le(), "TFNam"), "Try Again");
  EXPECT_EQ(s().fileNumber->path(), words) << "a refused name leaves the file open";

  answer(" " + fresh + " ");
  trigger(le(), "mnuNewFile");
  boxes();
  EXPECT_EQ(text(le(), "TFNam"), fresh);
  EXPECT_EQ(s().editorFilePath, fresh);
  ASSERT_TRUE(s().fileNumber);
  EXPECT_EQ(s().fileNumber->path(), fresh);
  EXPECT_EQ(sim.files.openCount(), 1) << "the file open before is closed";
  EXPECT_EQ(s().recordCount, 0);
  EXPECT_EQ(caption(), "Parlomat Language Database.Rec No: 1 " + padded(""));
  EXPECT_EQ(text(le(), "Text1"), "");
  EXPECT_FALSE(shown("Command10"));
  EXPECT_EQ(child<editors::ShapeFrame>(le(), "Shape3")->borderColour(), QColor(0, 250, 0));

  // Browsing a file without records creates none.
  answer("OK");
  click(le(), "NextHit");
  answer("OK");
  click(le(), "Command7");
  EXPECT_EQ(boxes(), (std::vector<std::string>{"Parlomat Language Editor|No More Records|OK|none",
                                               "| Start of File|OK|information"}));
  trigger(le(), "mnuViewCurrent");
  expectLanguageFile(fresh, {});
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, ANewWordTakesOneProtocolAndIsAddedAsTheLastRecord) {
  openWords(2);
  click(le(), "Command9");
  EXPECT_TRUE(le()->newRecordMode());
  EXPECT_EQ(text(le(), "Text1"), "");
  EXPECT_EQ(text(le(), "TextDiv"), "1");
  EXPECT_EQ(text(le(), "Text2"), kRequest);
  EXPECT_EQ(text(le(), "Label9"), "");
  EXPECT_TRUE(items(combo("Combo2")).empty());
  EXPECT_EQ(le()->workingEntryCount(), 0);

  type(edit("Text1"), "delta");
  const int font = combo("Combo1")->findText("Times New Roman");
  ASSERT_GE(font, 0);
  choose(combo("Combo1"), font);
  EXPECT_EQ(edit("Text1")->font().family(), "Times New Roman");
  type(edit("TextDiv"), "2");
  type(edit("Text2"), "950");
  addProtocol("d?lt*", "80");
  EXPECT_EQ(boxes(), std::vector<std::string>{
                         "Parlomat Language Editor|Are you sure you want to add a new protocol : "
                         "d?lt* for delta   as new data to file " +
                         words +
                         ".  Please press 'Yes' and then press 'Add' or 'Resave' to complete the "
                         "job|YesNo|none"});
  EXPECT_EQ(text(le(), "Label7"), "1");
  EXPECT_FALSE(le()->newRecordMode());
  EXPECT_EQ(items(combo("Combo2")), std::vector<std::string>{"d?lt*"});
  EXPECT_EQ(items(combo("Combo3")), std::vector<std::string>{"80"});

  answer("Yes");
  click(le(), "Command3");
  EXPECT_EQ(boxes(), std::vector<std::string>{"Parlomat Language Editor|Are you ready to add  "
                                              "delta   with data to file " +
                                              words + " ?|YesNo|none"});
  const LanguageRecord delta =
      languageRecord(4, "delta", "Times New Roman", 2, 950, {{"d?lt*", 80}});
  records.push_back(delta);
  expectLanguageFile(words, records);
  EXPECT_EQ(s().recordCount, 4);
  EXPECT_EQ(s().languageMatchRecord, 4);
  expectShown(delta);

  // One protocol per save: a second addition before saving counts as the same new entry.
  addProtocol("de*", "55");
  EXPECT_EQ(text(le(), "Label7"), "2");
  addProtocol("xx*", "30");
  EXPECT_EQ(text(le(), "Label7"), "2");
  EXPECT_EQ(items(combo("Combo2")), (std::vector<std::string>{"d?lt*", "de*", "xx*"}));
  answer("Yes");
  trigger(le(), "mnuResave");
  EXPECT_EQ(boxes().back(),
            "Parlomat Language Editor|Are you ready to resave  delta   with data "
            "to file " +
                words + " ?|YesNo|none");
  records[3] = languageRecord(4, "delta", "Times New Roman", 2, 950, {{"d?lt*", 80}, {"de*", 55}});
  expectLanguageFile(words, records);
  expectShown(records[3]);

  // Answering No adds nothing.
  addProtocol("zz", "10", "No");
  answer("No");
  click(le(), "Command3");
  boxes();
  EXPECT_EQ(items(combo("Combo2")), (std::vector<std::string>{"d?lt*", "de*"}));
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, AProtocolBeyondTheHundredthIsRefused) {
  Protocols full;
  for (int i = 1; i <= 100; ++i) full.push_back({"p" + std::to_string(i), int16_t(i % 90 + 1)});
  records = {languageRecord(1, "full", "", 1, 100, full)};
  openWords();
  combo("Combo2")->setEditText("p101");
  answer("OK");
  click(le(), "Command5");
  EXPECT_EQ(boxes(), std::vector<std::string>{
                         "Parlomat Language Editor|This word already has 100 string compare "
                         "protocols, the most a record can hold. Edit one of them instead.|OK|"
                         "exclamation"});
  EXPECT_EQ(items(combo("Combo2")).size(), 100u);
  EXPECT_EQ(text(le(), "Label7"), "");
  // A new word starts again from one protocol.
  click(le(), "Command9");
  addProtocol("p1", "50");
  boxes();
  EXPECT_EQ(text(le(), "Label7"), "1");
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, ResaveRenameAndDeleteChangeTheShownRecordOnly) {
  openWords(1);
  click(le(), "NextHit");
  // Resave takes the window: word, division count, time length and the listed protocols.
  type(edit("Text1"), "bravo");
  type(edit("TextDiv"), "4");
  type(edit("Text2"), "1300");
  answer("No");
  trigger(le(), "mnuResave");
  expectLanguageFile(words, records);
  answer("Yes");
  trigger(le(), "mnuResave");
  boxes();
  records[1] = languageRecord(2, "bravo", "DejaVu Sans", 4, 1300, {{"b*", 70}});
  expectLanguageFile(words, records);
  expectShown(records[1]);

  struct Rename {
    std::string answer, stored;
  };
  for (const Rename& r : {Rename{"  omega  ", "omega"}, Rename{"", ""},
                          Rename{std::string(45, 'w'), std::string(40, 'w')}}) {
    answer(r.answer);
    trigger(le(), "mnuRename");
    EXPECT_EQ(boxes(), std::vector<std::string>{"input|Rename:|Enter the New Name:|XYZ"});
    LanguageRecord::setText(records[1].name, r.stored);
    expectLanguageFile(words, records);
    expectShown(records[1]);
  }

  answer("No");
  trigger(le(), "mnuDeleteRecord");
  expectLanguageFile(words, records);
  answer("Yes");
  trigger(le(), "mnuDeleteRecord");
  EXPECT_EQ(boxes().back(),
            "Parlomat Language Editor|Are you sure you want to delete all and "
            "every data under this name and record?|YesNo|none");
  LanguageRecord& gone = records[1];
  gone.name = gone.fontName = LanguageRecord::blankText();
  gone.divisionCount = 0;
  gone.totalTimeLength = 0;
  gone.entryCount = 0;
  for (size_t i = 1; i <= 100; ++i) gone.protocols[i].fill('\0');
  expectLanguageFile(words, records);
  EXPECT_EQ(readLanguageFile(words)[1].ratings[1], 70) << "ratings stay";
  expectShown(gone);
}

TEST_F(LanguageEditor, EditingAProtocolKeepsAnOldRatingForOneThatIsNoNumber) {
  openWords(1);
  answer("OK");
  click(le(), "Command6");
  EXPECT_EQ(boxes(), std::vector<std::string>{"Parlomat Language Editor|Please select a entry "
                                              "from the dropdown list for editing.|OK|none"});
  struct Case {
    std::string protocol, rating;
    std::string storedProtocol;
    int16_t storedRating;
  };
  const Case cases[] = {
      {" al* ", "abc", "al*", 40},  // not a number: the old rating stays
      {"al*", "75.6", "al*", 76},  {"alf", "12x", "alf", 76},
      {"", "30", "alf", 76},  // an empty answer changes nothing
      {"alp", "  ", "alf", 76},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.protocol + "/" + c.rating);
    choose(combo("Combo2"), 1);
    EXPECT_EQ(combo("Combo3")->currentIndex(), 1) << "the rating line follows the protocol line";
    const std::string oldProtocol = items(combo("Combo2"))[1];
    const std::string oldRating = items(combo("Combo3"))[1];
    answer(c.protocol);
    answer(c.rating);
    click(le(), "Command6");
    EXPECT_EQ(boxes(), (std::vector<std::string>{
                           "input|Edit Entry|Enter the new string compare protocol to replace "
                           "this:  " +
                               oldProtocol + "|",
                           "input|Edit Entry|Enter the new string compare protocol percentage "
                           "rating:  " +
                               oldRating + "|"}));
    LanguageRecord::setText(records[0].protocols[2], c.storedProtocol);
    records[0].ratings[2] = c.storedRating;
    expectLanguageFile(words, records);
    expectShown(records[0]);
  }
  // Choosing a rating line shows the same protocol line.
  choose(combo("Combo3"), 0);
  EXPECT_EQ(combo("Combo2")->currentIndex(), 0);
}

TEST_F(LanguageEditor, NextAndPreviousStopAtBothEndsWithoutChangingTheFile) {
  openWords(1);
  answer("OK");
  click(le(), "Command7");
  expectShown(records[0]);
  click(le(), "NextHit");
  expectShown(records[1]);
  trigger(le(), "mnuNext");
  expectShown(records[2]);
  answer("OK");
  click(le(), "NextHit");
  answer("OK");
  trigger(le(), "mnuNext");
  expectShown(records[2]);
  trigger(le(), "mnuPrevious");
  expectShown(records[1]);
  answer("OK");
  trigger(le(), "mnuPrevious");
  trigger(le(), "mnuPrevious");
  expectShown(records[0]);
  EXPECT_EQ(boxes(), (std::vector<std::string>{"| Start of File|OK|information",
                                               "Parlomat Language Editor|No More Records|OK|none",
                                               "|No More Records|OK|information",
                                               "| Start of File|OK|information"}));
  trigger(le(), "mnuViewCurrent");
  expectShown(records[2]);
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, FindsRecordsByNumberAndByName) {
  openWords(1);
  struct ByNumber {
    std::string answer;
    int shown;  // 0: a "not present" box
  };
  const ByNumber numbers[] = {{"2", 2},  {"0", 2},   {"", 2},     {"2.6", 3}, {"7", 0},
                              {"-1", 0}, {"0.4", 0}, {"1abc", 1}, {"abc", 1}};
  for (const ByNumber& c : numbers) {
    SCOPED_TRACE("number '" + c.answer + "'");
    answer(c.answer);
    if (c.shown == 0) answer("OK");
    const std::string before = caption();
    trigger(le(), "mnuByNumber");
    auto b = boxes();
    EXPECT_EQ(b[0], "input|Find:|Enter Reference Number|");
    if (c.shown == 0) {
      EXPECT_EQ(b.at(1), "Parlomat Language Editor|Record " + c.answer +
                             " not present|OK|"
                             "exclamation");
      EXPECT_EQ(caption(), before);
    } else {
      expectShown(records[static_cast<size_t>(c.shown - 1)]);
    }
  }

  answer("gamma");
  trigger(le(), "mnuByName");
  EXPECT_EQ(boxes(), std::vector<std::string>{"input|Find :|Enter Target Name|"});
  expectShown(records[2]);
  answer("alpha");
  trigger(le(), "mnuByName");
  expectShown(records[0]);
  // Not found: the record shown stays the working record, so Resave writes it where it was.
  for (const std::string missing : {"zeta", "alpha "}) {
    answer(missing);
    answer("OK");
    trigger(le(), "mnuByName");
    EXPECT_EQ(boxes().back(),
              "Parlomat Language Editor |Record " + missing + " not present|OK|exclamation");
    EXPECT_EQ(s().matching.languageRecord.refNo, 1);
  }
  answer("");
  trigger(le(), "mnuByName");
  EXPECT_EQ(boxes().size(), 1u);
  type(edit("Text1"), "alpha2");
  answer("Yes");
  trigger(le(), "mnuResave");
  LanguageRecord::setText(records[0].name, "alpha2");
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, TheListWindowListsTitlesAndShowsTheRecordChosen) {
  records.clear();
  for (int n = 1; n <= 12; ++n) {
    records.push_back(languageRecord(n, n == 12 ? "word" : "w" + std::to_string(n), "",
                                     static_cast<int16_t>(n % 5 + 1), 100 * n, {{"x", 5}}));
  }
  records[11].divisionCount = 3;
  openWords(5);
  trigger(le(), "mnuViewAll");
  editors::DataDisplay* list = le()->dataDisplay();
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->windowTitle(), "Parlomat Language  Editor :  Database Display");
  auto lines = list->lines();
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[0], "1   w1  (2) ");
  EXPECT_EQ(lines[11], "12   word  (3) ");
  expectShown(records[4]);
  EXPECT_EQ(s().matching.languageRecord.refNo, 5) << "the record shown is read again";
  trigger(le(), "mnuViewAll");
  EXPECT_EQ(list->lines().size(), 24u) << "lines accumulate until the window closes";
  choose(list->list(), 11);
  expectShown(records[11]);
  choose(list->list(), 0);
  expectShown(records[0]);
  list->close();
  EXPECT_TRUE(list->lines().empty());
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, TypedFieldsKeepTheirRules) {
  openWords(1);
  struct Case {
    const char* field;
    std::string typed, kept;
  };
  const Case cases[] = {
      {"TextDiv", "7", "5"},      {"TextDiv", "0", "1"},         {"TextDiv", "3", "3"},
      {"TextDiv", "34", "5"},     {"Text2", "250000", "100000"}, {"Text2", "0", kRequest},
      {"Text2", "abc", kRequest}, {"Text2", "0450", "450"},      {"Combo3", "250", "100"},
      {"Combo3", "abc", "2"},     {"Combo3", "45", "45"},        {"Combo3", "05", "5"},
      {"Combo3", "1000", "100"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.field) + " typed " + c.typed);
    QLineEdit* e = std::string(c.field) == "Combo3" ? combo("Combo3")->lineEdit() : edit(c.field);
    type(e, c.typed);
    EXPECT_EQ(e->text().toLatin1().toStdString(), c.kept);
  }
  // A replaced text is selected: the next key replaces it.
  type(edit("TextDiv"), "9");
  EXPECT_EQ(edit("TextDiv")->selectedText(), "5");
  QTest::keyClicks(edit("TextDiv"), "2");
  EXPECT_EQ(text(le(), "TextDiv"), "2");
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, ANoMatchBecomesANewWordFromTheCurrentMemory) {
  writeLanguageFile(words, records);
  s().languageFileToMatch = words;
  s().languageFileToAdd = words;
  s().artificialIntelligence = kYes;
  s().addToLanguage = kNo;
  s().notifyIfNoLanguageMatch = kYes;
  s().onDemandMode = 0;
  s().utteranceDone = 1;
  s().memoryDivisionCount[1] = 3;
  const char* chars[] = {"", "ka", "ka kha", "ka kha ga"};
  for (size_t k = 1; k <= 3; ++k) {
    s().memoryDivisionCount[k] = 3;
    s().memoryDivisionTime[k] = static_cast<int32_t>(300 + 100 * k);
    s().memoryDivisionChars[k] = chars[k];
  }
  answer("Yes");
  matchLanguageUtterance(*engine);
  EXPECT_EQ(boxes()[0].substr(0, 31), "Parlomat Language Development|Y");
  ASSERT_TRUE(windows.languageEditorOpen());
  EXPECT_FALSE(engine->timer5->enabled());
  expectShown(records[0]);
  EXPECT_TRUE(reachable(le(), "mnuDisplayMemory"));

  trigger(le(), "mnuMemory2");
  EXPECT_EQ(text(le(), "Label5"), "2");
  EXPECT_EQ(text(le(), "TextDiv"), "3");
  EXPECT_EQ(text(le(), "Text2"), "500");
  EXPECT_EQ(text(le(), "Combo2"), "ka kha");

  click(le(), "Command9");
  trigger(le(), "mnuDisplayMemory");
  EXPECT_EQ(text(le(), "Label5"), "Total");
  EXPECT_EQ(text(le(), "TextDiv"), "3");
  EXPECT_EQ(text(le(), "Text2"), "1500");
  EXPECT_EQ(text(le(), "Combo2"), "ka kha ga");
  EXPECT_EQ(text(le(), "Combo3"), "100");
  EXPECT_TRUE(le()->dataDisplay()->isVisible());
  EXPECT_EQ(le()->dataDisplay()->lines(),
            (std::vector<std::string>{"ka-   Length :  -400", "ka kha-   Length :  -500",
                                      "ka kha ga-   Length :  -600"}));
  type(edit("Text1"), "kakhaga");
  answer("Yes");
  click(le(), "Command5");
  answer("Yes");
  click(le(), "Command3");
  boxes();
  records.push_back(languageRecord(4, "kakhaga", edit("Text1")->font().family().toStdString(), 3,
                                   1500, {{"ka kha ga", 100}}));
  expectLanguageFile(words, records);

  // Closing the editor hands back to the listening cycle.
  click(le(), "Command8");
  EXPECT_FALSE(windows.languageEditorOpen());
  EXPECT_FALSE(le()->dataDisplay()->isVisible());
  EXPECT_TRUE(engine->timer5->enabled());
  EXPECT_EQ(s().utteranceDone, 0);
  EXPECT_FALSE(s().fileNumber);

  // The word is matched now, and the editor opens at it when adding is on.
  s().addToLanguage = kYes;
  engine->timer5->setEnabled(false);
  matchLanguageUtterance(*engine);
  EXPECT_EQ(s().platinumWord[1], "kakhaga");
  ASSERT_TRUE(windows.languageEditorOpen());
  expectShown(records[3]);
}

TEST_F(LanguageEditor, ClosingOnDemandLeavesListeningAloneAndStopDoesNotResumeIt) {
  writeLanguageFile(words, records);
  s().languageFileToAdd = words;
  Parlomat control(engine);
  control.Show_Language_Editor();
  ASSERT_TRUE(windows.languageEditorOpen());
  EXPECT_EQ(s().onDemandMode, 1);
  EXPECT_FALSE(reachable(le(), "mnuDisplayMemory")) << "Current Memory is for the listening cycle";
  trigger(le(), "mnuViewAll");
  trigger(le(), "mnuExitContinue");
  EXPECT_FALSE(windows.languageEditorOpen());
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_TRUE(s().fileNumber) << "only the editor is closed";
  EXPECT_TRUE(le()->dataDisplay()->isVisible());

  // In the cycle, the control's stop closes the editor without handing back to listening.
  s().onDemandMode = 0;
  windows.showLanguageEditor();
  ASSERT_TRUE(windows.languageEditorOpen());
  control.Stop_Real_Action();
  EXPECT_FALSE(windows.languageEditorOpen());
  EXPECT_FALSE(engine->timer5->enabled());
  EXPECT_FALSE(s().fileNumber);
  // The user closing the window in the cycle resumes listening as the exit button does.
  s().stopEverything = kNo;
  windows.showLanguageEditor();
  le()->close();
  EXPECT_TRUE(engine->timer5->enabled());
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, TheWordSummaryPrintsTheRecordInItsFont) {
  Protocols many;
  for (int i = 1; i <= 11; ++i) many.push_back({"p" + std::to_string(i), int16_t(5 * i)});
  records.push_back(languageRecord(4, "many", "DejaVu Serif", 2, 700, many));
  openWords(1);
  trigger(le(), "mnuThisWord");
  editors::FeaturesDisplay* f = le()->featuresDisplay();
  EXPECT_TRUE(f->isVisible());
  EXPECT_EQ(f->windowTitle(), "Features of current word.");
  EXPECT_EQ(f->printed(),
            (std::vector<std::string>{"Name :  " + padded("alpha"), "No of divisons :  2",
                                      "Total Timelength :  800", "No. of entries :  2",
                                      "Entry no 1 : a* 60", "Entry no 2 : al?? 40"}));
  EXPECT_EQ(f->printFamily(), "DejaVu Sans");
  EXPECT_FALSE(f->isTall());
  const int normal = f->height();
  trigger(le(), "mnuViewCurrent");
  trigger(le(), "mnuThisWord");
  EXPECT_TRUE(f->isTall()) << "more than ten entries";
  EXPECT_EQ(f->height(), 3 * normal);
  EXPECT_EQ(f->printed().size(), 15u);
  EXPECT_EQ(f->printed().back(), "Entry no 11 : p11 55");

  // A file without records prints nothing.
  const std::string empty = path("empty.Lang");
  answer(empty);
  trigger(le(), "mnuNewFile");
  trigger(le(), "mnuThisWord");
  EXPECT_TRUE(f->printed().empty());
}

TEST_F(LanguageEditor, AnEmptyFontKeepsTheFontOfTheWord) {
  openWords(1);
  EXPECT_EQ(edit("Text1")->font().family(), "DejaVu Sans");
  click(le(), "NextHit");
  EXPECT_EQ(edit("Text1")->font().family(), "DejaVu Sans") << "record 2 has no font";
  choose(combo("Combo1"), combo("Combo1")->findText("Liberation Mono"));
  EXPECT_EQ(edit("Text1")->font().family(), "Liberation Mono");
  answer("Yes");
  trigger(le(), "mnuResave");
  boxes();
  LanguageRecord::setText(records[1].fontName, "Liberation Mono");
  expectLanguageFile(words, records);
}

TEST_F(LanguageEditor, OthersUsingTheSharedFileDoNotMakeTheEditorWriteTheirRecords) {
  openWords(1);
  // The language matching of a processing reads another file on the shared handle and leaves its
  // last record in the working record.
  const std::string other = path("other.Lang");
  const std::vector<LanguageRecord> otherRecords = {languageRecord(1, "one", "", 1, 10, {{"o", 9}}),
                                                    languageRecord(2, "two", "", 1, 20, {})};
  writeLanguageFile(other, otherRecords);
  s().languageFileToMatch = other;
  scoreLanguageFile(*engine, "x", 0, false);
  EXPECT_EQ(s().matching.languageRecord.refNo, 2);
  EXPECT_FALSE(s().fileNumber);
  click(le(), "NextHit");
  expectShown(records[1]);
  EXPECT_EQ(s().fileNumber->path(), words);
  answer("Yes");
  trigger(le(), "mnuResave");
  boxes();
  // Record 2 has no font of its own and takes the one the word is shown in.
  LanguageRecord::setText(records[1].fontName, "DejaVu Sans");
  expectLanguageFile(words, records);
  expectLanguageFile(other, otherRecords);
}

TEST_F(LanguageEditor, AWordThatDoesNotFitInSingleBytesIsNotStored) {
  openWords(1);
  edit("Text1")->setText(QString::fromUtf8("\u03A9mega"));
  ModalScript script;
  QString seen;
  script.then([&seen](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    seen = box->text();
    box->button(QMessageBox::Ok)->click();
  });
  click(le(), "Command3");
  EXPECT_TRUE(seen.contains("cannot be stored"));
  EXPECT_TRUE(script.unexpected().empty());
  EXPECT_TRUE(boxes().empty()) << "nothing was asked";
  expectLanguageFile(words, records);
}

}  // namespace
}  // namespace parlomat::testing
