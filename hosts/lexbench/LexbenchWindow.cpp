#include "hosts/lexbench/LexbenchWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "control/Engine.h"
#include "hosts/common/ControlCalls.h"
#include "hosts/common/ParlomatWidget.h"
#include "platform/Numbers.h"
#include "platform/RecordFile.h"
#include "platform/qt/QtText.h"

namespace parlomat::lexbench {

namespace {

constexpr const char* kTitle = "Parlomat : Basic Vocabulary and Language Development.";
// The title of the boxes this program adds of its own.
constexpr const char* kOwnTitle = "Parlomat Lexbench";

// ---------------------------------------------------------------------------------------------
// The tables of the menu items.

// YES/NO items: the value when the shared flag is true and when it is false after the flip.
struct YesNoItem {
  const char* menu;
  const char* member;
  Field field;
  const char* ifTrue;
  const char* ifFalse;
  const char* label;
};
const YesNoItem kYesNoItems[] = {
    {"mnuISmc", "Memory_Clean", Clean_Memory, "NO", "YES", "Clean Memory = "},
    {"mnuISsa", "Stop_everything_now", Stop_All, "NO", "YES", "Stop All"},
    {"mnuINSes", "Speech_echo_feature", Echo_Speech, "NO", "YES", "Echo back"},
    {"mnuINSsani", "Show_Status_Animation", Status_Animation, "NO", "YES", "Status Animation"},
    {"mnuINSag", "Show_Audio_Graph", Audio_Graph, "NO", "YES", "Audio Graph"},
    {"mnuINSsaos", "On_speech_show_activities", Show_Activities, "NO", "YES", "Perform activities"},
    {"mnuBVSNINM", "Enable_Unrecognizable_Notification", Notify_If_No_Match, "NO", "YES",
     "Notify Unrecognizable"},
    {"mnuBVSps", "This_speech_sample_process_start_only", Process_Only_Start, "YES", "NO",
     "Process Start Only"},
    {"mnuBVSpm", "This_speech_sample_process_middle_only", Process_Only_Middle, "YES", "NO",
     "Process Middle Only"},
    {"mnuBVSpe", "This_speech_sample_process_end_only", Process_Only_End, "YES", "NO",
     "Process End Only"},
    {"mnuLSeai", "Enable_Artificial_Intelligence", Enable_AI, "NO", "YES",
     "Enable Platinum Output"},
    {"mnuLSacf", "Add_To_Language", Add_Current_To_Language_File, "NO", "YES",
     "Now Language Addition"},
    {"mnuLSnnom", "Notify_if_no_language_match", Notify_If_No_Language_Match, "NO", "YES",
     "Notify if no language match"},
};

struct Choice {
  const char* menu;
  const char* caption;
  const char* word;
};
struct ChoiceGroup {
  const char* parent;
  const char* member;
  Field field;
  const char* label;
  std::vector<Choice> choices;
};
const ChoiceGroup kChoiceGroups[] = {
    {"mnuTSdspl",
     "Keep_Digital_Signal_Processing_level",
     DSP_Level,
     "DSP level : ",
     {{"mnudsptop", "&Top", "Top"},
      {"mnuDSPup", "&Up", "Up"},
      {"mnuDSPmid", "&Middle", "Middle"},
      {"mnuDSPDown", "&Down", "Down"}}},
    {"mnuBVSfca",
     "Keep_Matching_Files_Entries_Scan_Accuracy",
     File_Scan_Accuracy,
     "Entries Scan Accuracy  :",
     {{"mnuFSAVS", "&Very Strict", "VERY STRICT"},
      {"mnuFSAS", "&Strict", "STRICT"},
      {"mnuFSAF", "&Flexible", "FLEXIBLE"},
      {"mnuFSAVF", "&Very Flexible", "VERY FLEXIBLE"},
      {"mnuFSASNA", "&Scan Nearly All", "SCAN NEARLY ALL"},
      {"mnuFSASA", "&Scan All", "SCAN ALL"}}},
    {"mnuBVSema",
     "Keep_Entry_Matching_Accuracy",
     Entry_Matching_Accuracy,
     "Keep Entry Matching Accuracy :  ",
     {{"mnuEMAVH", "&Very High", "VERY HIGH"},
      {"mnuEMAHI", "&Higher", "HIGHER"},
      {"mnuEMAH", "&High", "HIGH"},
      {"mnuEMAM", "&Medium", "MEDIUM"},
      {"mnuEMAL", "&Low", "LOW"},
      {"mnuEMAVL", "&Very Low", "VERY LOW"}}},
};

struct NumberItem {
  const char* menu;
  const char* member;
  Field field;
  const char* prompt;
  const char* title;
  const char* prefix;
  bool onlyWhenPositive;  // the working setting changes only for a number above 0
};
const NumberItem kNumberItems[] = {
    {"mnuTSvcd", "Voice_Grab_Delay", Voice_Capture_Delay,
     "Enter the numericals for voice capture delay", "Delay :", "Voice Capture Delay :  ", true},
    {"mnuTSsct", "Speech_sampling_time_in_ms", Speech_Capture_Time,
     "Enter the speech capture sampling time in ms ", "Time :", "Speech Capture Time :  ", true},
    {"mnuTSdspr", "Sample_processing_resolution", DSP_Resolution,
     "Enter the speech sample processing resolution in bytes length",
     "Resolution :", "Sample processing resolution  :  ", false},
    {"mnuNOFTM", "Number_of_files_to_scan", Files_To_Match, "Enter the no. of files to scan now :",
     "No. of Files:", "Number of files to scan for match :", false},
};

struct FileNameItem {
  const char* menu;
  const char* member;
  Field field;
  const char* prompt;
  const char* title;
  const char* prefix;
  bool trimmed;  // the working setting is the answer trimmed of spaces
};
const FileNameItem kFileNameItems[] = {
    {"mnuINSpst", "Play_this_file_for_Start", Start_Sound_File,
     "Enter only the name of the wave file to play at start (with .wav)",
     "Wave File :", "Play this File at start :  ", false},
    {"mnuINSpso", "Play_this_file_for_Stop", Stop_Sound_File,
     "Enter only the name of the wave file to play at end",
     "Wave File :", "Play this File at end :  ", false},
    {"mnuBVSfta", "Consider_this_Vocabulary_to_Add", Vocabulary_Add_File,
     "Enter only the name of the *.SAY file to Add to basic vocabulary",
     "File :", "Vocabulary Add File  :  ", true},
    {"mnuLSfta", "Consider_this_Lang_File_to_Add", Language_Add_File,
     "Enter only the name of the *.Lang file to Add to your language file",
     "File :", "Language Addition File  :  ", true},
    {"mnuLSftm", "Consider_this_Lang_File_to_match", Language_Match_File,
     "Enter only the name of the *.Lang file to match to your language file",
     "File :", "Language Matching File  :  ", true},
};

const char* const kMatchFilePrefixes[6] = {
    "",
    "Vocabulary Match File no. 1  :  ",
    "Vocabulary Match File no. 2  :  ",
    "Vocabulary Match File no. 3  :  ",
    "Vocabulary Match File no.4 :  ",
    "Vocabulary Match File no.5 :  ",
};

// The apply step after a load or a save: how each non-empty working setting reaches the control
// and the caption of the item that sets it.
enum class Rule { NoSwitch, YesSwitch, Path, Text, Fallback, Resolution };
struct ApplyStep {
  Field field;
  const char* member;
  Rule rule;
  int16_t fallback;
  const char* menu;
  const char* prefix;
  bool check;
  bool captionShowsNumber = false;
};
const ApplyStep kApplySteps[] = {
    {Clean_Memory, "Memory_Clean", Rule::NoSwitch, 0, "mnuISmc", "Clean Memory  = ", true},
    {Stop_All, "Stop_everything_now", Rule::YesSwitch, 0, "mnuISsa", "Stop All = ", true},
    {Notify_If_No_Match, "Enable_Unrecognizable_Notification", Rule::YesSwitch, 0, "mnuBVSNINM",
     "Notify Unrecognizable", true},
    {Start_Sound_File, "Play_this_file_for_Start", Rule::Path, 0, "mnuINSpst",
     "Play this File at start :  ", true},
    {Stop_Sound_File, "Play_this_file_for_Stop", Rule::Path, 0, "mnuINSpso",
     "Play this File at end :  ", true},
    {Echo_Speech, "Speech_echo_feature", Rule::YesSwitch, 0, "mnuINSes", "Echo back = ", true},
    {Status_Animation, "Show_Status_Animation", Rule::NoSwitch, 0, "mnuINSsani", "Status Animation",
     true},
    {Audio_Graph, "Show_Audio_Graph", Rule::YesSwitch, 0, "mnuINSag", "Audio Graph", true},
    {Show_Activities, "On_speech_show_activities", Rule::YesSwitch, 0, "mnuINSsaos",
     "Perform activities", true},
    {Voice_Capture_Delay, "Voice_Grab_Delay", Rule::Fallback, 20000, "mnuTSvcd",
     "Voice Capture Delay :  ", true},
    {Speech_Capture_Time, "Speech_sampling_time_in_ms", Rule::Fallback, 8000, "mnuTSsct",
     "Speech Capture Time :  ", true, true},
    {DSP_Resolution, "Sample_processing_resolution", Rule::Resolution, 0, "mnuTSdspr",
     "Sample processing resolution  :  ", true},
    {DSP_Level, "Keep_Digital_Signal_Processing_level", Rule::Text, 0, "mnuTSdspl",
     "Keep DSP level = ", false},
    {File_Scan_Accuracy, "Keep_Matching_Files_Entries_Scan_Accuracy", Rule::Text, 0, "mnuBVSfca",
     "Keep Entries Scan Accuracy : ", false},
    {Entry_Matching_Accuracy, "Keep_Entry_Matching_Accuracy", Rule::Text, 0, "mnuBVSema",
     "Keep Entry Matching Accuracy : ", false},
    {Vocabulary_Add_File, "Consider_this_Vocabulary_to_Add", Rule::Path, 0, "mnuBVSfta",
     "Consider this file to Add :", true},
    {Files_To_Match, "Number_of_files_to_scan", Rule::Fallback, 1, "mnuNOFTM",
     "No. of files to scan : ", true},
    {Vocabulary_Match_File_1, "Consider_This_Vocabulary_To_Match_Fileno_1", Rule::Path, 0,
     "mnuBVSftm1", "Consider this file to match no.1 : ", true},
    {Vocabulary_Match_File_2, "Consider_This_Vocabulary_To_Match_Fileno_2", Rule::Path, 0,
     "mnuBVSftm2", "Consider this file to match no.2 : ", true},
    {Vocabulary_Match_File_3, "Consider_This_Vocabulary_To_Match_Fileno_3", Rule::Path, 0,
     "mnuBVSftm3", "Consider this file to match no.3 : ", true},
    {Vocabulary_Match_File_4, "Consider_This_Vocabulary_To_Match_Fileno_4", Rule::Path, 0,
     "mnuBVSftm4", "Consider this file to match no.4 : ", true},
    {Vocabulary_Match_File_5, "Consider_This_Vocabulary_To_Match_Fileno_5", Rule::Path, 0,
     "mnuBVSftm5", "Consider this file to match no.5 : ", true},
    {Process_Only_Start, "This_speech_sample_process_start_only", Rule::YesSwitch, 0, "mnuBVSps",
     "Process Start Only : ", true},
    {Process_Only_Middle, "This_speech_sample_process_middle_only", Rule::YesSwitch, 0, "mnuBVSpm",
     "Process Middle Only :  ", true},
    {Process_Only_End, "This_speech_sample_process_end_only", Rule::YesSwitch, 0, "mnuBVSpe",
     "Process end Only : ", true},
    {Enable_AI, "Enable_Artificial_Intelligence", Rule::NoSwitch, 0, "mnuLSeai",
     "Enable Language Artificial Intelligence: ", false},
    {Add_Current_To_Language_File, "Add_To_Language", Rule::YesSwitch, 0, "mnuLSacf",
     " Add to Language file ? : ", true},
    {Notify_If_No_Language_Match, "Notify_if_no_language_match", Rule::YesSwitch, 0, "mnuLSnnom",
     "Notify if not matched ? : ", true},
    {Language_Add_File, "Consider_this_Lang_File_to_Add", Rule::Path, 0, "mnuLSfta",
     "Consider this lang file to add : ", true},
    {Language_Match_File, "Consider_this_Lang_File_to_match", Rule::Path, 0, "mnuLSftm",
     "Consider this lang file to match: ", true},
};

// The menu tree: each top menu, then its items; a submenu's items follow it, indented by ">".
struct MenuEntry {
  const char* name;
  const char* caption;
};
struct TopMenu {
  const char* name;
  const char* caption;
  std::vector<MenuEntry> items;
};
const TopMenu kMenus[] = {
    {"mnuOS", "&Open Settings ", {{"mnuOSO", "&Open "}}},
    {"mnuSS", "&Save Settings", {{"mnuSSS", "&Save"}}},
    {"mnuIS", "&Initial Settings", {{"mnuISmc", "&Memory Clean"}, {"mnuISsa", "&Stop_All"}}},
    {"mnuINS",
     "&Interesting Settings",
     {{"mnuINSpst", "&Play Start File :"},
      {"mnuINSpso", "&Play Stop File :"},
      {"mnuINSes", "&Echo  speech"},
      {"mnuINSsani", "&Status Animation "},
      {"mnuINSag", "&Audio Graph"},
      {"mnuINSsaos", "&Show Activities on speech"}}},
    {"mnuTS",
     "&Technical Settings",
     {{"mnuTSvcd", "&Voice Capture Delay"},
      {"mnuTSsct", "&Speech Capture Time"},
      {"mnuTSdspr", "&DSP Resolution"},
      {">mnuTSdspl", "&DSP Level"}}},
    {"mnuBVS",
     "&Basic Vocabulary Settings",
     {{"mnuBVSNINM", "&Notify if no match"},
      {">mnuBVSfca", "&File Scan Accuracy"},
      {">mnuBVSema", "&Entry Matching Accuracy"},
      {"mnuBVSfta", "&File to Add :"},
      {"mnuNOFTM", "&Number of Files to match "},
      {"mnuBVSftm1", "&File to match no 1 :"},
      {"mnuBVSftm2", "&File to match no 2 :"},
      {"mnuBVSftm3", "&File to match no 3 :"},
      {"mnuBVSftm4", "&File to match no 4 :"},
      {"mnuBVSftm5", "&File to match no 5 :"},
      {"mnuBVSps", "&Process only Start"},
      {"mnuBVSpm", "&Process only Middle"},
      {"mnuBVSpe", "&Process only End"}}},
    {"mnuLS",
     "&Language Settings",
     {{"mnuLSeai", "&Enable Artificial Intelligence "},
      {"mnuLSacf", "&Add current to file"},
      {"mnuLSnnom", "&Notify if no language match"},
      {"mnuLSfta", "&File to Add :"},
      {"mnuLSftm", "&File to match :"}}},
    {"mnuabo", "&About", {{"mnuab(1)", "&About "}}},
    {"mnuCU", "&Coming up", {{"mnuCUG", "&Coming Parlomat Upgradations"}}},
};

// A caption as the menu shows it: the user's own ampersands are shown, not taken as accelerators.
QString shownText(const std::string& caption) {
  QString s = qt::fromLatin1(caption);
  s.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return s;
}

void setCheck(QAction* a, bool on) {
  if (on) {
    a->setCheckable(true);
    a->setChecked(true);
  } else {
    a->setChecked(false);
    a->setCheckable(false);
  }
}

std::string wholeText(double n) {
  return Variant(n).toText();
}

// The window's background: light grey with faint sound waves spreading from a corner.
class Backdrop : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), QColor(224, 224, 224));
    p.setPen(QPen(QColor(208, 210, 218), 3));
    const QPointF centre(width() + 40, height() + 40);
    for (int r = 120; r < width() + height(); r += 46) {
      p.drawEllipse(centre, r, r);
    }
  }
};

// The pictures of the buttons, drawn here so the program needs no image files.
QIcon buttonPicture(int kind) {
  QPixmap pm(40, 40);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor ink(40, 40, 40);
  switch (kind) {
    case 0:  // Start: a red recording dot
      p.setPen(QPen(ink, 2));
      p.setBrush(QColor(210, 30, 30));
      p.drawEllipse(QRectF(8, 8, 24, 24));
      break;
    case 1:  // Stop: a dark square
      p.setPen(Qt::NoPen);
      p.setBrush(ink);
      p.drawRoundedRect(QRectF(10, 10, 20, 20), 3, 3);
      break;
    case 2:  // Add: a green plus
    case 3:  // Disable add: the plus, struck through
      p.setPen(QPen(QColor(30, 150, 60), 6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(20, 8), QPointF(20, 32));
      p.drawLine(QPointF(8, 20), QPointF(32, 20));
      if (kind == 3) {
        p.setPen(QPen(QColor(200, 30, 30), 4, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(8, 32), QPointF(32, 8));
      }
      break;
    default:  // End: a door with an arrow leaving it
      p.setPen(QPen(ink, 2));
      p.setBrush(QColor(190, 160, 110));
      p.drawRect(QRectF(8, 6, 16, 28));
      p.setPen(QPen(QColor(30, 90, 200), 3, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(18, 20), QPointF(34, 20));
      p.drawLine(QPointF(34, 20), QPointF(28, 14));
      p.drawLine(QPointF(34, 20), QPointF(28, 26));
      break;
  }
  return QIcon(pm);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Construction (the window's load step).

LexbenchWindow::LexbenchWindow(hosts::HostServices services, QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QString::fromLatin1(kTitle));
  // A fixed single border without minimise and maximise buttons, kept out of the task bar.
  setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  buildFace();
  buildMenus();
  connectItems();
  // Wide enough for every menu title on the bar, none folded away.
  setFixedSize(std::max(sizeHint().width(), menuBar()->sizeHint().width()), sizeHint().height());

  toggle_ = true;
  item("mnuSSS")->setEnabled(false);
  command4_->setEnabled(false);
}

LexbenchWindow::~LexbenchWindow() {
  timer1_->stop();
  file_.reset();
  // The control goes first, while the window is whole: its shutdown pumps events, and the
  // window's handlers, finding no control, then do nothing.
  hosts::ParlomatWidget* face = parlomat_;
  parlomat_ = nullptr;
  delete face;
}

DispatchObject& LexbenchWindow::control() {
  return parlomat_->control();
}

QAction* LexbenchWindow::addItem(QWidget* menu, const char* name, const char* caption) {
  auto* a = new QAction(QString::fromLatin1(caption), menu);
  a->setObjectName(QString::fromLatin1(name));
  menu->addAction(a);
  items_[name] = a;
  return a;
}

QAction* LexbenchWindow::item(const char* name) const {
  return items_.at(name);
}

void LexbenchWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("menuBar"));
  for (const TopMenu& top : kMenus) {
    auto* menu = new QMenu(QString::fromLatin1(top.caption), bar);
    menu->setObjectName(QString::fromLatin1(top.name));
    menu->menuAction()->setObjectName(QString::fromLatin1(top.name));
    bar->addMenu(menu);
    items_[top.name] = menu->menuAction();
    for (const MenuEntry& entry : top.items) {
      if (entry.name[0] != '>') {
        addItem(menu, entry.name, entry.caption);
        continue;
      }
      const char* name = entry.name + 1;
      auto* sub = new QMenu(QString::fromLatin1(entry.caption), menu);
      sub->setObjectName(QString::fromLatin1(name));
      sub->menuAction()->setObjectName(QString::fromLatin1(name));
      menu->addMenu(sub);
      items_[name] = sub->menuAction();
      for (const ChoiceGroup& g : kChoiceGroups) {
        if (std::string(g.parent) != name) continue;
        for (const Choice& c : g.choices) addItem(sub, c.menu, c.caption);
      }
    }
  }
}

void LexbenchWindow::buildFace() {
  auto* face = new Backdrop(this);
  face->setObjectName(QStringLiteral("Backdrop"));
  setCentralWidget(face);

  // Black boxes with green text; a palette, so the scroll bar keeps its own look.
  QPalette black = palette();
  for (auto role : {QPalette::Window, QPalette::Base}) black.setColor(role, Qt::black);
  for (auto role : {QPalette::WindowText, QPalette::Text}) black.setColor(role, QColor(0, 230, 0));

  parlomat_ = new hosts::ParlomatWidget(services_.registry, face);
  parlomat_->setObjectName(QStringLiteral("Parlomat1"));

  labResult_ = new QTextEdit(face);
  labResult_->setObjectName(QStringLiteral("LabResult"));
  labResult_->setToolTip(QStringLiteral(
      "Displays the final word (rated Platinum no.1) after interactions with the basic string "
      "level AI you have setup. "));
  labResult_->setReadOnly(true);
  labResult_->setLineWrapMode(QTextEdit::NoWrap);
  labResult_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  labResult_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  labResult_->setPalette(black);
  QFont big = labResult_->font();
  big.setPixelSize(22);
  big.setBold(true);
  labResult_->setFont(big);
  QTextOption centred(Qt::AlignHCenter);
  centred.setWrapMode(QTextOption::NoWrap);
  labResult_->document()->setDefaultTextOption(centred);
  labResult_->setPlainText(QStringLiteral("Your words appear here"));
  // One line of text above the scroll bar.
  labResult_->setFixedHeight(QFontMetrics(big).height() + 12 +
                             labResult_->horizontalScrollBar()->sizeHint().height());

  auto makeCounter = [&](const char* name) {
    auto* l = new QLabel(QStringLiteral("0"), face);
    l->setObjectName(QString::fromLatin1(name));
    l->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    l->setPalette(black);
    l->setAutoFillBackground(true);
    l->setAlignment(Qt::AlignCenter);
    l->setMinimumWidth(90);
    return l;
  };
  label2_ = makeCounter("Label2");
  label3_ = makeCounter("Label3");
  label4_ = makeCounter("Label4");

  static const char* const kTextTips[13] = {
      "",
      "Basic Vocabulary  characters rated No.1 ",
      "Basic Vocabulary  characters rated No.1 %",
      "Basic Vocabulary  characters rated No.2 ",
      "Basic Vocabulary  characters rated No.2  %",
      "Basic Vocabulary  characters rated No.3 ",
      "Basic Vocabulary  characters rated No.3 %",
      "Basic Vocabulary  characters rated No.4 ",
      "Basic Vocabulary  characters rated No.4 %",
      "Golden rated characters found",
      "Golden rated characters found %",
      "Platinum second rated characters found ",
      "Platinum second rated characters found  %",
  };
  for (int i = 1; i <= 12; ++i) {
    auto* t = new QLineEdit(face);
    t->setObjectName(QStringLiteral("Text%1").arg(i));
    t->setToolTip(QString::fromLatin1(kTextTips[i]));
    t->setReadOnly(true);
    if (i % 2 == 0) {
      t->setFixedWidth(56);
      t->setAlignment(Qt::AlignRight);
    } else {
      t->setMinimumWidth(150);
    }
    text_[i] = t;
  }

  // The framed labels behind the pairs: name, tooltip, a short title, and the pair's numbers.
  struct Frame {
    const char* name;
    const char* tip;
    const char* title;
    int first;
  };
  static const Frame kFrames[] = {
      {"Label1(5)", "Basic Vocabulary  characters rated No.1 with %", "Characters rated No.1", 1},
      {"Label1(4)", "Basic Vocabulary  characters rated No.2 with %", "Characters rated No.2", 3},
      {"Label1(3)", "Basic Vocabulary  characters rated No.3 with %", "Characters rated No.3", 5},
      {"Label1(2)", "Basic Vocabulary  characters rated No.4 with %", "Characters rated No.4", 7},
      {"Label1(1)", "Golden rated characters found", "Golden characters", 9},
      {"Label1(0)", "Platinum second rated characters found with %", "Second word", 11},
  };
  auto* pairs = new QGridLayout;
  pairs->setHorizontalSpacing(10);
  pairs->setVerticalSpacing(6);
  for (int i = 0; i < 6; ++i) {
    auto* box = new QGroupBox(QString::fromLatin1(kFrames[i].title), face);
    box->setObjectName(QString::fromLatin1(kFrames[i].name));
    box->setToolTip(QString::fromLatin1(kFrames[i].tip));
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(8, 4, 8, 6);
    row->addWidget(text_[kFrames[i].first], 1);
    row->addWidget(text_[kFrames[i].first + 1]);
    pairs->addWidget(box, i / 2, i % 2);
  }

  struct Heading {
    const char* name;
    const char* caption;
    QLabel* value;
  };
  const Heading headings[] = {
      {"Label1(6)", "No.of Words :", label2_},
      {"Label1(7)", "Current No. Processed :", label4_},
      {"Label1(8)", "Bytes length of the word :", label3_},
  };
  auto* counters = new QHBoxLayout;
  for (const Heading& h : headings) {
    auto* l = new QLabel(QString::fromLatin1(h.caption), face);
    l->setObjectName(QString::fromLatin1(h.name));
    counters->addWidget(l);
    counters->addWidget(h.value);
    counters->addSpacing(14);
  }
  counters->addStretch(1);

  struct Button {
    const char* name;
    const char* text;
    const char* tip;
  };
  static const Button kButtons[] = {
      {"Command4", "Start", "Starts Recording"},
      {"Command1", "Stop", "Stops Recording"},
      {"Command2", "Add", "Adds to the specified 'Basic Vocabulary' file"},
      {"Command3", "Disable add", "Disables addition to the specified 'Basic Vocabulary' file"},
      {"Command5", "End", "Ends this program"},
  };
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  QToolButton* made[5] = {};
  for (int i = 0; i < 5; ++i) {
    auto* b = new QToolButton(face);
    b->setObjectName(QString::fromLatin1(kButtons[i].name));
    b->setText(QString::fromLatin1(kButtons[i].text));
    b->setToolTip(QString::fromLatin1(kButtons[i].tip));
    b->setIcon(buttonPicture(i));
    b->setIconSize(QSize(32, 32));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMinimumWidth(84);
    buttons->addWidget(b);
    made[i] = b;
  }
  buttons->addStretch(1);
  command4_ = made[0];
  connect(made[0], &QToolButton::clicked, this, [this] { start(); });
  connect(made[1], &QToolButton::clicked, this, [this] { stop(); });
  connect(made[2], &QToolButton::clicked, this, [this] { addToVocabulary(true); });
  connect(made[3], &QToolButton::clicked, this, [this] { addToVocabulary(false); });
  connect(made[4], &QToolButton::clicked, this, [this] { end(); });

  auto* top = new QHBoxLayout;
  top->addWidget(parlomat_, 0, Qt::AlignTop);
  top->addSpacing(10);
  auto* result = new QVBoxLayout;
  auto* heading = new QLabel(QStringLiteral("Recognised word (Platinum No.1) and its percentage"));
  heading->setObjectName(QStringLiteral("ResultHeading"));
  result->addStretch(1);
  result->addWidget(heading);
  result->addWidget(labResult_);
  result->addStretch(1);
  top->addLayout(result, 1);

  auto* column = new QVBoxLayout(face);
  column->setContentsMargins(14, 14, 14, 12);
  column->setSpacing(10);
  column->addLayout(top);
  column->addLayout(pairs);
  column->addLayout(counters);
  column->addLayout(buttons);

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kRefreshMs);
  connect(timer1_, &QTimer::timeout, this, [this] { refreshResults(); });
}

void LexbenchWindow::onTriggered(QAction* a, std::function<void()> handler) {
  connect(a, &QAction::triggered, this, [a, handler = std::move(handler)] {
    // Qt flips a checkable item's mark on a click; here only the handlers set marks.
    if (a->isCheckable()) a->setChecked(!a->isChecked());
    handler();
  });
}

void LexbenchWindow::connectItems() {
  onTriggered(item("mnuOSO"), [this] { loadSettings(); });
  onTriggered(item("mnuSSS"), [this] { saveSettings(); });
  for (size_t i = 0; i < std::size(kYesNoItems); ++i) {
    onTriggered(item(kYesNoItems[i].menu), [this, i] { yesNoClicked(i); });
  }
  for (size_t g = 0; g < std::size(kChoiceGroups); ++g) {
    for (size_t c = 0; c < kChoiceGroups[g].choices.size(); ++c) {
      onTriggered(item(kChoiceGroups[g].choices[c].menu), [this, g, c] { choiceClicked(g, c); });
    }
  }
  for (size_t i = 0; i < std::size(kNumberItems); ++i) {
    onTriggered(item(kNumberItems[i].menu), [this, i] { numberClicked(i); });
  }
  for (size_t i = 0; i < std::size(kFileNameItems); ++i) {
    onTriggered(item(kFileNameItems[i].menu), [this, i] { fileNameClicked(i); });
  }
  for (int k = 1; k <= 5; ++k) {
    const std::string name = "mnuBVSftm" + std::to_string(k);
    onTriggered(item(name.c_str()), [this, k] { matchFileClicked(k); });
  }
  onTriggered(item("mnuab(1)"), [this] { showSplash(); });
  onTriggered(item("mnuCUG"), [this] { showComingSplash(); });
}

// ---------------------------------------------------------------------------------------------
// Calls into the control.

void LexbenchWindow::tell(const std::string& text) {
  services_.dialogs.messageBox(text, kOwnTitle, Buttons::Ok, Icon::Exclamation);
}

bool LexbenchWindow::send(const std::string& member, const Variant& value) {
  if (!parlomat_) return false;
  try {
    control().put(member, value);
    return true;
  } catch (const DispatchError& e) {
    tell(hosts::describeFailure(control(), member, value, e));
    return false;
  }
}

bool LexbenchWindow::callMethod(const std::string& member, std::span<const Variant> args) {
  if (!parlomat_) return false;
  try {
    control().invoke(member, args);
    return true;
  } catch (const DispatchError& e) {
    tell(hosts::describeFailure(control(), member, std::nullopt, e));
    return false;
  }
}

std::optional<Variant> LexbenchWindow::read(const std::string& member) {
  if (!parlomat_) return std::nullopt;
  try {
    return control().get(member);
  } catch (const DispatchError&) {
    // The refresh runs ten times a second: a result that cannot be read stays as shown.
    return std::nullopt;
  }
}

void LexbenchWindow::setCaption(QAction* a, const std::string& caption) {
  a->setText(shownText(caption));
}

void LexbenchWindow::setCaption(const char* name, const std::string& caption) {
  setCaption(item(name), caption);
}

// ---------------------------------------------------------------------------------------------
// The settings file.

void LexbenchWindow::loadSettings() {
  const std::string path = services_.inFolder(kSettingsFileName);
  std::unique_ptr<RecordFile> opened;
  std::array<uint8_t, kRecordLength> bytes{};
  int64_t records = 0;
  int64_t got = 0;
  try {
    opened = services_.files.open(path, kRecordLength);
    records = recordCountOf(opened->length(), kRecordLength);
    got = opened->read(1, bytes);
  } catch (const RecordFileError& e) {
    tell("The settings file " + path + " could not be opened or read (" + e.what() +
         "). Nothing was changed.");
    return;
  }
  UserSettingsRecord r = UserSettingsRecord::fromBytes(bytes, static_cast<size_t>(got));
  if (records == 0) r.recordNumber = 1;
  // A further load closes the earlier opening of the file.
  file_ = std::move(opened);
  record_ = r;
  item("mnuSSS")->setEnabled(true);
  applySettings();
  command4_->setEnabled(true);
  toggle_ = false;
}

void LexbenchWindow::saveSettings() {
  Answer a = services_.dialogs.messageBox("Ready to save current settings ? ",
                                          "Parlomat Speech Recognition Development", Buttons::YesNo,
                                          Icon::Question);
  if (a != Answer::Yes) {
    services_.dialogs.messageBox("Save later", "Parlomat", Buttons::Ok, Icon::None);
    return;
  }
  if (!file_) {
    tell("No settings file is open: open the settings first. Nothing was saved.");
    return;
  }
  UserSettingsRecord r = record_;
  for (int f = 0; f < kFieldCount; ++f) r.fields[f] = packField(working_[f]);
  if (r.recordNumber < 1) {
    tell("The settings record names record number " + std::to_string(r.recordNumber) +
         ", where nothing can be written. Nothing was saved.");
    return;
  }
  const auto bytes = r.toBytes();
  try {
    file_->write(r.recordNumber, bytes);
  } catch (const RecordFileError& e) {
    tell("The settings could not be written to " + file_->path() + " (" + e.what() +
         "). Your settings are unchanged in Lexbench; try saving again.");
    return;
  }
  record_ = r;
  applySettings();
}

void LexbenchWindow::applySettings() {
  for (int f = 0; f < kFieldCount; ++f) working_[f] = trimSpaces(record_.fields[f]);
  for (const ApplyStep& s : kApplySteps) {
    const std::string& text = working_[s.field];
    if (text.empty()) continue;
    Variant value;
    switch (s.rule) {
      case Rule::NoSwitch:
        value = Variant(noSwitch(text));
        break;
      case Rule::YesSwitch:
        value = Variant(yesSwitch(text));
        break;
      case Rule::Path:
        value = Variant(services_.inFolder(text));
        break;
      case Rule::Text:
        value = Variant(text);
        break;
      case Rule::Fallback:
        value = numberWithFallback(text, s.fallback);
        break;
      case Rule::Resolution: {
        double n = leadingNumber(text);
        value = n > 0 ? Variant(n) : Variant("1500");
        break;
      }
    }
    if (!send(s.member, value)) continue;
    QAction* a = item(s.menu);
    setCaption(
        a, std::string(s.prefix) + (s.captionShowsNumber ? wholeText(leadingNumber(text)) : text));
    if (s.check) setCheck(a, true);
  }
}

// ---------------------------------------------------------------------------------------------
// The menu items.

void LexbenchWindow::yesNoClicked(size_t row) {
  const YesNoItem& it = kYesNoItems[row];
  toggle_ = !toggle_;
  const std::string value = toggle_ ? it.ifTrue : it.ifFalse;
  if (!send(it.member, Variant(value))) return;
  QAction* a = item(it.menu);
  setCaption(a, std::string(it.label) + " " + value);
  setCheck(a, true);
  working_[it.field] = value;
}

void LexbenchWindow::choiceClicked(size_t group, size_t choice) {
  const ChoiceGroup& g = kChoiceGroups[group];
  const Choice& c = g.choices[choice];
  for (const Choice& other : g.choices) setCheck(item(other.menu), &other == &c);
  if (!send(g.member, Variant(c.word))) return;
  setCaption(g.parent, std::string(g.label) + c.word);
  working_[g.field] = c.word;
}

void LexbenchWindow::numberClicked(size_t row) {
  const NumberItem& it = kNumberItems[row];
  const std::string answer = services_.dialogs.inputBox(it.prompt, it.title, "");
  const double n = roundHalfEven(leadingNumber(answer));
  const hosts::WholeRange range = hosts::numberRangeFor(control(), it.member);
  if (n < range.low || n > range.high) {
    tell("The number " + wholeText(n) + " is too large for " + it.member +
         ", which takes a whole number from " + wholeText(range.low) + " to " +
         wholeText(range.high) + ". Nothing was sent or stored.");
    return;
  }
  if (!send(it.member, Variant(n))) return;
  setCaption(it.menu, std::string(it.prefix) + wholeText(n));
  if (!it.onlyWhenPositive || n > 0) working_[it.field] = wholeText(n);
}

void LexbenchWindow::fileNameClicked(size_t row) {
  const FileNameItem& it = kFileNameItems[row];
  const std::string answer = services_.dialogs.inputBox(it.prompt, it.title, "");
  if (!send(it.member, Variant(services_.inFolder(answer)))) return;
  setCaption(it.menu, std::string(it.prefix) + answer);
  working_[it.field] = it.trimmed ? trimSpaces(answer) : answer;
}

void LexbenchWindow::matchFileClicked(int k) {
  const std::string answer = services_.dialogs.inputBox(
      "Enter only the name of the *.SAY file to Match to basic vocabulary", "File :", "");
  const std::string member = "Consider_This_Vocabulary_To_Match_Fileno_" + std::to_string(k);
  if (!send(member, Variant(services_.inFolder(answer)))) return;
  const std::string menu = "mnuBVSftm" + std::to_string(k);
  setCaption(menu.c_str(), std::string(kMatchFilePrefixes[k]) + answer);
  if (answer.empty()) {
    if (k == 1) {
      services_.dialogs.messageBox("First File name is a must", "Parlomat User Error", Buttons::Ok,
                                   Icon::None);
    }
    return;
  }
  if (k >= 2 && !send("Multiple_Files", Variant("YES"))) return;
  if (!send("Number_of_files_to_scan", Variant(static_cast<int16_t>(k)))) return;
  setCaption("mnuNOFTM", "Number of Files to match : " + std::to_string(k));
  working_[Vocabulary_Match_File_1 + (k - 1)] = trimSpaces(answer);
}

// ---------------------------------------------------------------------------------------------
// The buttons.

void LexbenchWindow::start() {
  const Texts& w = working_;
  auto trimmed = [&](Field f) { return trimSpaces(w[f]); };
  auto path = [&](Field f) { return Variant(services_.inFolder(trimmed(f))); };
  auto number = [&](const std::string& t) { return Variant(leadingNumber(t)); };

  timer1_->start();
  send("This_Audio_Process", Variant("YES"));
  send("Memory_Clean", Variant(noSwitch(w[Clean_Memory])));
  send("Stop_everything_now", Variant(yesSwitch(w[Stop_All])));
  send("Enable_Unrecognizable_Notification", Variant(yesSwitch(w[Notify_If_No_Match])));
  send("Play_this_file_for_Start", path(Start_Sound_File));
  send("Play_this_file_for_Stop", path(Stop_Sound_File));
  send("Speech_echo_feature", Variant(yesSwitch(w[Echo_Speech])));
  send("Show_Status_Animation", Variant(noSwitch(w[Status_Animation])));
  send("On_speech_show_activities", Variant(yesSwitch(trimmed(Show_Activities))));
  send("Show_Audio_Graph", Variant(yesSwitch(w[Audio_Graph])));
  send("Voice_Grab_Delay", number(w[Voice_Capture_Delay]));
  send("Set_Recording_Frequency", Variant(static_cast<int16_t>(22050)));
  send("Speech_sampling_time_in_ms", number(trimmed(Speech_Capture_Time)));
  send("Sample_processing_resolution", number(trimmed(DSP_Resolution)));
  send("Keep_Digital_Signal_Processing_level", Variant(trimmed(DSP_Level)));
  send("Send_words_one_by_one", Variant("YES"));
  send("Keep_Matching_Files_Entries_Scan_Accuracy", Variant(trimmed(File_Scan_Accuracy)));
  send("Keep_Entry_Matching_Accuracy", Variant(trimmed(Entry_Matching_Accuracy)));
  send("Consider_this_Vocabulary_to_Add", path(Vocabulary_Add_File));
  send("Number_of_files_to_scan", number(trimmed(Files_To_Match)));
  send("Consider_This_Vocabulary_To_Match_Fileno_1", path(Vocabulary_Match_File_1));
  for (int k = 2; k <= 5; ++k) {
    send("Consider_This_Vocabulary_To_Match_Fileno_" + std::to_string(k),
         path(Field(Vocabulary_Match_File_1 + k - 1)));
    send("Multiple_Files", Variant("YES"));
  }
  send("This_speech_sample_process_start_only", Variant(yesSwitch(w[Process_Only_Start])));
  send("This_speech_sample_process_middle_only", Variant(yesSwitch(w[Process_Only_Middle])));
  send("This_speech_sample_process_end_only", Variant(yesSwitch(w[Process_Only_End])));
  send("Enable_Artificial_Intelligence", Variant(noSwitch(w[Enable_AI])));
  send("Add_To_Language", Variant(yesSwitch(w[Add_Current_To_Language_File])));
  send("Notify_if_no_language_match", Variant(yesSwitch(w[Notify_If_No_Language_Match])));
  send("Consider_this_Lang_File_to_Add", path(Language_Add_File));
  send("Consider_this_Lang_File_to_match", path(Language_Match_File));
  const Variant args[] = {Variant("YES"), Variant(static_cast<uint8_t>(255)),
                          Variant(static_cast<uint8_t>(0)), Variant(static_cast<uint8_t>(0))};
  callMethod("Start_Real_Action", args);
}

void LexbenchWindow::stop() {
  callMethod("Stop_Real_Action");
  timer1_->stop();
}

void LexbenchWindow::addToVocabulary(bool on) {
  send("Add_To_Vocabulary", Variant(on ? "YES" : "NO"));
}

void LexbenchWindow::end() {
  callMethod("Stop_Real_Action");
  if (services_.endProgram) services_.endProgram();
}

void LexbenchWindow::refreshResults() {
  auto whole32 = [&](const char* member) -> std::optional<QString> {
    auto v = read(member);
    if (!v) return std::nullopt;
    return QString::number(v->toInt32());
  };
  auto text = [&](const char* member) -> std::optional<QString> {
    auto v = read(member);
    if (!v) return std::nullopt;
    return qt::fromLatin1(v->toText());
  };
  auto put = [](auto* target, const std::optional<QString>& v) {
    if (v) target->setText(*v);
  };
  put(label2_, whole32("Probable_no_of_words_recognized"));
  put(label4_, whole32("Current_Word_no_Processed"));
  put(label3_, whole32("Current_Word_no_Timelength"));
  static const char* const kTexts[13] = {
      "",
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
      nullptr,
  };
  for (int i = 1; i <= 11; ++i) put(text_[i], text(kTexts[i]));
  if (auto v = read("Platinum_Word_2_Percentage")) {
    text_[12]->setText(QString::number(v->toInt16()));
  }
  auto word = read("Platinum_Word_1");
  auto percent = read("Platinum_Word_1_Percentage");
  if (word && percent) {
    labResult_->setPlainText(qt::fromLatin1(word->toText()) + QLatin1Char(' ') +
                             QString::number(percent->toInt16()));
  }
}

// ---------------------------------------------------------------------------------------------
// Window events and the information windows.

bool LexbenchWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowDeactivate) {
    // The window activates as a form does: coming back from another window of this program,
    // not from a message or input box (whose closing would restart the sound in the middle of
    // listening) nor from another program.
    QWidget* next = QApplication::activeWindow();
    activationCounts_ = next != nullptr && !next->isModal();
  } else if (e->type() == QEvent::WindowActivate && activationCounts_) {
    send("Play_this_file_on_Initialization", Variant(services_.inFolder("backcon.wav")));
    callMethod("InitializeSound");
  }
  return QMainWindow::event(e);
}

void LexbenchWindow::closeEvent(QCloseEvent* e) {
  file_.reset();
  showComingSplash();
  e->accept();
  emit unloaded();
}

namespace {
// Shows an information window over the middle of `over`.
void showOver(QWidget* info, const QWidget* over) {
  info->adjustSize();
  info->move(over->geometry().center() - QPoint(info->width() / 2, info->height() / 2));
  info->show();
}
}  // namespace

void LexbenchWindow::showSplash() {
  showOver(makeSplash(), this);
}

void LexbenchWindow::showComingSplash() {
  showOver(makeComingSplash(), this);
}

}  // namespace parlomat::lexbench
