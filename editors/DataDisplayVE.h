#pragma once
// The Vocabulary Editor's list window: a header printed on the window above the record lines.
#include <string>
#include <vector>

#include "editors/ListWindow.h"

namespace parlomat::editors {

class DataDisplayVE : public ListWindow {
 public:
  static constexpr const char* kHeader =
      "     RefNo"
      "   "
      " Name";

  explicit DataDisplayVE(QWidget* editor);
  // Clears the printed area and prints the header on it.
  void printHeader();
  const std::vector<std::string>& printed() const { return printed_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::vector<std::string> printed_;
};

}  // namespace parlomat::editors
