#pragma once
// Modal boxes the recogniser shows: message box, input box, file-open dialog.
#include <string>

namespace parlomat {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Critical, Question, Exclamation, Information };
enum class Answer { Ok, Yes, No };

const char* buttonsName(Buttons b);  // "OK", "YesNo"
const char* iconName(Icon i);        // "none", "critical", "question", "exclamation", "information"

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  // An empty title shows the program's own name, as a box without a title does.
  virtual Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                            Icon icon) = 0;
  // Returns the text typed, or the empty text when the user cancels.
  virtual std::string inputBox(const std::string& prompt, const std::string& title,
                               const std::string& defaultText) = 0;
  // Returns the chosen path; on cancel the file name it was given, unchanged.
  virtual std::string openFile(const std::string& title, const std::string& fileName,
                               const std::string& filter) = 0;
};

}  // namespace parlomat
