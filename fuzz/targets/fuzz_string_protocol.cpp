// The string compare protocol matcher with both the pattern and the subject fuzzed, checked
// against a plain reference: an independent reading of the pattern language and a table of which
// pattern prefix matches which subject prefix.
#include <bitset>
#include <optional>
#include <string>
#include <vector>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "matching/StringProtocol.h"

using namespace parlomat;

namespace {

struct Item {
  bool star = false;
  std::bitset<256> set;
};

unsigned byteOf(char c) {
  return static_cast<unsigned char>(c);
}

// The pattern as items, or nothing when it is not valid (an unclosed bracket, a range high-low).
std::optional<std::vector<Item>> readPattern(const std::string& p) {
  std::vector<Item> items;
  size_t i = 0;
  while (i < p.size()) {
    Item it;
    const char c = p[i];
    if (c == '*') {
      it.star = true;
      ++i;
    } else if (c == '?') {
      it.set.set();
      ++i;
    } else if (c == '#') {
      for (unsigned d = '0'; d <= '9'; ++d) it.set.set(d);
      ++i;
    } else if (c == '[') {
      const size_t close = p.find(']', i + 1);
      if (close == std::string::npos) return std::nullopt;
      std::string list = p.substr(i + 1, close - i - 1);
      i = close + 1;
      if (list.empty()) continue;  // "[]" stands for nothing
      bool negate = false;
      if (list[0] == '!') {
        negate = true;
        list.erase(0, 1);
      }
      size_t j = 0;
      while (j < list.size()) {
        const bool range = j + 2 < list.size() && list[j + 1] == '-';
        if (range) {
          const unsigned lo = byteOf(list[j]), hi = byteOf(list[j + 2]);
          if (lo > hi) return std::nullopt;
          for (unsigned b = lo; b <= hi; ++b) it.set.set(b);
          j += 3;
        } else {
          it.set.set(byteOf(list[j]));
          ++j;
        }
      }
      if (negate) it.set.flip();
    } else {
      it.set.set(byteOf(c));
      ++i;
    }
    items.push_back(it);
  }
  return items;
}

// fit[i][j]: items 0..i-1 match the first j characters.
bool referenceMatches(const std::vector<Item>& items, const std::string& text) {
  const size_t n = items.size(), m = text.size();
  std::vector<std::vector<char>> fit(n + 1, std::vector<char>(m + 1, 0));
  fit[0][0] = 1;
  for (size_t i = 1; i <= n; ++i) {
    const Item& it = items[i - 1];
    for (size_t j = 0; j <= m; ++j) {
      if (it.star) {
        fit[i][j] = fit[i - 1][j] || (j > 0 && fit[i][j - 1]);
      } else {
        fit[i][j] = j > 0 && fit[i - 1][j - 1] && it.set.test(byteOf(text[j - 1]));
      }
    }
  }
  return fit[n][m] != 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string pattern = in.ConsumeRandomLengthString(160);
  const std::string text = in.ConsumeRandomLengthString(160);

  const StringProtocol protocol(pattern);
  const bool got = protocol.matches(text);
  const auto items = readPattern(pattern);
  fuzz::require(protocol.valid() == items.has_value(), "validity agrees with the reference");
  const bool want = items && referenceMatches(*items, text);
  fuzz::require(got == want, "the match agrees with the reference");
  fuzz::require(protocolMatches(text, pattern) == got, "the one-off form agrees");
  // A valid pattern without special characters matches exactly itself.
  if (pattern.find_first_of("*?#[") == std::string::npos) {
    fuzz::require(protocol.matches(pattern), "a plain pattern matches itself");
  }
  return 0;
}
