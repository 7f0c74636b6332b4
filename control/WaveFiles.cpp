#include "control/WaveFiles.h"

namespace parlomat {

bool LoadWaveFile(Engine& e, const std::string&) {
  e.message("Sorry ! Couldn't open the wav file you specified.", "Parlomat Wave ERROR", Buttons::Ok,
            Icon::Critical);
  return false;
}

}  // namespace parlomat
