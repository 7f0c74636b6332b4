#include "platform/Dialogs.h"

namespace parlomat {

const char* buttonsName(Buttons b) {
  return b == Buttons::Ok ? "OK" : "YesNo";
}

const char* iconName(Icon i) {
  switch (i) {
    case Icon::None:
      return "none";
    case Icon::Critical:
      return "critical";
    case Icon::Question:
      return "question";
    case Icon::Exclamation:
      return "exclamation";
    case Icon::Information:
      return "information";
  }
  return "none";
}

}  // namespace parlomat
