#pragma once
// Dialogs answered from a queue. Every box is recorded so a test can assert its exact text.
// In strict mode a box with no queued answer is reported through `onUnexpected`; otherwise it
// gets the safe answer: No for Yes/No, OK for OK, cancel for input and file boxes.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace parlomat {

struct DialogRecord {
  enum class Kind { Message, Input, File } kind = Kind::Message;
  std::string text;   // message text, input prompt or file dialog title
  std::string title;  // box title (file dialog: the file name offered)
  Buttons buttons = Buttons::Ok;
  Icon icon = Icon::None;
  std::string defaultText;  // input default, file filter
  std::string answer;       // what the box returned, as text
};

class ScriptedDialogs : public Dialogs {
 public:
  // Queues the answer to the next box: "Yes", "No" or "OK" for a message box (any case), the
  // text typed for an input box, the chosen path for a file dialog.
  void answer(std::string a) { queue_.push_back(std::move(a)); }
  void setStrict(bool strict) { strict_ = strict; }
  std::function<void(const DialogRecord&)> onUnexpected;
  // Called for every box as it is shown (the CLI echoes boxes to standard error).
  std::function<void(const DialogRecord&)> onShow;

  const std::vector<DialogRecord>& shown() const { return shown_; }
  size_t pending() const { return queue_.size(); }
  void clear() {
    shown_.clear();
    queue_.clear();
  }

  Answer messageBox(const std::string& text, const std::string& title, Buttons buttons,
                    Icon icon) override;
  std::string inputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  std::string openFile(const std::string& title, const std::string& fileName,
                       const std::string& filter) override;

 private:
  bool next(DialogRecord& r, std::string& out);
  std::deque<std::string> queue_;
  std::vector<DialogRecord> shown_;
  bool strict_ = true;
};

}  // namespace parlomat
