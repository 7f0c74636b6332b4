#include "platform/qt/QtExit.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace parlomat {

void exitAfterAudio(int code) {
  std::cout.flush();
  std::cerr.flush();
  std::fflush(nullptr);
  std::_Exit(code);
}

}  // namespace parlomat
