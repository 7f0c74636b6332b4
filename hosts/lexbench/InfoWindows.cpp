// The about window Splash and the information window ComingSplash: fixed text and pictures.
#include "editors/SplashWindows.h"
#include "hosts/lexbench/LexbenchWindow.h"

namespace parlomat::lexbench {

QWidget* makeSplash() {
  return new editors::InfoSplash(
      QStringLiteral("Splash"), QStringLiteral("Lexbench"),
      QStringLiteral("The development program of Parlomat, the speech recogniser you train with "
                     "your own voice.\n\nSet up and try vocabulary (*.SAY) and language (*.Lang) "
                     "files: every setting is on the menus and is kept in UserSettings.Vset."
                     "\n\nVersion 0.1"),
      editors::Picture::Listening, QStringLiteral("About Lexbench"));
}

QWidget* makeComingSplash() {
  return new editors::InfoSplash(
      QStringLiteral("ComingSplash"), QStringLiteral("Coming up"),
      QStringLiteral("Planned for the next versions of Parlomat:\n\n"
                     "- more vocabulary files matched at once\n"
                     "- language protocols suggested from your own takes\n"
                     "- longer phrases spoken without a pause\n\n"
                     "Thank you for trying Lexbench."),
      editors::Picture::Upgrade, QStringLiteral("Coming Parlomat Upgradations"));
}

}  // namespace parlomat::lexbench
