#pragma once
// The word summary window: lines printed in the word's own font.
#include <QWidget>
#include <string>
#include <vector>

namespace parlomat::editors {

class FeaturesDisplay : public QWidget {
 public:
  explicit FeaturesDisplay(QWidget* editor);

  // Empties the window and gives it its normal height.
  void clearPrinted();
  // Prints `lines` in the font `family` (the window's own font when empty); a `tall` window is made
  // three times its normal height.
  void print(const std::vector<std::string>& lines, const std::string& family, bool tall);

  const std::vector<std::string>& printed() const { return lines_; }
  QString printFamily() const { return font_.family(); }
  bool isTall() const { return tall_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void applyHeight();
  std::vector<std::string> lines_;
  QFont font_;
  bool tall_ = false;
};

}  // namespace parlomat::editors
