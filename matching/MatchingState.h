#pragma once
// Working records and candidate lists of vocabulary and language matching, kept in the control
// state (ControlState::matching) beside the shared file handle `fileNumber` and `recordCount`.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "matching/LanguageRecord.h"
#include "matching/VocabularyRecord.h"

namespace parlomat {

struct VocabularyCandidate {
  std::string name;  // the 20-character Name field as stored
  int32_t percent = 0;
};

struct LanguageCandidate {
  std::string name;  // the 40-character Name field as stored
  std::string font;  // the 40-character FontName field as stored
  int32_t score = 0;
};

struct MatchingState {
  // Candidate lists hold entries 1..4000; entry 0 is an empty sentinel with score 0.
  static constexpr int kMaxCandidates = 4000;

  // The one working vocabulary record, shared by the matcher, the trainer and the editor.
  VocabularyRecord vocabularyRecord = VocabularyRecord::blank();
  // The one working language record, shared by the matchers and the Language Editor.
  LanguageRecord languageRecord = LanguageRecord::blank();
  // Position of the record last read or written on the shared handle (0: none yet).
  int64_t lastPosition = 0;

  std::vector<VocabularyCandidate> vocabularyCandidates = std::vector<VocabularyCandidate>(1);
  int32_t vocabularyCandidateCount = 0;
  bool vocabularyFound = false;
  std::array<int32_t, 8> rankSlot{};       // 1..7: indices into vocabularyCandidates, 0 for none
  std::array<std::string, 8> rankedChara;  // 1..7: trimmed names of the ranked candidates

  std::vector<LanguageCandidate> languageCandidates = std::vector<LanguageCandidate>(1);
  int32_t languageCandidateCount = 0;
  bool languageFound = false;
};

}  // namespace parlomat
