#include "hosts/tarnwick/TarnwickWindows.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "control/Engine.h"
#include "hosts/common/ControlCalls.h"
#include "hosts/common/ParlomatWidget.h"

namespace parlomat::tarnwick {

namespace {

// The title of the boxes this program adds of its own.
constexpr const char* kOwnTitle = "Parlomat Tarnwick";

QLabel* makeLabel(const char* name, const char* text, QWidget* parent) {
  auto* label = new QLabel(QString::fromLatin1(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setWordWrap(true);
  return label;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Form1

Form1::Form1(TarnwickServices services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("Windows by Voice"));

  parlomat1_ = new hosts::ParlomatWidget(services_.host.registry, this);
  parlomat1_->setObjectName(QStringLiteral("Parlomat1"));
  label1_ = makeLabel("Label1",
                      "Welcome to Windows Commands  Program !.Say ::windows:: to see what more is "
                      "on offering !",
                      this);
  label2_ = makeLabel("Label2",
                      "All the files required for this application are prepared using the "
                      "Parlomat Development Application.",
                      this);
  QFont big = label1_->font();
  big.setPointSizeF(big.pointSizeF() * 1.3);
  big.setBold(true);
  label1_->setFont(big);

  auto* top = new QHBoxLayout;
  top->setSpacing(16);
  top->addWidget(parlomat1_, 0, Qt::AlignTop);
  top->addWidget(label1_, 1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(16, 16, 16, 14);
  column->setSpacing(14);
  column->addLayout(top);
  column->addWidget(label2_);
  setMinimumWidth(520);

  timer1_ = new QTimer(this);
  timer1_->setObjectName(QStringLiteral("Timer1"));
  timer1_->setInterval(kFirstInterval);
  connect(timer1_, &QTimer::timeout, this, [this] { tick(); });

  load();
}

Form1::~Form1() = default;

DispatchObject& Form1::control() {
  return parlomat1_->control();
}

void Form1::tell(const std::string& text) {
  services_.host.dialogs.messageBox(text, kOwnTitle, Buttons::Ok, Icon::Exclamation);
}

void Form1::send(const std::string& member, const Variant& value) {
  try {
    control().put(member, value);
  } catch (const DispatchError& e) {
    tell(hosts::describeFailure(control(), member, value, e));
  }
}

void Form1::callMethod(const std::string& member, std::span<const Variant> args) {
  try {
    control().invoke(member, args);
  } catch (const DispatchError& e) {
    tell(hosts::describeFailure(control(), member, std::nullopt, e));
  }
}

void Form1::load() {
  const auto& host = services_.host;
  const auto i16 = [](int v) { return Variant(static_cast<int16_t>(v)); };
  send("This_Audio_Process", "YES");
  send("Stop_everything_now", "NO");
  send("Enable_Unrecognizable_Notification", "NO");
  send("Memory_Clean", "YES");
  send("Play_this_file_for_Start", host.inFolder("Start.wav"));
  send("Play_this_file_for_Stop", host.inFolder("Stop.wav"));
  send("Speech_echo_feature", "NO");
  send("Show_Status_Animation", "YES");
  send("On_speech_show_activities", "NO");
  send("Show_Audio_Graph", "NO");
  send("Voice_Grab_Delay", i16(20000));
  send("Set_Recording_Frequency", i16(22050));
  send("Speech_sampling_time_in_ms", i16(10000));
  send("Sample_processing_resolution", "4000");
  send("Keep_Digital_Signal_Processing_level", "Down");
  send("This_speech_sample_process_end_only", "NO");
  send("This_speech_sample_process_middle_only", "NO");
  send("This_speech_sample_process_start_only", "NO");
  send("Send_words_one_by_one", "YES");
  send("Keep_Matching_Files_Entries_Scan_Accuracy", "SCAN ALL");
  send("Keep_Entry_Matching_Accuracy", "HIGH");
  send("Consider_this_Vocabulary_to_Add", host.inFolder("WindowsSET6"));
  send("Multiple_Files", "YES");
  for (int k = 1; k <= 5; ++k) {
    send("Consider_This_Vocabulary_To_Match_Fileno_" + std::to_string(k),
         host.inFolder("WindowsSET" + std::to_string(k)));
  }
  send("Number_of_files_to_scan", i16(5));
  send("Enable_Artificial_Intelligence", "YES");
  send("Add_To_Language", "NO");
  send("Notify_if_no_language_match", "NO");
  send("Consider_this_Lang_File_to_Add", host.inFolder("Quorvane2"));
  send("Consider_this_Lang_File_to_match", host.inFolder("Quorvane2"));
  const Variant start[] = {Variant("YES"), Variant(static_cast<uint8_t>(255)),
                           Variant(static_cast<uint8_t>(0)), Variant(static_cast<uint8_t>(0))};
  callMethod("Start_Real_Action", start);
  timer1_->start();
}

void Form1::tick() {
  std::string word;
  try {
    word = trimSpaces(control().get("Platinum_Word_1").toText());
  } catch (const DispatchError&) {
    // A tick that cannot read the word acts on nothing; the next one reads again.
    return;
  }
  if (windowsHeard_ && word == "shutoff") {
    powerRequest(PowerControl::Request::Shutdown);
    close();
  }
  if (windowsHeard_ && word == "reboot") {
    powerRequest(PowerControl::Request::Restart);
    close();
  }
  if (word == "windows") {
    send("Play_this_file_for_Start", services_.host.inFolder("option.wav"));
    if (!form2_) form2_ = new Form2(*this);
    form2_->showCommands();
    windowsHeard_ = true;
  }
}

void Form1::powerRequest(PowerControl::Request r) {
  callMethod("Stop_Real_Action");
  if (services_.pumpOnce) services_.pumpOnce();
  if (powerAsked_) return;
  powerAsked_ = true;
  services_.power.request(r);
}

void Form1::stopListening() {
  callMethod("Stop_Real_Action");
  timer1_->stop();
}

void Form1::mousePressEvent(QMouseEvent* e) {
  stopListening();
  QWidget::mousePressEvent(e);
}

void Form1::keyPressEvent(QKeyEvent* e) {
  stopListening();
  QWidget::keyPressEvent(e);
}

void Form1::closeEvent(QCloseEvent* e) {
  stopListening();
  e->accept();
  emit unloaded();
}

// ---------------------------------------------------------------------------------------------
// Form2

Form2::Form2(Form1& main) : QWidget(&main, Qt::Window), main_(main) {
  setObjectName(QStringLiteral("Form2"));
  setWindowTitle(QStringLiteral("Heard ...'Windows'"));

  auto* label1 = makeLabel(
      "Label1", "You just said ::Windows:: Currently this program offers you two more options ...",
      this);
  auto* label2 = makeLabel(
      "Label2", "Warning ! This will  execute so make sure you are prepared for this !", this);
  QFont bold = label2->font();
  bold.setBold(true);
  label2->setFont(bold);
  label2->setStyleSheet(QStringLiteral("color: #a00000;"));

  command1_ = new QPushButton(QStringLiteral("Say '::Reboot::' to Reboot Windows "), this);
  command1_->setObjectName(QStringLiteral("Command1"));
  command2_ = new QPushButton(QStringLiteral("Say '::Shutoff ::' to Shutoff Windows"), this);
  command2_->setObjectName(QStringLiteral("Command2"));
  for (QPushButton* b : {command1_, command2_}) {
    b->setAutoDefault(false);
    b->setMinimumHeight(36);
  }
  connect(command1_, &QPushButton::clicked, this, [this] { rebootClicked(); });
  connect(command2_, &QPushButton::clicked, this, [this] { shutoffClicked(); });

  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(12);
  buttons->addWidget(command1_, 1);
  buttons->addWidget(command2_, 1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(16, 16, 16, 14);
  column->setSpacing(12);
  column->addWidget(label1);
  column->addLayout(buttons);
  column->addWidget(label2);
  setMinimumWidth(580);
}

void Form2::showCommands() {
  if (!loaded_) {
    loaded_ = true;
    prepare();
  }
  show();
  if (!isActiveWindow()) {
    raise();
    activateWindow();
  }
}

void Form2::prepare() {
  main_.send("Play_this_file_for_Start", main_.services().host.inFolder("option.wav"));
  main_.timer1().setInterval(Form1::kArmedInterval);
}

bool Form2::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && loaded_) prepare();
  return QWidget::event(e);
}

void Form2::confirm(const std::string& question, PowerControl::Request r) {
  const Answer a =
      main_.services().host.dialogs.messageBox(question, "MS Windows", Buttons::YesNo, Icon::None);
  if (a != Answer::Yes) return;
  main_.powerRequest(r);
  close();
}

void Form2::rebootClicked() {
  confirm("Reboot your Computer ?", PowerControl::Request::Restart);
}

void Form2::shutoffClicked() {
  confirm("Shutoff your Computer ?", PowerControl::Request::Shutdown);
}

void Form2::closeEvent(QCloseEvent* e) {
  main_.callMethod("Stop_Real_Action");
  main_.timer1().stop();
  loaded_ = false;
  e->accept();
}

}  // namespace parlomat::tarnwick
