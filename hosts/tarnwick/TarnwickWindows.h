#pragma once
// Tarnwick's two windows. Form1, the main window, holds the control Parlomat1, sets it up and
// starts listening as it loads, and reads the best recognised word on every tick of Timer1:
// "windows" opens Form2 and arms the spoken commands, after which "shutoff" or "reboot" asks the
// system to shut down or restart and unloads Form1. Form2 offers the same two commands as buttons,
// each after a question. The control is reached only through its dispatch interface, by member
// name. Every control carries its name as its object name.
#include <QTimer>
#include <QWidget>
#include <functional>
#include <span>
#include <string>

#include "hosts/common/HostServices.h"
#include "platform/Variant.h"
#include "platform/Windows.h"

class QLabel;
class QPushButton;

namespace parlomat {
class DispatchObject;
namespace hosts {
class ParlomatWidget;
}
}  // namespace parlomat

namespace parlomat::tarnwick {

struct TarnwickServices {
  hosts::HostServices host;
  PowerControl& power;
  // Lets the pending window events run once.
  std::function<void()> pumpOnce;
};

class Form2;

class Form1 : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kFirstInterval = 10;
  static constexpr int kArmedInterval = 1000;

  // Loads the window: creates the control (raises DispatchError when it cannot), sends it the
  // settings and starts listening. Show it afterwards.
  explicit Form1(TarnwickServices services, QWidget* parent = nullptr);
  ~Form1() override;

  DispatchObject& control();
  QTimer& timer1() { return *timer1_; }
  bool windowsHeard() const { return windowsHeard_; }
  // Created when "windows" is first heard.
  Form2* form2() const { return form2_; }
  const TarnwickServices& services() const { return services_; }

  // Timer1's tick.
  void tick();
  // Stops listening, lets the window events run once, asks for the shut-down or restart (once in
  // the program's life) and returns.
  void powerRequest(PowerControl::Request r);

  // Sends a value to a write-only property; a failure is told to the user.
  void send(const std::string& member, const Variant& value);
  void callMethod(const std::string& member, std::span<const Variant> args = {});

 signals:
  // The unload step has run; the window is to be destroyed and the program to end.
  void unloaded();

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  void load();
  void stopListening();
  void tell(const std::string& text);

  TarnwickServices services_;
  hosts::ParlomatWidget* parlomat1_ = nullptr;
  QLabel* label1_ = nullptr;
  QLabel* label2_ = nullptr;
  QTimer* timer1_ = nullptr;
  Form2* form2_ = nullptr;
  bool windowsHeard_ = false;
  bool powerAsked_ = false;
};

class Form2 : public QWidget {
  Q_OBJECT

 public:
  explicit Form2(Form1& main);

  // Shows the window without making it modal, loading it first when it is not loaded; an open
  // window only comes to the front.
  void showCommands();
  bool loaded() const { return loaded_; }

  // The buttons' handlers.
  void rebootClicked();
  void shutoffClicked();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;

 private:
  // The load and activate step.
  void prepare();
  void confirm(const std::string& question, PowerControl::Request r);

  Form1& main_;
  QPushButton* command1_ = nullptr;
  QPushButton* command2_ = nullptr;
  bool loaded_ = false;
};

}  // namespace parlomat::tarnwick
