#pragma once
// String compare protocols: patterns matched against a whole string, byte by byte, exact case.
//   ?        any one character          #        any one digit 0-9
//   *        zero or more characters    [list]   one character in the list ([!list]: not in it)
// A list holds characters and ranges low-high, compared by character code; a hyphen first or last
// and an exclamation mark anywhere but first stand for themselves, so [*] [?] [#] [[] match the
// special character itself. "[]" matches the empty string. A pattern with an unclosed bracket or a
// range whose low end lies above its high end is not valid and matches nothing.
#include <bitset>
#include <string_view>
#include <vector>

namespace parlomat {

class StringProtocol {
 public:
  explicit StringProtocol(std::string_view pattern);
  bool valid() const { return valid_; }
  // True when `text` as a whole fits the pattern.
  bool matches(std::string_view text) const;

 private:
  struct Token {
    bool star = false;
    std::bitset<256> accepts;  // for a one-character token
  };
  std::vector<Token> tokens_;
  bool valid_ = true;
};

// One-off form of StringProtocol(pattern).matches(text).
bool protocolMatches(std::string_view text, std::string_view pattern);

}  // namespace parlomat
