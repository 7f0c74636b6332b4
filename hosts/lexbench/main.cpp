// Lexbench: set up and try Parlomat's vocabulary and language files.
#include <QApplication>
#include <QMessageBox>

#include "hosts/common/HostRuntime.h"
#include "hosts/common/ProgramFolder.h"
#include "hosts/lexbench/LexbenchProgram.h"
#include "platform/qt/QtExit.h"
#include "platform/qt/QtText.h"

int main(int argc, char** argv) {
  int status = 0;
  {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Lexbench"));
    QApplication::setApplicationDisplayName(QStringLiteral("Lexbench"));

    using namespace parlomat;
    const hosts::ProgramFolder place = hosts::resolveProgramFolder(hosts::currentFolderInputs());
    if (!place.problem.empty()) {
      QMessageBox::warning(nullptr, QStringLiteral("Parlomat Lexbench"),
                           qt::fromPath(place.problem));
    }
    hosts::HostRuntime runtime(place.folder);
    status = lexbench::runProgram(app, runtime);
  }
  // Audio objects and the application are gone; leave without Qt's racy audio teardown.
  parlomat::exitAfterAudio(status);
}
