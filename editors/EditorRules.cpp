#include "editors/EditorRules.h"

#include <algorithm>
#include <limits>

#include "control/Engine.h"
#include "matching/StringProtocol.h"
#include "platform/Numbers.h"

namespace parlomat::editors {

std::string divisionCountRule(const std::string& text) {
  std::string t = text;
  if (t.size() > 1) t = "5";
  if (leadingNumber(t) >= 6) t = "5";
  if (leadingNumber(t) == 0) t = "1";
  return t;
}

std::string timeLengthRule(const std::string& text) {
  std::string t = text;
  if (leadingNumber(t) >= 100000) t = "100000";
  if (leadingNumber(t) <= 0) t = kNonzeroRequest;
  return t;
}

std::string ratingRule(const std::string& text) {
  std::string t = text;
  if (trimSpaces(t).size() > 3) t = "100";
  // Below 1 as stored, not only 0: a negative or tiny rating would leave the 1 to 100 a rating has.
  if (roundToInt64(leadingNumber(t)) < 1) t = "2";
  if (leadingNumber(t) > 100) t = "100";
  return t;
}

bool validLanguageDialogName(const std::string& n) {
  return protocolMatches(n, "*.l???") || (protocolMatches(n, "*.L???") && n.size() > 6);
}

bool validLanguageTypedName(const std::string& n) {
  return protocolMatches(n, "*.lang") || protocolMatches(n, "*.Lang");
}

bool validVocabularyDialogName(const std::string& n) {
  return protocolMatches(n, "*.s??") || (protocolMatches(n, "*.S??") && n.size() > 5);
}

bool validVocabularyTypedName(const std::string& n) {
  return protocolMatches(n, "*.SAY") || protocolMatches(n, "*.say");
}

std::string fileTitle(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

int64_t listLineNumber(const std::string& line) {
  return roundToInt64(leadingNumber(line.substr(0, 4)));
}

std::string languageListLine(int32_t refNo, const std::string& trimmedName, int16_t divisionCount) {
  return std::to_string(refNo) + "   " + trimmedName + "  (" + std::to_string(divisionCount) + ") ";
}

std::string vocabularyListLine(int32_t refNo, const std::string& storedName) {
  return " " + std::to_string(refNo) + std::string(11, ' ') + storedName;
}

int16_t toInt16(double v) {
  return static_cast<int16_t>(std::clamp<int64_t>(
      roundToInt64(v), std::numeric_limits<int16_t>::min(), std::numeric_limits<int16_t>::max()));
}

int32_t toInt32(double v) {
  return static_cast<int32_t>(std::clamp<int64_t>(
      roundToInt64(v), std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

}  // namespace parlomat::editors
