#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "platform/qt/QtDialogs.h"
#include "tests/qt/QtTestSupport.h"

namespace parlomat {
namespace {

using testing::ModalScript;

struct SeenBox {
  QString title, text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
};

// Records the box, then presses `press` (a reject when it is NoButton: Escape or the close box).
ModalScript::Action pressOn(SeenBox& seen, QMessageBox::StandardButton press) {
  return [&seen, press](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr) << w->metaObject()->className();
    seen = {box->windowTitle(), box->text(), box->icon(), box->standardButtons()};
    if (press == QMessageBox::NoButton) {
      box->reject();
    } else {
      box->button(press)->click();
    }
  };
}

TEST(QtDialogs, MessageBoxShowsTheTextsAndReturnsWhatTheUserPressed) {
  struct Case {
    Buttons buttons;
    Icon icon;
    std::string title;
    QMessageBox::StandardButton press;
    Answer answer;
    QMessageBox::Icon qtIcon;
    QString shownTitle;
  };
  const QString program = QApplication::applicationDisplayName();
  const Case cases[] = {
      {Buttons::YesNo, Icon::Question, "Parlomat Info", QMessageBox::Yes, Answer::Yes,
       QMessageBox::Question, "Parlomat Info"},
      {Buttons::YesNo, Icon::Exclamation, "Parlomat Info", QMessageBox::No, Answer::No,
       QMessageBox::Warning, "Parlomat Info"},
      {Buttons::YesNo, Icon::Critical, "", QMessageBox::NoButton, Answer::No, QMessageBox::Critical,
       program},
      {Buttons::Ok, Icon::Information, "Parlomat User Error", QMessageBox::Ok, Answer::Ok,
       QMessageBox::Information, "Parlomat User Error"},
      {Buttons::Ok, Icon::None, "", QMessageBox::NoButton, Answer::Ok, QMessageBox::NoIcon,
       program},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title + " " + buttonsName(c.buttons) + " " + iconName(c.icon));
    QtDialogs dialogs;
    ModalScript script;
    SeenBox seen;
    script.then(pressOn(seen, c.press));
    // A Latin-1 byte arrives as its character: 0xE9 is e acute.
    Answer a = dialogs.messageBox("Caf\xE9  ends ", c.title, c.buttons, c.icon);
    EXPECT_EQ(a, c.answer);
    EXPECT_EQ(seen.text, QString::fromUtf8("Caf\u00E9  ends "));
    EXPECT_EQ(seen.title, c.shownTitle);
    EXPECT_EQ(seen.icon, c.qtIcon);
    EXPECT_EQ(seen.buttons,
              c.buttons == Buttons::YesNo ? (QMessageBox::Yes | QMessageBox::No) : QMessageBox::Ok);
    EXPECT_TRUE(script.unexpected().empty());
  }
}

TEST(QtDialogs, InputBoxReturnsTheTypedTextAsLatin1OrEmptyOnCancel) {
  struct Case {
    QString typed;
    bool accept;
    std::string expected;
    bool refused;  // a message box tells the user the text cannot be stored
  };
  const Case cases[] = {
      {QString::fromUtf8("Vyanjana \u00E9t\u00E9"), true, "Vyanjana \xE9t\xE9", false},
      {QString(), true, "", false},
      {QStringLiteral("typed, then cancelled"), false, "", false},
      {QString::fromUtf8("\u03A9mega"), true, "", true},
      {QString::fromUtf8("euro \u20AC"), true, "", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    QtDialogs dialogs;
    ModalScript script;
    QString prompt, title, shownDefault;
    script.then([&](QWidget* w) {
      auto* input = qobject_cast<QInputDialog*>(w);
      ASSERT_NE(input, nullptr) << w->metaObject()->className();
      prompt = input->labelText();
      title = input->windowTitle();
      shownDefault = input->textValue();
      input->setTextValue(c.typed);
      if (c.accept) {
        input->accept();
      } else {
        input->reject();
      }
    });
    SeenBox refusal;
    if (c.refused) script.then(pressOn(refusal, QMessageBox::Ok));
    std::string got = dialogs.inputBox("Enter the Vyanjana name : ", "Wordno:3", "XYZ\xC4");
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(prompt, QStringLiteral("Enter the Vyanjana name : "));
    EXPECT_EQ(title, QStringLiteral("Wordno:3"));
    EXPECT_EQ(shownDefault, QString::fromUtf8("XYZ\u00C4"));
    EXPECT_EQ(script.pending(), 0u);
    EXPECT_TRUE(script.unexpected().empty());
    if (c.refused) {
      EXPECT_EQ(refusal.icon, QMessageBox::Warning);
      EXPECT_TRUE(refusal.text.contains(QStringLiteral("cannot be stored")))
          << refusal.text.toStdString();
    }
  }
}

// A chosen path comes back as the file system's bytes (UTF-8 here), so it opens that file.
TEST(QtDialogs, OpenFileReturnsTheChosenPathOrTheGivenNameOnCancel) {
  testing::TempFolder tmp;
  const std::string existing = tmp.path("Words.Lang");
  const std::string accented = tmp.path("W\xC3\xB6rter.Lang");
  testing::writeText(existing, "");
  testing::writeText(accented, "");
  struct Case {
    std::string choose;  // empty: cancel
    std::string expected;
  };
  const Case cases[] = {
      {existing, existing},
      {accented, accented},
      {tmp.path("New.Lang"), tmp.path("New.Lang")},
      {"", "*.Lang"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.choose);
    QtDialogs dialogs;
    ModalScript script;
    QString title;
    QStringList filters;
    script.then([&](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
      title = dialog->windowTitle();
      filters = dialog->nameFilters();
      if (c.choose.empty()) {
        dialog->reject();
      } else {
        dialog->selectFile(QString::fromUtf8(c.choose.c_str()));
        // accept() is protected in QFileDialog; through QDialog it runs the file dialog's own.
        static_cast<QDialog*>(dialog)->accept();
      }
    });
    std::string got = dialogs.openFile("Open Parlomat Language Editor", "*.Lang", "*.Lang");
    EXPECT_EQ(got, c.expected);
    EXPECT_EQ(title, QStringLiteral("Open Parlomat Language Editor"));
    EXPECT_EQ(filters, QStringList{QStringLiteral("*.Lang")});
    EXPECT_TRUE(script.unexpected().empty());
  }
}

}  // namespace
}  // namespace parlomat
