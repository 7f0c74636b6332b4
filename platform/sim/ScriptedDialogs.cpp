#include "platform/sim/ScriptedDialogs.h"

#include <algorithm>
#include <cctype>

namespace parlomat {

namespace {
std::string lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}
}  // namespace

bool ScriptedDialogs::next(DialogRecord& r, std::string& out) {
  if (onShow) onShow(r);
  if (queue_.empty()) {
    if (strict_ && onUnexpected) onUnexpected(r);
    return false;
  }
  out = queue_.front();
  queue_.pop_front();
  return true;
}

Answer ScriptedDialogs::messageBox(const std::string& text, const std::string& title,
                                   Buttons buttons, Icon icon) {
  DialogRecord r{DialogRecord::Kind::Message, text, title, buttons, icon, {}, {}};
  std::string a;
  Answer result = buttons == Buttons::YesNo ? Answer::No : Answer::Ok;
  if (next(r, a) && buttons == Buttons::YesNo) {
    result = lower(a) == "yes" ? Answer::Yes : Answer::No;
  }
  r.answer = result == Answer::Yes ? "Yes" : result == Answer::No ? "No" : "OK";
  shown_.push_back(r);
  return result;
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
  DialogRecord r{
      DialogRecord::Kind::Input, prompt, title, Buttons::Ok, Icon::None, defaultText, {}};
  std::string a;
  if (!next(r, a)) a.clear();
  r.answer = a;
  shown_.push_back(r);
  return a;
}

std::string ScriptedDialogs::openFile(const std::string& title, const std::string& fileName,
                                      const std::string& filter) {
  DialogRecord r{DialogRecord::Kind::File, title, fileName, Buttons::Ok, Icon::None, filter, {}};
  std::string a;
  if (!next(r, a)) a = fileName;
  r.answer = a;
  shown_.push_back(r);
  return a;
}

}  // namespace parlomat
