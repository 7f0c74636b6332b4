#pragma once
// The Language Editor's list window: record titles, or the divisions of the Current Memory.
#include "editors/ListWindow.h"

namespace parlomat::editors {

class DataDisplay : public ListWindow {
 public:
  explicit DataDisplay(QWidget* editor);
};

}  // namespace parlomat::editors
