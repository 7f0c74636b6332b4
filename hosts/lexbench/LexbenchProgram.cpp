#include "hosts/lexbench/LexbenchProgram.h"

#include <QMessageBox>
#include <memory>

#include "platform/qt/CaptionTint.h"

namespace parlomat::lexbench {

int runProgram(QApplication& app, hosts::HostRuntime& runtime,
               const std::function<void(LexbenchWindow&)>& shown) {
  std::unique_ptr<LexbenchWindow> window;
  try {
    window = std::make_unique<LexbenchWindow>(runtime.services());
  } catch (const DispatchError& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Parlomat Lexbench"),
                          QStringLiteral("The Parlomat control could not be created: %1")
                              .arg(QString::fromLocal8Bit(e.what())));
    return 1;
  }
  runtime.qt.dialogs.setParentWindow(window.get());
  new CaptionTint(window.get(), runtime.qt.colours);
  QObject::connect(
      window.get(), &LexbenchWindow::unloaded, &app,
      [&] {
        runtime.qt.dialogs.setParentWindow(nullptr);
        window.reset();
      },
      Qt::QueuedConnection);
  window->show();
  if (shown) shown(*window);
  const int status = app.exec();
  runtime.qt.dialogs.setParentWindow(nullptr);
  window.reset();
  return status;
}

}  // namespace parlomat::lexbench
