#include <gtest/gtest.h>

#include "matching/StringProtocol.h"

namespace parlomat {

TEST(StringProtocol, MatchesTheWholeStringWithExactCase) {
  struct Case {
    const char* pattern;
    const char* text;
    bool fits;
  } cases[] = {
      // The worked examples of the language file.
      {"B?T*", "BAT123khg", true},
      {"B?T*", "bAT123khg", false},
      {"a[L-P]#b", "aM5b", true},
      {"a[L-P]#b", "aQ5b", false},
      {"aa#aa", "aa2aa", true},
      {"aa#aa", "aaxaa", false},
      {"ee*ss", "eeuuucss", true},
      {"ee???ss", "eeuuuss", true},
      {"ee???ss", "eeuuucss", false},
      // Whole string, empty pattern, stars.
      {"", "", true},
      {"", "a", false},
      {"ka", "kha", false},
      {"ka", "ka ", false},
      {"*", "", true},
      {"a*", "a", true},
      {"**a", "ba", true},
      {"*a*b*c", "xaxbxc", true},
      {"*a*b*c", "xaxbxcx", false},
      {"?", "", false},
      // Brackets: escapes, negation, ranges, literal hyphen and exclamation mark.
      {"[*]", "*", true},
      {"[*]", "a", false},
      {"[?]", "?", true},
      {"[?]", "x", false},
      {"[#]", "#", true},
      {"[#]", "5", false},
      {"[[]", "[", true},
      {"a]", "a]", true},
      {"[!a-c]", "d", true},
      {"[!a-c]", "b", false},
      {"[-a]", "-", true},
      {"[a-]", "-", true},
      {"[a-]", "b", false},
      {"[a!]", "!", true},
      {"[a!]", "b", false},
      {"[a-cx-z]", "y", true},
      {"[a-cx-z]", "m", false},
      {"a[]b", "ab", true},
      {"\xe0[\xe1-\xef]", "\xe0\xe5", true},  // single-byte regional characters by code
      {"\xe0[\xe1-\xef]", "\xe0\x61", false},
      // File-name checks of the editors.
      {"*.l???", "words.lang", true},
      {"*.L???", "words.Lang", true},
      {"*.l???", "words.Lang", false},
      // Not valid: an unclosed list or a range running downwards matches nothing.
      {"[a", "a", false},
      {"[a", "[a", false},
      {"[z-a]", "m", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("pattern '") + c.pattern + "' text '" + c.text + "'");
    EXPECT_EQ(protocolMatches(c.text, c.pattern), c.fits);
  }
}

TEST(StringProtocol, LongRunsOfStarsStayQuick) {
  // Backtracking to the last star only: this would take ages with naive recursion.
  std::string pattern;
  for (int i = 0; i < 20; ++i) pattern += "*a";
  pattern += "b";
  EXPECT_FALSE(protocolMatches(std::string(400, 'a'), pattern));
  EXPECT_TRUE(protocolMatches(std::string(400, 'a') + "b", pattern));
}

}  // namespace parlomat
