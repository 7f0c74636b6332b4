#include "editors/Database.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editors/DataDisplay.h"
#include "editors/EditorRules.h"
#include "editors/EditorWidgets.h"
#include "editors/FeaturesDisplay.h"
#include "editors/ShapeFrame.h"
#include "platform/Numbers.h"
#include "platform/qt/QtText.h"

namespace parlomat::editors {

namespace {

constexpr const char* kTitle = "Parlomat Language Editor";
constexpr const char* kFileProblem =
    "Problem in File I/O,Code Ailoa, Check the Name or Location of your disk files of language "
    "database and their states";
constexpr const char* kNameNotValid =
    "You did not enter a file name or the name is not valid, verify and try again";
constexpr const char* kTooManyProtocols =
    "This word already has 100 string compare protocols, the most a record can hold. Edit one of "
    "them instead.";

const char* const kExamples[] = {
    "Examples : ",
    "'eeuuucss' write as 'ee*ss' = Introduction 50 %",
    "'eeuuucss' write as 'ee????ss' = Introduction 50 %",
    "'InBBBin' write as 'In*In' ",
    "'F' write as '[A-Z]' ",
    "'aa2aa' write as 'aa#aa' ",
    "'aM5b' write as'a[L-P]#b' ",
    "'BAT123khg' write as 'B?T*' ",
};

const QColor kFrameGreen(0, 250, 0);

std::string rightTrimmed(const std::string& s) {
  const size_t end = s.find_last_not_of(' ');
  return end == std::string::npos ? std::string() : s.substr(0, end + 1);
}

QLabel* caption(QWidget* parent, const QString& text) {
  auto* l = new QLabel(text, parent);
  l->setTextFormat(Qt::PlainText);
  return l;
}

}  // namespace

Database::Database(Engine& e) : QMainWindow(nullptr), e_(e), file_(e) {
  build();
}

Database::~Database() = default;

QMenu* Database::addMenu(const char* name, const QString& text) {
  QMenu* m = menuBar()->addMenu(text);
  m->setObjectName(QString::fromLatin1(name));
  m->menuAction()->setObjectName(QString::fromLatin1(name));
  return m;
}

QAction* Database::addItem(QMenu* menu, const char* name, const QString& text,
                           std::function<void()> run) {
  QAction* a = menu->addAction(text);
  a->setObjectName(QString::fromLatin1(name));
  connect(a, &QAction::triggered, this, [run = std::move(run)] { run(); });
  return a;
}

void Database::build() {
  setObjectName(QStringLiteral("Database"));
  setWindowTitle(QString::fromLatin1(kTitle));
  // A fixed border without maximise and minimise buttons, and no task-bar button.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  QMenu* open = addMenu("mnuOpen", QStringLiteral("Open"));
  addItem(open, "mnuNewFile", QStringLiteral(" New &File"), [this] { openTypedName(); });
  addItem(open, "mnuExitContinue", QStringLiteral("&Exit Continue..."), [this] { exitContinue(); });
  fileMenu_ = addMenu("mnuFile", QStringLiteral("File"));
  addItem(fileMenu_, "mnuViewCurrent", QStringLiteral("&View Current Data Entry"),
          [this] { viewCurrent(); });
  addItem(fileMenu_, "mnuViewAll", QStringLiteral("&View Title of All  Entries"),
          [this] { viewAll(); });
  recordMenu_ = addMenu("mnuRecord", QStringLiteral("Record"));
  addItem(recordMenu_, "mnuResave", QStringLiteral("&Resave"), [this] { resave(); });
  addItem(recordMenu_, "mnuRename", QStringLiteral("&Rename"), [this] { rename(); });
  addItem(recordMenu_, "mnuDeleteRecord", QStringLiteral("&Delete Record"),
          [this] { deleteRecord(); });
  addItem(recordMenu_, "mnuNext", QStringLiteral("&Next"), [this] { next(false); });
  addItem(recordMenu_, "mnuPrevious", QStringLiteral("&Previous"), [this] { previous(); });
  queryMenu_ = addMenu("mnuQuery", QStringLiteral("Query"));
  QMenu* find = queryMenu_->addMenu(QStringLiteral("&Find"));
  find->setObjectName(QStringLiteral("mnuFind"));
  find->menuAction()->setObjectName(QStringLiteral("mnuFind"));
  addItem(find, "mnuByNumber", QStringLiteral("By &Number"), [this] { findByNumber(); });
  addItem(find, "mnuByName", QStringLiteral("By &Name"), [this] { findByName(); });
  memoryMenu_ = addMenu("mnuCurrentMemory", QStringLiteral("Current Memory"));
  addItem(memoryMenu_, "mnuDisplayMemory", QStringLiteral("Display current &Memory"),
          [this] { displayMemory(); });
  for (int k = 1; k <= 5; ++k) {
    const std::string name = "mnuMemory" + std::to_string(k);
    // Only the first item's caption ends in a space.
    QString text = QStringLiteral("Time length divison no. %1 in &Memory").arg(k);
    if (k == 1) text += QLatin1Char(' ');
    addItem(memoryMenu_, name.c_str(), text, [this, k] { memoryDivision(k); });
  }
  summaryMenu_ = addMenu("mnuWordSummary", QStringLiteral("Word Summary"));
  addItem(summaryMenu_, "mnuThisWord", QStringLiteral("&This Word"), [this] { wordSummary(); });

  auto* central = new QWidget(this);
  setCentralWidget(central);
  auto* grid = new QGridLayout(central);
  grid->setContentsMargins(14, 10, 14, 12);
  grid->setHorizontalSpacing(10);
  grid->setVerticalSpacing(8);

  // The file row: the file buttons in their frame, the file name and the exit button.
  shape3_ = new ShapeFrame(central);
  shape3_->setObjectName(QStringLiteral("Shape3"));
  auto* fileButtons = new QHBoxLayout(shape3_);
  fileButtons->setContentsMargins(9, 9, 9, 9);
  command1_ =
      pictureButton(shape3_, "Command1", Picture::Open, QStringLiteral("Open a *.lang file"));
  command9_ = pictureButton(shape3_, "Command9", Picture::NewRecord,
                            QStringLiteral("Prepare to input a new record"));
  command2_ = new QPushButton(QStringLiteral("Load"), shape3_);
  command2_->setObjectName(QStringLiteral("Command2"));
  command2_->setMinimumHeight(command1_->sizeHint().height());
  fileButtons->addWidget(command1_);
  fileButtons->addWidget(command9_);
  fileButtons->addWidget(command2_);
  tfnamBox_ = new QLineEdit(central);
  tfnamBox_->setObjectName(QStringLiteral("TFNam"));
  tfnamBox_->setReadOnly(true);
  tfnamBox_->setStyleSheet(QString::fromLatin1(kGreenOnBlack));
  command8_ = pictureButton(central, "Command8", Picture::Exit,
                            QStringLiteral("Press to exit Parlomat Language Editor  and to restart "
                                           "action"));
  auto* fileRow = new QHBoxLayout;
  fileRow->addWidget(shape3_);
  fileRow->addWidget(tfnamBox_, 1);
  fileRow->addWidget(command8_);
  grid->addLayout(fileRow, 0, 0, 1, 4);

  // 1. The word and its font.
  auto* wordCaption =
      caption(central, QStringLiteral("1. ) Word  in your                   Specific  "
                                      "Language         Font ."));
  wordCaption->setWordWrap(true);
  wordCaption->setFixedWidth(190);
  text1_ = new QLineEdit(central);
  text1_->setObjectName(QStringLiteral("Text1"));
  text1_->setToolTip(QStringLiteral("Enter or edit your word here"));
  text1_->setStyleSheet(QString::fromLatin1(kGreenOnBlack));
  QFont wordFont = text1_->font();
  wordFont.setPointSize(16);
  text1_->setFont(wordFont);
  text1_->setMinimumHeight(40);
  fontName_ = lossyLatin1(wordFont.family());
  grid->addWidget(wordCaption, 1, 0);
  grid->addWidget(text1_, 1, 1, 1, 3);

  combo1_ = new QComboBox(central);
  combo1_->setObjectName(QStringLiteral("Combo1"));
  combo1_->setToolTip(QStringLiteral("Click to see fonts you have on your machine"));
  combo1_->setMaxVisibleItems(20);
  auto* fontNote = caption(central, QStringLiteral("Please add to Windows 95/98 your regional "
                                                   "language  fonts. Scroll above for fonts on "
                                                   "this machine."));
  fontNote->setWordWrap(true);
  grid->addWidget(combo1_, 2, 0);
  grid->addWidget(fontNote, 2, 1, 1, 3);

  // 2. and 3. The division count and the time length of the division shown.
  textDiv_ = new QLineEdit(central);
  textDiv_->setObjectName(QStringLiteral("TextDiv"));
  textDiv_->setToolTip(
      QStringLiteral("No of divisons that Parlomat splits your current uttered word"));
  textDiv_->setStyleSheet(QString::fromLatin1(kGreenOnBlack));
  textDiv_->setFixedWidth(60);
  grid->addWidget(caption(central, QStringLiteral("2. ) No.of divisons")), 3, 0);
  grid->addWidget(textDiv_, 3, 1, Qt::AlignLeft);

  const QString timeCaptionText =
      QStringLiteral("3. )  Word Divison no :                    avg. timelength");
  auto* timeCaption = caption(central, timeCaptionText);
  timeCaption->setFixedHeight(timeCaption->sizeHint().height());
  // The division number stands in the gap of the caption.
  label5_ = new QLabel(QStringLiteral(" 1"), timeCaption);
  label5_->setObjectName(QStringLiteral("Label5"));
  QFont bold = label5_->font();
  bold.setBold(true);
  label5_->setFont(bold);
  const QFontMetrics metrics(timeCaption->font());
  label5_->setGeometry(metrics.horizontalAdvance(QStringLiteral("3. )  Word Divison no : ")), 0,
                       metrics.horizontalAdvance(QStringLiteral("                   ")),
                       timeCaption->sizeHint().height());
  text2_ = new QLineEdit(central);
  text2_->setObjectName(QStringLiteral("Text2"));
  text2_->setToolTip(QStringLiteral("Timelength of the above divison of your uttered word"));
  text2_->setStyleSheet(QString::fromLatin1(kGreenOnBlack));
  grid->addWidget(timeCaption, 4, 0, 1, 2);
  grid->addWidget(text2_, 4, 2, 1, 2);

  // 4. The string compare protocols with their ratings.
  grid->addWidget(caption(central, QStringLiteral("4. ) Vocabulary character match with current "
                                                  "vocabulary string  :")),
                  5, 0, 1, 4);
  combo2_ = new QComboBox(central);
  combo2_->setObjectName(QStringLiteral("Combo2"));
  makePlainEditable(combo2_);
  combo2_->setToolTip(QStringLiteral("Write your string here  and click Add"));
  combo2_->setStyleSheet(QString::fromLatin1(kGreenOnBlack));
  command5_ = pictureButton(central, "Command5", Picture::AddProtocol, {});
  label7_ = new QLabel(central);
  label7_->setObjectName(QStringLiteral("Label7"));
  label7_->setMinimumWidth(30);
  auto* protocolRow = new QHBoxLayout;
  protocolRow->addWidget(combo2_, 1);
  protocolRow->addWidget(command5_);
  protocolRow->addWidget(label7_);
  grid->addWidget(caption(central, QStringLiteral("String compare protocols :")), 6, 0);
  grid->addLayout(protocolRow, 6, 1, 1, 3);

  combo3_ = new QComboBox(central);
  combo3_->setObjectName(QStringLiteral("Combo3"));
  makePlainEditable(combo3_);
  combo3_->setToolTip(QStringLiteral("Displays correponding rating of the entries"));
  combo3_->setStyleSheet(QString::fromLatin1(kGreenOnBlack));
  combo3_->setFixedWidth(90);
  command6_ = pictureButton(central, "Command6", Picture::EditProtocol, {});
  auto* ratingRow = new QHBoxLayout;
  ratingRow->setSpacing(10);
  ratingRow->addWidget(combo3_);
  ratingRow->addWidget(caption(central, QStringLiteral("out of 100%")));
  ratingRow->addStretch(1);
  ratingRow->addWidget(command6_);
  grid->addWidget(caption(central, QStringLiteral("I will rate this entry to  match :")), 7, 0);
  grid->addLayout(ratingRow, 7, 1, 1, 3);

  label9_ = new QLabel(central);
  label9_->setObjectName(QStringLiteral("Label9"));
  label9_->setFont(bold);
  grid->addWidget(caption(central, QStringLiteral("Number of entries out of 100 :")), 8, 0);
  grid->addWidget(label9_, 8, 1);

  combo4_ = new QComboBox(central);
  combo4_->setObjectName(QStringLiteral("Combo4"));
  for (const char* example : kExamples) combo4_->addItem(QString::fromLatin1(example));
  grid->addWidget(combo4_, 9, 0, 1, 4);

  // The record buttons.
  command7_ = pictureButton(central, "Command7", Picture::Previous,
                            QStringLiteral("Press  to scan decremental records"));
  command3_ = pictureButton(central, "Command3", Picture::Add, QStringLiteral("ADD to record"),
                            QStringLiteral("Add"));
  command10_ = pictureButton(central, "Command10", Picture::Resave,
                             QStringLiteral("RESAVE in this record"), QStringLiteral("Resave"));
  nextHit_ = pictureButton(central, "NextHit", Picture::Next,
                           QStringLiteral("Press  to scan incremental records"));
  auto* recordRow = new QHBoxLayout;
  recordRow->addWidget(command7_);
  recordRow->addStretch(1);
  recordRow->addWidget(command3_);
  recordRow->addWidget(command10_);
  recordRow->addStretch(1);
  recordRow->addWidget(nextHit_);
  grid->addLayout(recordRow, 10, 0, 1, 4);
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(2, 1);

  applyRule(textDiv_, divisionCountRule);
  applyRule(text2_, timeLengthRule);
  applyRule(combo3_->lineEdit(), ratingRule);

  connect(command1_, &QToolButton::clicked, this, [this] { openThroughDialog(); });
  connect(command2_, &QPushButton::clicked, this, [this] { loadButton(); });
  connect(command9_, &QToolButton::clicked, this, [this] { newRecord(); });
  connect(command8_, &QToolButton::clicked, this, [this] { exitContinue(); });
  connect(command3_, &QToolButton::clicked, this, [this] { addRecord(); });
  connect(command10_, &QToolButton::clicked, this, [this] { resave(); });
  connect(nextHit_, &QToolButton::clicked, this, [this] { next(true); });
  connect(command7_, &QToolButton::clicked, this, [this] { previous(); });
  connect(command5_, &QToolButton::clicked, this, [this] { addProtocol(); });
  connect(command6_, &QToolButton::clicked, this, [this] { editProtocol(); });
  connect(combo1_, &QComboBox::activated, this, [this](int i) { chooseFont(i); });
  connect(combo2_, &QComboBox::activated, this, [this](int i) {
    if (i < combo3_->count()) combo3_->setCurrentIndex(i);
  });
  connect(combo3_, &QComboBox::activated, this, [this](int i) {
    if (i < combo2_->count()) combo2_->setCurrentIndex(i);
  });

  dataDisplay_ = new DataDisplay(this);
  dataDisplay_->onChosen = [this](const std::string& line) { chooseListLine(line); };
  features_ = new FeaturesDisplay(this);

  hideRecordControls();
  updateFileActions();
  // A fixed border: the window keeps the size its contents ask for.
  central->setMinimumWidth(740);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

bool Database::guarded(const std::function<void()>& f) {
  try {
    f();
    return true;
  } catch (const std::exception&) {
    e_.message(kFileProblem, "Parlomat Info", Buttons::Ok, Icon::Information);
    return false;
  }
}

Answer Database::ask(const std::string& text) {
  return e_.message(text, kTitle, Buttons::YesNo, Icon::None);
}

void Database::setTfnam(const std::string& text) {
  tfnam_ = text;
  tfnamBox_->setText(qt::fromPath(text));
}

void Database::showRecordControls(bool withResave) {
  for (QMenu* m : {fileMenu_, queryMenu_, recordMenu_}) m->menuAction()->setVisible(true);
  command3_->show();
  command7_->show();
  nextHit_->show();
  if (withResave) command10_->show();
}

void Database::hideRecordControls() {
  for (QMenu* m : {fileMenu_, queryMenu_, recordMenu_}) m->menuAction()->setVisible(false);
  command3_->hide();
  command7_->hide();
  command10_->hide();
  nextHit_->hide();
}

void Database::updateFileActions() {
  // Adding and editing protocols need a file.
  command5_->setEnabled(file_.isOpen());
  command6_->setEnabled(file_.isOpen());
}

void Database::load() {
  ControlState& s = state();
  newRecordMode_ = false;
  e_.timer5->setEnabled(false);
  closeRecordFile(e_);
  file_.release();
  updateFileActions();
  combo1_->clear();
  for (const std::string& family : e_.platform.fonts->families()) {
    combo1_->addItem(qt::fromLatin1(family));
  }
  memoryMenu_->menuAction()->setEnabled(s.onDemandMode != 1);
  if (trimSpaces(s.languageFileToAdd).empty()) {
    e_.message("You have not entered the location of the Language File to Add",
               "Parlomat User Error", Buttons::Ok, Icon::None);
    hideRecordControls();
    return;
  }
  openFileToAdd();
}

void Database::openFileToAdd() {
  ControlState& s = state();
  const std::string path = trimSpaces(s.languageFileToAdd);
  s.editorFilePath = path;
  setTfnam(path);
  const bool opened = guarded([&] {
    file_.open(path);
    // The record of the last language match, when the file has it; the first otherwise.
    int64_t a = s.languageMatchRecord;
    if (a < 1 || a > s.recordCount) a = 1;
    if (a != 1) file_.read(a);
    showRecordControls(false);
    refresh();
  });
  if (!opened) hideRecordControls();
  updateFileActions();
}

void Database::loadButton() {
  if (trimSpaces(state().languageFileToAdd).empty()) return;
  openFileToAdd();
}

void Database::refuseFileName() {
  shape3_->setBorderColour(Qt::black);
  setTfnam("Try Again");
  e_.message(kNameNotValid, "Parlomat Language Editor Info.", Buttons::Ok, Icon::Exclamation);
}

bool Database::openChosen(const std::string& path) {
  const bool opened = guarded([&] { file_.open(path); });
  updateFileActions();
  if (!opened) {
    hideRecordControls();
    return false;
  }
  state().editorFilePath = path;
  state().languageMatchRecord = file_.shown().refNo;
  shape3_->setBorderColour(kFrameGreen);
  return true;
}

void Database::openThroughDialog() {
  const std::string chosen = trimSpaces(
      e_.platform.dialogs->openFile("Open Parlomat Language Editor", "*.Lang", "*.Lang"));
  if (!validLanguageDialogName(chosen)) {
    refuseFileName();
    return;
  }
  if (!openChosen(chosen)) return;
  showRecordControls(true);
  setTfnam(fileTitle(chosen));
  refresh();
}

void Database::openTypedName() {
  const std::string typed =
      trimSpaces(e_.input("Open this old or new *.Lang File :", "Open:", state().editorFilePath));
  if (!validLanguageTypedName(typed)) {
    refuseFileName();
    return;
  }
  if (!openChosen(typed)) return;
  showRecordControls(false);
  setTfnam(typed);
  refresh();
}

void Database::refresh() {
  const LanguageRecord& r = file_.shown();
  if (r.refNo >= 1) {
    setWindowTitle(QStringLiteral("Parlomat Language Database.Rec No: ") +
                   QString::number(r.refNo) + QLatin1Char(' ') +
                   latin1(LanguageRecord::stored(r.name)));
  }
  text1_->clear();
  textDiv_->clear();
  text2_->clear();
  label9_->clear();
  combo2_->clear();
  combo3_->clear();
  // A record without a font keeps the font the word is shown in.
  const std::string font = LanguageRecord::trimmed(r.fontName);
  if (!font.empty()) showFont(font);
  text1_->setText(latin1(LanguageRecord::trimmed(r.name)));
  textDiv_->setText(QString::number(r.divisionCount));
  label9_->setText(QString::number(r.entryCount));
  workingEntryCount_ = r.validEntryCount();
  text2_->setText(QString::number(r.totalTimeLength));
  for (int i = 1; i <= r.validEntryCount(); ++i) {
    combo2_->addItem(latin1(LanguageRecord::trimmed(r.protocols[static_cast<size_t>(i)])));
    combo3_->addItem(QString::number(r.ratings[static_cast<size_t>(i)]));
  }
  // The lists hold the protocols; the text above them stays for the protocol being typed.
  combo2_->setCurrentIndex(-1);
  combo3_->setCurrentIndex(-1);
}

void Database::saveWindow(LanguageRecord& r, const std::string& word) {
  LanguageRecord::setText(r.name, trimSpaces(word));
  LanguageRecord::setText(r.fontName, trimSpaces(fontName_));
  r.divisionCount = toInt16(leadingNumber(trimSpaces(lossyLatin1(textDiv_->text()))));
  r.totalTimeLength = toInt32(leadingNumber(trimSpaces(lossyLatin1(text2_->text()))));
  const int count = std::clamp(workingEntryCount_, 0, LanguageRecord::kEntries);
  r.entryCount = static_cast<int16_t>(count);
  for (int i = 1; i <= LanguageRecord::kEntries; ++i) {
    auto& protocol = r.protocols[static_cast<size_t>(i)];
    auto& rating = r.ratings[static_cast<size_t>(i)];
    if (i > count) {
      // Entries past the count are cleared, so a new word carries nothing of the record before.
      protocol = LanguageRecord::blankText();
      rating = 0;
      continue;
    }
    const int line = i - 1;
    const bool hasProtocol = line < combo2_->count();
    const bool hasRating = line < combo3_->count();
    LanguageRecord::setText(protocol,
                            hasProtocol ? trimSpaces(lossyLatin1(combo2_->itemText(line))) : "");
    rating = hasRating ? toInt16(leadingNumber(trimSpaces(lossyLatin1(combo3_->itemText(line)))))
                       : int16_t{0};
  }
}

void Database::newRecord() {
  text1_->clear();
  textDiv_->clear();
  text2_->clear();
  label9_->clear();
  combo2_->clear();
  combo3_->clear();
  workingEntryCount_ = 0;
  newRecordMode_ = true;
}

void Database::chooseFont(int index) {
  std::string family = lossyLatin1(combo1_->itemText(index));
  if (family.empty()) family = "Times New Roman";
  showFont(family);
}

void Database::showFont(const std::string& family) {
  fontName_ = family;
  QFont f = text1_->font();
  f.setFamily(latin1(family));
  text1_->setFont(f);
  // The font list shows the font in use when the machine has it.
  const int listed = combo1_->findText(latin1(family));
  if (listed >= 0) combo1_->setCurrentIndex(listed);
}

void Database::addProtocol() {
  if (!file_.isOpen()) return;
  const auto protocol = qt::acceptTyped(combo2_->currentText(), this);
  if (!protocol) return;
  const auto word = qt::acceptTyped(text1_->text(), this);
  if (!word) return;
  const int count = newRecordMode_ ? 1 : file_.shown().validEntryCount() + 1;
  if (count > LanguageRecord::kEntries) {
    e_.message(kTooManyProtocols, kTitle, Buttons::Ok, Icon::Exclamation);
    return;
  }
  const std::string p = trimSpaces(*protocol);
  const std::string rating = trimSpaces(lossyLatin1(combo3_->currentText()));
  if (ask("Are you sure you want to add a new protocol : " + p + " for " + trimSpaces(*word) +
          "   as new data to file " + tfnam_ + "." +
          "  Please press 'Yes' and then press 'Add' or 'Resave' to complete the job") !=
      Answer::Yes) {
    return;
  }
  combo2_->addItem(latin1(p));
  combo3_->addItem(latin1(rating));
  workingEntryCount_ = count;
  newRecordMode_ = false;
  label7_->setText(QString::number(workingEntryCount_));
}

void Database::editProtocol() {
  if (!file_.isOpen()) return;
  const int line = combo2_->currentIndex();
  const std::string selected = line >= 0 ? lossyLatin1(combo2_->itemText(line)) : std::string();
  if (trimSpaces(selected).empty()) {
    e_.message("Please select a entry from the dropdown list for editing.", kTitle, Buttons::Ok,
               Icon::None);
    return;
  }
  const int ratingLine = combo3_->currentIndex();
  const std::string selectedRating =
      ratingLine >= 0 ? lossyLatin1(combo3_->itemText(ratingLine)) : std::string();
  const std::string protocol = trimSpaces(e_.input(
      "Enter the new string compare protocol to replace this:  " + selected, "Edit Entry"));
  const std::string rating = trimSpaces(e_.input(
      "Enter the new string compare protocol percentage rating:  " + selectedRating, "Edit Entry"));
  if (protocol.empty() || rating.empty()) return;
  const size_t i = static_cast<size_t>(line) + 1;
  if (i > LanguageRecord::kEntries) return;
  guarded([&] {
    LanguageRecord& r = file_.claim();
    LanguageRecord::setText(r.protocols[i], protocol);
    // A rating that is not a number, or not one a rating field holds, keeps the old rating.
    double value = 0;
    if (parseNumber(rating, value) && value >= -32768.5 && value < 32767.5) {
      r.ratings[i] = toInt16(value);
    }
    file_.write(file_.position());
    refresh();
  });
}

bool Database::requireFile() {
  if (file_.isOpen()) return true;
  e_.message("Please open a new or a previously saved file", "Parlomat", Buttons::Ok,
             Icon::Information);
  raise();
  activateWindow();
  return false;
}

void Database::resave() {
  if (!requireFile()) return;
  const auto word = qt::acceptTyped(text1_->text(), this);
  if (!word) return;
  if (ask("Are you ready to resave  " + trimSpaces(*word) + "   with data to file " + tfnam_ +
          " ?") != Answer::Yes) {
    return;
  }
  guarded([&] {
    LanguageRecord& r = file_.claim();
    saveWindow(r, *word);
    file_.write(file_.position());
    refresh();
  });
}

void Database::addRecord() {
  if (!requireFile()) return;
  const auto word = qt::acceptTyped(text1_->text(), this);
  if (!word) return;
  if (ask("Are you ready to add  " + trimSpaces(*word) + "   with data to file " + tfnam_ + " ?") !=
      Answer::Yes) {
    return;
  }
  for (QWidget* w : std::initializer_list<QWidget*>{command3_, command7_, command6_, nextHit_}) {
    w->setEnabled(true);
  }
  for (QMenu* m : {fileMenu_, queryMenu_, summaryMenu_, recordMenu_}) {
    m->menuAction()->setEnabled(true);
  }
  for (const char* item : {"mnuRename", "mnuDeleteRecord", "mnuNext", "mnuPrevious"}) {
    if (auto* a = findChild<QAction*>(QString::fromLatin1(item))) a->setEnabled(true);
  }
  guarded([&] {
    LanguageRecord& r = file_.claim();
    const int64_t n = state().recordCount + 1;
    r.refNo = static_cast<int32_t>(n);
    saveWindow(r, *word);
    file_.write(n);
    refresh();
    state().languageMatchRecord = r.refNo;
  });
}

void Database::next(bool fromButton) {
  if (!file_.isOpen()) return;
  guarded([&] {
    file_.claim();
    file_.writeBack();
    const int64_t n = file_.position() + 1;
    if (n <= state().recordCount) {
      file_.read(n);
    } else if (fromButton) {
      e_.message("No More Records", kTitle, Buttons::Ok, Icon::None);
    } else {
      e_.message("No More Records", "", Buttons::Ok, Icon::Information);
    }
    refresh();
  });
}

void Database::previous() {
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

void Database::viewCurrent() {
  if (!file_.isOpen()) return;
  guarded([&] {
    file_.claim();
    // A file without records has no last record to read.
    if (state().recordCount >= 1) file_.read(state().recordCount);
    refresh();
  });
}

void Database::rename() {
  if (!file_.isOpen()) return;
  const std::string name = trimSpaces(e_.input("Enter the New Name:", "Rename:", "XYZ"));
  guarded([&] {
    LanguageRecord& r = file_.claim();
    LanguageRecord::setText(r.name, name);
    file_.write(file_.position());
    refresh();
  });
}

void Database::deleteRecord() {
  if (!file_.isOpen()) return;
  if (ask("Are you sure you want to delete all and every data under this name and record?") !=
      Answer::Yes) {
    return;
  }
  guarded([&] {
    LanguageRecord& r = file_.claim();
    r.name = LanguageRecord::blankText();
    r.fontName = LanguageRecord::blankText();
    r.divisionCount = 0;
    r.totalTimeLength = 0;
    r.entryCount = 0;
    for (size_t i = 1; i <= LanguageRecord::kEntries; ++i) r.protocols[i].fill('\0');
    combo2_->clear();
    file_.write(file_.position());
    refresh();
  });
}

void Database::findByNumber() {
  if (!file_.isOpen()) return;
  const std::string answer = e_.input("Enter Reference Number", "Find:");
  const double value = leadingNumber(answer);
  if (value == 0) return;
  const int64_t n = roundToInt64(value);
  // A value that rounds to 0 names no record either.
  if (value > 0 && value <= static_cast<double>(state().recordCount) && n >= 1) {
    guarded([&] {
      file_.claim();
      file_.read(n);
      refresh();
    });
    return;
  }
  e_.message("Record " + answer + " not present", kTitle, Buttons::Ok, Icon::Exclamation);
}

void Database::findByName() {
  if (!file_.isOpen()) return;
  const std::string answer = e_.input("Enter Target Name", "Find :");
  if (answer.empty()) return;
  bool found = false;
  const bool searched = guarded([&] {
    file_.claim();
    const auto shown = file_.mark();
    for (int64_t n = 1; n <= state().recordCount; ++n) {
      file_.read(n);
      if (rightTrimmed(LanguageRecord::stored(file_.shown().name)) == answer) {
        found = true;
        refresh();
        return;
      }
    }
    // The record shown stays the working record, so the next write goes where it came from.
    file_.restore(shown);
  });
  if (searched && !found) {
    e_.message("Record " + answer + " not present", "Parlomat Language Editor ", Buttons::Ok,
               Icon::Exclamation);
  }
}

void Database::viewAll() {
  if (!file_.isOpen()) return;
  dataDisplay_->show();
  guarded([&] {
    file_.claim();
    const auto shown = file_.mark();
    for (int64_t n = 1; n <= state().recordCount; ++n) {
      file_.read(n);
      const LanguageRecord& r = file_.shown();
      dataDisplay_->appendLine(
          languageListLine(r.refNo, LanguageRecord::trimmed(r.name), r.divisionCount));
    }
    file_.restore(shown);
    refresh();
  });
}

void Database::chooseListLine(const std::string& line) {
  const int64_t n = listLineNumber(line);
  if (n == 0 || !file_.isOpen()) return;
  if (n < 1 || n > state().recordCount) return;
  guarded([&] {
    file_.claim();
    file_.read(n);
    refresh();
  });
}

void Database::memoryDivision(int k) {
  const ControlState& s = state();
  const size_t i = static_cast<size_t>(k);
  label5_->setText(QString::number(k));
  textDiv_->setText(QString::number(s.memoryDivisionCount[i]));
  text2_->setText(QString::number(s.memoryDivisionTime[i]));
  combo2_->setEditText(latin1(s.memoryDivisionChars[i]));
}

void Database::displayMemory() {
  const ControlState& s = state();
  const int n = std::clamp<int>(s.memoryDivisionCount[1], 0, ControlState::kMemoryDivisions);
  int64_t total = 0;
  for (int k = 1; k <= n; ++k) total += s.memoryDivisionTime[static_cast<size_t>(k)];
  label5_->setText(QStringLiteral("Total"));
  textDiv_->setText(QString::number(n));
  text2_->setText(QString::number(total));
  combo2_->setEditText(latin1(trimSpaces(s.memoryDivisionChars[static_cast<size_t>(n)])));
  combo3_->setEditText(QStringLiteral("100"));
  dataDisplay_->clearLines();
  for (int k = 1; k <= n; ++k) {
    const size_t i = static_cast<size_t>(k);
    dataDisplay_->appendLine(trimSpaces(s.memoryDivisionChars[i]) + "-   Length :  -" +
                             std::to_string(s.memoryDivisionTime[i]));
  }
  dataDisplay_->show();
}

void Database::wordSummary() {
  features_->show();
  features_->clearPrinted();
  if (file_.recordCount() == 0) return;
  const LanguageRecord& r = file_.shown();
  std::vector<std::string> lines = {
      "Name :  " + LanguageRecord::stored(r.name),
      "No of divisons :  " + std::to_string(r.divisionCount),
      "Total Timelength :  " + std::to_string(r.totalTimeLength),
      "No. of entries :  " + std::to_string(r.entryCount),
  };
  for (int i = 1; i <= r.validEntryCount(); ++i) {
    const size_t e = static_cast<size_t>(i);
    lines.push_back("Entry no " + std::to_string(i) + " : " +
                    LanguageRecord::trimmed(r.protocols[e]) + " " + std::to_string(r.ratings[e]));
  }
  features_->print(lines, LanguageRecord::trimmed(r.fontName), r.entryCount > 10);
}

void Database::exitContinue() {
  command8_->setIcon(pictureIcon(Picture::ExitPressed, 64));
  close();
}

void Database::closeForStop() {
  stopping_ = true;
  close();
  stopping_ = false;
}

void Database::closeEvent(QCloseEvent* event) {
  ControlState& s = state();
  if (!stopping_ && s.onDemandMode != 1) {
    // Closing the editor in the listening cycle hands back to it: listening resumes.
    closeRecordFile(e_);
    s.utteranceDone = 0;
    e_.timer5->setEnabled(true);
    dataDisplay_->dismiss();
  }
  file_.release();
  event->accept();
}

}  // namespace parlomat::editors
