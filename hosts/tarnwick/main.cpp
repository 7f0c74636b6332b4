// Tarnwick: shut down or restart the computer by voice.
#include <QApplication>
#include <QMessageBox>
#include <iostream>

#include "hosts/common/HostRuntime.h"
#include "hosts/tarnwick/PowerRequest.h"
#include "hosts/tarnwick/TarnwickProgram.h"
#include "platform/qt/QtExit.h"
#include "platform/qt/QtText.h"

int main(int argc, char** argv) {
  int status = 0;
  {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarnwick"));
    QApplication::setApplicationDisplayName(QStringLiteral("Tarnwick"));
    // Form2 may stay open after Form1 unloads; the program ends with Form1.
    QApplication::setQuitOnLastWindowClosed(false);

    using namespace parlomat;
    const hosts::ProgramFolder place =
        hosts::resolveProgramFolder(tarnwick::tarnwickFolderInputs());
    if (!place.problem.empty()) {
      QMessageBox::warning(nullptr, QStringLiteral("Parlomat Tarnwick"),
                           qt::fromPath(place.problem));
    }
    const auto power = tarnwick::makePowerControl(std::cout);
    hosts::HostRuntime runtime(place.folder);
    status = tarnwick::runProgram(app, runtime, *power);
  }
  parlomat::exitAfterAudio(status);
}
