#include "hosts/tarnwick/TarnwickProgram.h"

#include <QMessageBox>
#include <memory>

#include "platform/qt/CaptionTint.h"

#ifndef TARNWICK_SOURCE_EXAMPLES
#define TARNWICK_SOURCE_EXAMPLES ""
#endif

namespace parlomat::tarnwick {

hosts::FolderInputs tarnwickFolderInputs() {
  hosts::FolderInputs in = hosts::currentFolderInputs();
  // An installation has every program's examples in its one shared folder (the first set).
  if (const std::string examples = TARNWICK_SOURCE_EXAMPLES; !examples.empty()) {
    if (in.exampleSets.size() < 2) in.exampleSets.resize(2);
    in.exampleSets[1].push_back(examples);
  }
  return in;
}

int runProgram(QApplication& app, hosts::HostRuntime& runtime, PowerControl& power,
               const std::function<void(Form1&)>& shown) {
  hosts::HostServices host = runtime.services();
  bool ended = false;
  host.endProgram = [&ended] {
    ended = true;
    QCoreApplication::exit(0);
  };
  TarnwickServices services{host, power, [&runtime] { runtime.qt.loop.pumpOnce(); }};
  std::unique_ptr<Form1> window;
  try {
    window = std::make_unique<Form1>(services);
  } catch (const DispatchError& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Parlomat Tarnwick"),
                          QStringLiteral("The Parlomat control could not be created: %1")
                              .arg(QString::fromLocal8Bit(e.what())));
    return 1;
  }
  runtime.qt.dialogs.setParentWindow(window.get());
  new CaptionTint(window.get(), runtime.qt.colours);
  QObject::connect(
      window.get(), &Form1::unloaded, &app,
      [&] {
        runtime.qt.dialogs.setParentWindow(nullptr);
        window.reset();
        services.host.endProgram();
      },
      Qt::QueuedConnection);
  window->show();
  if (shown) shown(*window);
  const int status = ended ? 0 : app.exec();
  runtime.qt.dialogs.setParentWindow(nullptr);
  window.reset();
  return status;
}

}  // namespace parlomat::tarnwick
