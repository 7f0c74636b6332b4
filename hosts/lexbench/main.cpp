// Lexbench: set up and try Parlomat's vocabulary and language files.
#include <QApplication>
#include <QMessageBox>
#include <memory>

#include "hosts/common/HostRuntime.h"
#include "hosts/common/ProgramFolder.h"
#include "hosts/lexbench/LexbenchWindow.h"
#include "platform/qt/CaptionTint.h"
#include "platform/qt/QtText.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Lexbench"));
  QApplication::setApplicationDisplayName(QStringLiteral("Lexbench"));

  using namespace parlomat;
  const hosts::ProgramFolder place = hosts::resolveProgramFolder(hosts::currentFolderInputs());
  if (!place.problem.empty()) {
    QMessageBox::warning(nullptr, QStringLiteral("Parlomat Lexbench"), qt::fromPath(place.problem));
  }

  hosts::HostRuntime runtime(place.folder);
  std::unique_ptr<lexbench::LexbenchWindow> window;
  try {
    window = std::make_unique<lexbench::LexbenchWindow>(runtime.services());
  } catch (const DispatchError& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Parlomat Lexbench"),
                          QStringLiteral("The Parlomat control could not be created: %1")
                              .arg(QString::fromLocal8Bit(e.what())));
    return 1;
  }
  runtime.qt.dialogs.setParentWindow(window.get());
  // The listening colour, shown along the top of the window while recognition runs.
  new CaptionTint(window.get(), runtime.qt.colours);
  // Closing the last window destroys the control, whose shutdown ends a running capture loop;
  // only then can the event loop return.
  QObject::connect(&app, &QApplication::lastWindowClosed, [&] {
    runtime.qt.dialogs.setParentWindow(nullptr);
    window.reset();
  });
  window->show();
  return app.exec();
}
