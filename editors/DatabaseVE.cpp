#include "editors/DatabaseVE.h"

#include <QAction>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editors/DataDisplayVE.h"
#include "editors/EditorRules.h"
#include "editors/EditorWidgets.h"
#include "platform/Numbers.h"

namespace parlomat::editors {

namespace {

constexpr const char* kFindTitle = "Parlomat Vocabulary Editor Version 1.0";
constexpr const char* kFileProblem =
    "Problem in File I/O, Check the Name or Location of your disk files of vocabulary database "
    "and their states";

std::string rightTrimmed(const std::string& s) {
  const size_t end = s.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

}  // namespace

DatabaseVE::DatabaseVE(Engine& e, Hooks hooks) : e_(e), hooks_(std::move(hooks)), file_(e) {
  build();
}

DatabaseVE::~DatabaseVE() = default;

QMenu* DatabaseVE::addMenu(const char* name, const QString& text) {
  QMenu* m = menuBar()->addMenu(text);
  m->setObjectName(QString::fromLatin1(name));
  m->menuAction()->setObjectName(QString::fromLatin1(name));
  return m;
}

void DatabaseVE::addItem(QMenu* menu, const char* name, const QString& text,
                         std::function<void()> run) {
  QAction* a = menu->addAction(text);
  a->setObjectName(QString::fromLatin1(name));
  connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
}

void DatabaseVE::build() {
  setObjectName(QStringLiteral("DatabaseVE"));
  setWindowTitle(QStringLiteral("Parlomat Vocabulary Editor"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);

  QMenu* open = addMenu("mnuOpen", QStringLiteral("Open"));
  addItem(open, "mnuOpenFile", QStringLiteral("&File"), [this] { openTypedName(); });
  addItem(open, "mnuExit", QStringLiteral("&Exit"), [this] { exit(); });
  fileMenu_ = addMenu("mnuFile", QStringLiteral("File"));
  addItem(fileMenu_, "mnuViewCurrent", QStringLiteral("&View Current Data Entry"),
          [this] { viewEntries(false); });
  addItem(fileMenu_, "mnuViewAll", QStringLiteral("&View All Data Entries"),
          [this] { viewEntries(true); });
  recordMenu_ = addMenu("mnuRecord", QStringLiteral("Record"));
  addItem(recordMenu_, "mnuRename", QStringLiteral("&Rename"), [this] { rename(); });
  addItem(recordMenu_, "mnuDelete", QStringLiteral("&Delete"), [this] { blank(); });
  addItem(recordMenu_, "mnuNext", QStringLiteral("&Next"), [this] { next(); });
  addItem(recordMenu_, "mnuPrevious", QStringLiteral("&Previous"), [this] { previous(); });
  queryMenu_ = addMenu("mnuQuery", QStringLiteral("Query"));
  QMenu* find = queryMenu_->addMenu(QStringLiteral("&Find"));
  find->setObjectName(QStringLiteral("mnuFind"));
  find->menuAction()->setObjectName(QStringLiteral("mnuFind"));
  addItem(find, "mnuByNumber", QStringLiteral("By &Number"), [this] { findByNumber(); });
  addItem(find, "mnuByName", QStringLiteral("By &Name"), [this] { findByName(); });
  QMenu* about = addMenu("mnuAbout", QStringLiteral("&About"));
  addItem(about, "mnuAboutItem", QStringLiteral("&About"), [this] {
    if (hooks_.showAbout) hooks_.showAbout();
  });
  QMenu* coming = addMenu("mnuComingUp", QStringLiteral("&Coming up"));
  addItem(coming, "mnuComingUpItem", QStringLiteral("&Coming up"), [this] {
    if (hooks_.showComingUp) hooks_.showComingUp();
  });

  auto* central = new QWidget(this);
  setCentralWidget(central);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(28, 28, 28, 24);
  column->setSpacing(16);
  text1_ = new QLineEdit(central);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setToolTip(QStringLiteral("Displays the file entry"));
  // The name is changed through Rename; the box only shows it.
  text1_->setReadOnly(true);
  text1_->setPlaceholderText(QStringLiteral("Open a *.SAY file"));
  text1_->setStyleSheet(QString::fromLatin1(kGreenOnBlack));
  QFont big = text1_->font();
  big.setPointSize(20);
  text1_->setFont(big);
  text1_->setMinimumHeight(48);
  column->addStretch(1);
  column->addWidget(text1_);
  command1_ =
      pictureButton(central, "Command1", Picture::Open, QStringLiteral("Hit this to get  *.SAY"));
  nextHit_ = pictureButton(central, "NextHit", Picture::Next,
                           QStringLiteral("Displays data for next record"));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command1_);
  buttons->addStretch(1);
  buttons->addWidget(nextHit_);
  column->addLayout(buttons);
  column->addStretch(1);

  connect(command1_, &QToolButton::clicked, this, [this] { openThroughDialog(); });
  connect(nextHit_, &QToolButton::clicked, this, [this] { next(); });

  dataDisplay_ = new DataDisplayVE(this);
  dataDisplay_->onChosen = [this](const std::string& line) { chooseListLine(line); };

  setRecordControlsVisible(false);
  resize(520, 300);
  setMinimumSize(420, 240);
}

void DatabaseVE::paintEvent(QPaintEvent*) {
  QPainter p(this);
  paintVocabularyBackground(p, rect());
}

bool DatabaseVE::guarded(const std::function<void()>& f) {
  try {
    f();
    return true;
  } catch (const std::exception&) {
    e_.message(kFileProblem, "Parlomat Vocabulary Editor Info.", Buttons::Ok, Icon::Information);
    return false;
  }
}

void DatabaseVE::setRecordControlsVisible(bool visible) {
  for (QMenu* m : {fileMenu_, queryMenu_, recordMenu_}) m->menuAction()->setVisible(visible);
  nextHit_->setVisible(visible);
}

void DatabaseVE::openThroughDialog() {
  const std::string chosen = trimSpaces(
      e_.platform.dialogs->openFile("Open Parlomat Vocabulary to Edit", "*.SAY", "*.SAY"));
  openNamed(chosen, validVocabularyDialogName(chosen));
}

void DatabaseVE::openTypedName() {
  const std::string typed =
      trimSpaces(e_.input("Open this *.say File :", "Open:", e_.state.editorFilePath));
  openNamed(typed, validVocabularyTypedName(typed));
}

void DatabaseVE::openNamed(const std::string& name, bool valid) {
  e_.state.editorFilePath = name;
  if (!valid) {
    // The file open before is no longer reachable: its menus are hidden.
    file_.close();
    setRecordControlsVisible(false);
    e_.message("You did not enter a file name or the name is not valid, verify and try again",
               "Parlomat Vocabulary Editor Info.", Buttons::Ok, Icon::Exclamation);
    return;
  }
  const bool opened = guarded([&] {
    file_.open(name);
    refresh();
  });
  setRecordControlsVisible(opened);
}

void DatabaseVE::refresh() {
  const VocabularyRecord& r = file_.shown();
  const QString name = latin1(r.storedName());
  setWindowTitle(QStringLiteral("Parlomat Vocabulary Database.Rec No: ") +
                 QString::number(r.refNo) + QLatin1Char(' ') + name);
  text1_->setText(name);
}

void DatabaseVE::next() {
  if (!file_.isOpen()) return;
  guarded([&] {
    file_.claim();
    file_.writeBack();
    const int64_t n = file_.position() + 1;
    if (n <= e_.state.recordCount) {
      file_.read(n);
    } else {
      e_.message("No More Records", "", Buttons::Ok, Icon::Information);
    }
    refresh();
  });
}

void DatabaseVE::previous() {
  if (!file_.isOpen()) return;
  guarded([&] {
    file_.claim();
    file_.writeBack();
    if (file_.position() - 1 > 0) {
      file_.read(file_.position() - 1);
    } else {
      e_.message(" Start of File", "", Buttons::Ok, Icon::Information);
    }
    refresh();
  });
}

void DatabaseVE::rename() {
  if (!file_.isOpen()) return;
  const std::string name = e_.input("Enter the New Name:", "Rename:", "XYZ");
  guarded([&] {
    VocabularyRecord& r = file_.claim();
    r.setName(name);
    file_.write(file_.position());
    refresh();
  });
}

void DatabaseVE::blank() {
  if (!file_.isOpen()) return;
  guarded([&] {
    VocabularyRecord& r = file_.claim();
    r.name = VocabularyRecord::blankName();
    // Valleys 0 to the old count, as far as the record has room.
    const int last = std::min(r.validValleyCount(), VocabularyRecord::kValleySlots - 1);
    for (int i = 0; i <= last; ++i) r.valleys[static_cast<size_t>(i)] = 0;
    r.valleyCount = 0;
    file_.write(file_.position());
    refresh();
  });
}

void DatabaseVE::findByNumber() {
  if (!file_.isOpen()) return;
  const std::string answer = e_.input("Enter Reference Number", "Find:");
  const double value = leadingNumber(answer);
  if (value == 0) return;
  const int64_t n = roundToInt64(value);
  if (value > 0 && value <= static_cast<double>(e_.state.recordCount) && n >= 1) {
    guarded([&] {
      file_.claim();
      file_.read(n);
      refresh();
    });
    return;
  }
  e_.message("Record " + answer + " not present", kFindTitle, Buttons::Ok, Icon::Exclamation);
}

void DatabaseVE::findByName() {
  if (!file_.isOpen()) return;
  const std::string answer = e_.input("Enter Target Name", "Find :");
  if (answer.empty()) return;
  bool found = false;
  const bool searched = guarded([&] {
    file_.claim();
    const auto shown = file_.mark();
    for (int64_t n = 1; n <= e_.state.recordCount; ++n) {
      file_.read(n);
      if (rightTrimmed(file_.shown().storedName()) == answer) {
        found = true;
        refresh();
        return;
      }
    }
    // The record shown stays the working record, so the next write goes where it came from.
    file_.restore(shown);
  });
  if (searched && !found) {
    e_.message("Record " + answer + " not present", kFindTitle, Buttons::Ok, Icon::Exclamation);
  }
}

void DatabaseVE::viewEntries(bool all) {
  if (!file_.isOpen()) return;
  guarded([&] {
    file_.claim();
    const auto shown = file_.mark();
    dataDisplay_->show();
    dataDisplay_->raise();
    dataDisplay_->activateWindow();
    dataDisplay_->printHeader();
    const int64_t count = e_.state.recordCount;
    for (int64_t n = all ? 1 : count; n >= 1 && n <= count; ++n) {
      file_.read(n);
      const VocabularyRecord& r = file_.shown();
      dataDisplay_->appendLine(vocabularyListLine(r.refNo, r.storedName()));
    }
    file_.restore(shown);
    refresh();
  });
}

void DatabaseVE::chooseListLine(const std::string& line) {
  const int64_t n = listLineNumber(line);
  if (n == 0 || !file_.isOpen()) return;
  if (n < 1 || n > e_.state.recordCount) return;
  guarded([&] {
    file_.claim();
    file_.read(n);
    refresh();
  });
}

void DatabaseVE::exit() {
  close();
  dataDisplay_->dismiss();
}

void DatabaseVE::closeEvent(QCloseEvent* event) {
  file_.close();
  event->accept();
  if (hooks_.showComingUp) hooks_.showComingUp();
}

}  // namespace parlomat::editors
