#include "matching/StringProtocol.h"

namespace parlomat {

namespace {
unsigned byteOf(char c) {
  return static_cast<unsigned char>(c);
}
}  // namespace

StringProtocol::StringProtocol(std::string_view p) {
  for (size_t i = 0; i < p.size(); ++i) {
    Token t;
    char c = p[i];
    if (c == '*') {
      // Runs of stars mean the same as one.
      if (!tokens_.empty() && tokens_.back().star) continue;
      t.star = true;
    } else if (c == '?') {
      t.accepts.set();
    } else if (c == '#') {
      for (char d = '0'; d <= '9'; ++d) t.accepts.set(byteOf(d));
    } else if (c == '[') {
      size_t close = p.find(']', i + 1);
      if (close == std::string_view::npos) {
        valid_ = false;
        return;
      }
      std::string_view list = p.substr(i + 1, close - i - 1);
      i = close;
      if (list.empty()) continue;  // "[]": the empty string
      bool negate = list.front() == '!';
      if (negate) list.remove_prefix(1);
      for (size_t j = 0; j < list.size(); ++j) {
        // A hyphen between two characters makes a range; first or last it is itself.
        if (j + 2 < list.size() && list[j + 1] == '-') {
          unsigned lo = byteOf(list[j]), hi = byteOf(list[j + 2]);
          if (lo > hi) {
            valid_ = false;
            return;
          }
          for (unsigned b = lo; b <= hi; ++b) t.accepts.set(b);
          j += 2;
        } else {
          t.accepts.set(byteOf(list[j]));
        }
      }
      if (negate) t.accepts.flip();
    } else {
      t.accepts.set(byteOf(c));
    }
    tokens_.push_back(t);
  }
}

bool StringProtocol::matches(std::string_view text) const {
  if (!valid_) return false;
  // Every token but the star takes exactly one character, so backtracking to the last star is
  // enough: linear in text x pattern at worst.
  size_t ti = 0, pi = 0;
  size_t starAt = std::string_view::npos, resumeText = 0;
  while (ti < text.size()) {
    if (pi < tokens_.size() && tokens_[pi].star) {
      starAt = pi++;
      resumeText = ti;
    } else if (pi < tokens_.size() && tokens_[pi].accepts.test(byteOf(text[ti]))) {
      ++pi;
      ++ti;
    } else if (starAt != std::string_view::npos) {
      pi = starAt + 1;
      ti = ++resumeText;
    } else {
      return false;
    }
  }
  while (pi < tokens_.size() && tokens_[pi].star) ++pi;
  return pi == tokens_.size();
}

bool protocolMatches(std::string_view text, std::string_view pattern) {
  return StringProtocol(pattern).matches(text);
}

}  // namespace parlomat
