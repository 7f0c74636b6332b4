// The Vocabulary Editor driven as a user drives it, from the information window that opens it;
// every file change read back whole.
#include <gtest/gtest.h>

#include <QTest>

#include "editors/DataDisplayVE.h"
#include "editors/Database.h"
#include "editors/DatabaseVE.h"
#include "editors/SplashWindows.h"
#include "tests/editors/EditorTestSupport.h"

namespace parlomat::testing {
namespace {

using editors::DatabaseVE;

constexpr const char* kFindTitle = "Parlomat Vocabulary Editor Version 1.0";

std::string padded(const std::string& s) {
  return s + std::string(20 - s.size(), ' ');
}

class VocabularyEditor : public EditorFixture {
 protected:
  VocabularyEditor() : chars(path("chars.SAY")) {}

  DatabaseVE* ve() const { return windows.vocabularyEditor(); }
  // Opens the editor as the control does: its information window first, then a click on it.
  void openEditor() {
    windows.showVocabularyEditorSplash();
    ASSERT_NE(windows.splash(), nullptr);
    QTest::mouseClick(windows.splash(), Qt::LeftButton);
    ASSERT_NE(ve(), nullptr);
    ASSERT_TRUE(ve()->isVisible());
  }
  void openChars() {
    writeVocabularyFile(chars, records);
    openEditor();
    answer(chars);
    click(ve(), "Command1");
    EXPECT_EQ(boxes(),
              std::vector<std::string>{"file|Open Parlomat Vocabulary to Edit|*.SAY|*.SAY"});
  }
  void expectShown(const VocabularyRecord& r) {
    EXPECT_EQ(
        ve()->windowTitle().toLatin1().toStdString(),
        "Parlomat Vocabulary Database.Rec No: " + std::to_string(r.refNo) + " " + r.storedName());
    EXPECT_EQ(text(ve(), "Text1"), r.storedName());
  }
  bool recordControlsShown() const {
    const bool next = child<QWidget>(ve(), "NextHit")->isVisibleTo(ve());
    const bool menus = reachable(ve(), "mnuViewAll") && reachable(ve(), "mnuRename") &&
                       reachable(ve(), "mnuByName");
    EXPECT_EQ(next, menus);
    return next && menus;
  }

  std::string chars;
  std::vector<VocabularyRecord> records = {
      vocabularyRecord(1, "ka", 40), vocabularyRecord(2, "kha", 12), vocabularyRecord(3, "ga", 0)};
};

TEST_F(VocabularyEditor, TheInformationWindowOpensTheEditorOnAClickOrAKey) {
  windows.showVocabularyEditorSplash();
  ASSERT_NE(windows.splash(), nullptr);
  EXPECT_EQ(windows.splash()->objectName(), "Splash");
  EXPECT_TRUE(windows.splash()->isVisible());
  EXPECT_EQ(ve(), nullptr) << "the editor waits for the click";
  QTest::keyClick(windows.splash(), Qt::Key_Space);
  ASSERT_NE(ve(), nullptr);
  EXPECT_TRUE(ve()->isVisible());
  EXPECT_FALSE(windows.splash() && windows.splash()->isVisible());
  EXPECT_EQ(ve()->windowTitle(), "Parlomat Vocabulary Editor");
  EXPECT_FALSE(recordControlsShown()) << "no file yet";
  EXPECT_TRUE(reachable(ve(), "mnuOpenFile"));
  EXPECT_EQ(child<QWidget>(ve(), "Command1")->toolTip(), "Hit this to get  *.SAY");
  EXPECT_EQ(child<QWidget>(ve(), "NextHit")->toolTip(), "Displays data for next record");
  EXPECT_EQ(child<QWidget>(ve(), "Text1")->toolTip(), "Displays the file entry");
  // About shows the information window again; it does not open a second editor.
  DatabaseVE* first = ve();
  trigger(ve(), "mnuAboutItem");
  ASSERT_NE(windows.splash(), nullptr);
  QTest::mouseClick(windows.splash(), Qt::LeftButton);
  EXPECT_EQ(ve(), first);
  trigger(ve(), "mnuComingUpItem");
  ASSERT_NE(windows.comingSplash(), nullptr);
  EXPECT_TRUE(windows.comingSplash()->isVisible());
  QTest::keyClick(windows.comingSplash(), Qt::Key_Escape);
  EXPECT_FALSE(windows.comingSplash() && windows.comingSplash()->isVisible());
  EXPECT_TRUE(boxes().empty());
}

TEST_F(VocabularyEditor, OpensVocabularyFilesOnlyAndHidesTheRecordMenusOtherwise) {
  writeVocabularyFile(chars, records);
  openEditor();
  struct Case {
    bool typed;
    std::string name;
    bool accepted;
  };
  const Case cases[] = {
      {false, chars, true},
      {false, "*.SAY", false},  // cancelled
      {false, path("speech.wav"), false},
      {true, " " + chars + " ", true},
      {true, path("lower.say"), true},  // a new file, created empty
      {true, path("mixed.Say"), false},
  };
  std::string lastPath;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    answer(c.name);
    if (!c.accepted) answer("OK");
    if (c.typed) {
      trigger(ve(), "mnuOpenFile");
    } else {
      click(ve(), "Command1");
    }
    auto b = boxes();
    ASSERT_FALSE(b.empty());
    EXPECT_EQ(b[0], c.typed ? "input|Open:|Open this *.say File :|" + lastPath
                            : "file|Open Parlomat Vocabulary to Edit|*.SAY|*.SAY");
    const std::string trimmed = trimSpaces(c.name);
    EXPECT_EQ(s().editorFilePath, trimmed) << "the name is kept, valid or not";
    lastPath = trimmed;
    EXPECT_EQ(recordControlsShown(), c.accepted);
    EXPECT_EQ(ve()->hasFile(), c.accepted);
    if (c.accepted) {
      EXPECT_EQ(b.size(), 1u);
      ASSERT_TRUE(s().fileNumber);
      EXPECT_EQ(s().fileNumber->path(), trimmed);
      EXPECT_EQ(sim.files.openCount(), 1) << "the file open before is closed";
    } else {
      EXPECT_EQ(b, (std::vector<std::string>{
                       b[0],
                       "Parlomat Vocabulary Editor Info.|You did not enter a file name or "
                       "the name is not valid, verify and try again|OK|exclamation"}));
      EXPECT_FALSE(s().fileNumber);
    }
  }
  expectVocabularyFile(chars, records);
  expectVocabularyFile(path("lower.say"), {});
  EXPECT_EQ(ve()->windowTitle().toStdString(),
            "Parlomat Vocabulary Database.Rec No: 1 " + padded(""));
}

TEST_F(VocabularyEditor, NextAndPreviousStopAtBothEndsWithoutChangingTheFile) {
  openChars();
  expectShown(records[0]);
  answer("OK");
  trigger(ve(), "mnuPrevious");
  expectShown(records[0]);
  click(ve(), "NextHit");
  trigger(ve(), "mnuNext");
  expectShown(records[2]);
  answer("OK");
  click(ve(), "NextHit");
  answer("OK");
  trigger(ve(), "mnuNext");
  expectShown(records[2]);
  trigger(ve(), "mnuPrevious");
  expectShown(records[1]);
  EXPECT_EQ(boxes(), (std::vector<std::string>{"| Start of File|OK|information",
                                               "|No More Records|OK|information",
                                               "|No More Records|OK|information"}));
  expectVocabularyFile(chars, records);
}

TEST_F(VocabularyEditor, RenameAndDeleteChangeTheShownRecordOnly) {
  openChars();
  click(ve(), "NextHit");
  struct Rename {
    std::string answer, stored;
  };
  for (const Rename& r : {Rename{"  kappa  ", "kappa"},
                          Rename{std::string(25, 'k'), std::string(20, 'k')}, Rename{"", ""}}) {
    answer(r.answer);
    trigger(ve(), "mnuRename");
    EXPECT_EQ(boxes(), std::vector<std::string>{"input|Rename:|Enter the New Name:|XYZ"});
    records[1].setName(r.stored);
    expectVocabularyFile(chars, records);
    expectShown(records[1]);
  }

  // Deleting blanks without asking: valleys 0 to the old count become 0, the rest stay.
  trigger(ve(), "mnuPrevious");
  trigger(ve(), "mnuDelete");
  EXPECT_TRUE(boxes().empty());
  VocabularyRecord& blanked = records[0];
  blanked.name = VocabularyRecord::blankName();
  for (size_t i = 0; i <= 40; ++i) blanked.valleys[i] = 0;
  blanked.valleyCount = 0;
  expectVocabularyFile(chars, records);
  const VocabularyRecord back = readVocabularyFile(chars)[0];
  EXPECT_EQ(back.refNo, 1);
  EXPECT_EQ(back.valleys[40], 0);
  EXPECT_NE(back.valleys[41], 0);
  expectShown(blanked);
}

TEST_F(VocabularyEditor, FindsRecordsByNumberAndByName) {
  openChars();
  struct ByNumber {
    std::string answer;
    int shown;  // 0: a "not present" box
  };
  const ByNumber numbers[] = {{"3", 3}, {"0", 3}, {"", 3}, {"1.4", 1}, {"4", 0}, {"-2", 0}};
  for (const ByNumber& c : numbers) {
    SCOPED_TRACE("number '" + c.answer + "'");
    answer(c.answer);
    if (c.shown == 0) answer("OK");
    trigger(ve(), "mnuByNumber");
    auto b = boxes();
    EXPECT_EQ(b[0], "input|Find:|Enter Reference Number|");
    if (c.shown == 0) {
      EXPECT_EQ(b.at(1), std::string(kFindTitle) + "|Record " + c.answer +
                             " not present|OK|"
                             "exclamation");
    } else {
      expectShown(records[static_cast<size_t>(c.shown - 1)]);
    }
  }
  answer("kha");
  trigger(ve(), "mnuByName");
  EXPECT_EQ(boxes(), std::vector<std::string>{"input|Find :|Enter Target Name|"});
  expectShown(records[1]);
  trigger(ve(), "mnuPrevious");
  // Not found: the record shown stays the working record, so Rename writes it where it was.
  answer("kh");
  answer("OK");
  trigger(ve(), "mnuByName");
  EXPECT_EQ(boxes().back(), std::string(kFindTitle) + "|Record kh not present|OK|exclamation");
  EXPECT_EQ(s().matching.vocabularyRecord.refNo, 1);
  answer("ka2");
  trigger(ve(), "mnuRename");
  boxes();
  records[0].setName("ka2");
  expectVocabularyFile(chars, records);
}

TEST_F(VocabularyEditor, TheListWindowListsRecordsUnderAHeaderAndShowsTheRecordChosen) {
  openChars();
  trigger(ve(), "mnuViewAll");
  editors::DataDisplayVE* list = ve()->dataDisplay();
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->windowTitle(), "Parlomat Vocabulary  Editor :  Database DisplayDatabase Table");
  EXPECT_EQ(list->printed(), std::vector<std::string>{"     RefNo    Name"});
  EXPECT_EQ(list->lines(), (std::vector<std::string>{" 1           " + padded("ka"),
                                                     " 2           " + padded("kha"),
                                                     " 3           " + padded("ga")}));
  expectShown(records[0]);
  trigger(ve(), "mnuViewCurrent");
  EXPECT_EQ(list->lines().size(), 4u);
  EXPECT_EQ(list->lines().back(), " 3           " + padded("ga"));
  EXPECT_EQ(list->printed().size(), 1u) << "the printed area is cleared before the header";
  choose(list->list(), 1);
  expectShown(records[1]);
  choose(list->list(), 3);
  expectShown(records[2]);
  list->close();
  EXPECT_TRUE(list->lines().empty());
  expectVocabularyFile(chars, records);
}

TEST_F(VocabularyEditor, RecordsFromTheThousandthOnCannotBeChosenFromTheList) {
  records.assign(1000, VocabularyRecord::blank());
  for (int n : {1, 100, 1000}) {
    records[static_cast<size_t>(n - 1)] = vocabularyRecord(n, "r" + std::to_string(n), 3);
  }
  openChars();
  trigger(ve(), "mnuViewCurrent");
  const auto lines = ve()->dataDisplay()->lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0], " 1000           " + padded("r1000"));
  choose(ve()->dataDisplay()->list(), 0);
  expectShown(records[99]);
}

TEST_F(VocabularyEditor, ClosingClosesTheFileAndShowsTheComingUpgrades) {
  openChars();
  trigger(ve(), "mnuViewAll");
  ve()->close();
  EXPECT_FALSE(s().fileNumber);
  ASSERT_NE(windows.comingSplash(), nullptr);
  EXPECT_TRUE(windows.comingSplash()->isVisible());
  EXPECT_TRUE(ve()->dataDisplay()->isVisible()) << "only Exit closes the list window as well";
  windows.comingSplash()->close();

  openChars();
  trigger(ve(), "mnuViewAll");
  trigger(ve(), "mnuExit");
  EXPECT_FALSE(ve()->isVisible());
  EXPECT_FALSE(ve()->dataDisplay()->isVisible());
  EXPECT_FALSE(s().fileNumber);
  EXPECT_TRUE(windows.comingSplash()->isVisible());
  expectVocabularyFile(chars, records);
}

TEST_F(VocabularyEditor, BothEditorsOpenAtOnceEachKeepToTheirOwnFile) {
  const std::string words = path("words.Lang");
  const std::vector<LanguageRecord> wordRecords = {languageRecord(1, "one", "", 1, 10, {{"o", 9}}),
                                                   languageRecord(2, "two", "", 1, 20, {})};
  writeLanguageFile(words, wordRecords);
  openChars();
  // The Language Editor opens its file on the same shared handle.
  s().languageFileToAdd = words;
  s().onDemandMode = 1;
  windows.showLanguageEditor();
  ASSERT_EQ(s().fileNumber->path(), words);
  click(ve(), "NextHit");
  expectShown(records[1]);
  answer("kappa");
  trigger(ve(), "mnuRename");
  boxes();
  click(windows.languageEditor(), "NextHit");
  EXPECT_EQ(text(windows.languageEditor(), "Text1"), "two");
  records[1].setName("kappa");
  expectVocabularyFile(chars, records);
  expectLanguageFile(words, wordRecords);
}

}  // namespace
}  // namespace parlomat::testing
