#include "matching/LanguageMatcher.h"

#include <algorithm>
#include <cstdlib>
#include <exception>
#include <memory>

#include "control/Delayer.h"
#include "control/Recording.h"
#include "control/StatusSignals.h"
#include "matching/MatchingSupport.h"
#include "matching/Ranking.h"
#include "matching/StringProtocol.h"
#include "matching/WorkingRecords.h"
#include "platform/Numbers.h"

namespace parlomat {

namespace {

constexpr const char* kNoLanguageFile = "Please specify your language files location";

int32_t timeBonus(int64_t d) {
  int64_t a = std::llabs(d);
  if (a == 0) return 25;
  if (a <= 500) return 20;
  if (a <= 1000) return 15;
  if (a <= 2000) return 5;
  return 0;
}

// Scores the working record just read into the candidate list.
void scoreRecord(ControlState& s, const std::string& chars, int64_t timeLength) {
  MatchingState& m = s.matching;
  const LanguageRecord& r = m.languageRecord;
  for (int i = 1; i <= r.entryCount; ++i) {
    if (i > LanguageRecord::kEntries) throw MatchingError("protocol index above 100");
    if (!protocolMatches(chars, LanguageRecord::trimmed(r.protocols[static_cast<size_t>(i)]))) {
      continue;
    }
    if (m.languageCandidateCount >= MatchingState::kMaxCandidates) {
      throw MatchingError("more than 4000 language candidates");
    }
    m.languageCandidates.push_back(
        {LanguageRecord::stored(r.name), LanguageRecord::stored(r.fontName),
         languageScore(r.ratings[static_cast<size_t>(i)], timeLength, r.totalTimeLength)});
    ++m.languageCandidateCount;
    m.languageFound = true;
    s.languageMatchRecord = r.refNo;
  }
}

void resetLanguageCandidates(MatchingState& m) {
  m.languageFound = false;
  m.languageCandidateCount = 0;
  m.languageCandidates.resize(1);
}

// Closes the shared file, stops the capture and lets the listening cycle go on.
void resumeListening(Engine& e) {
  closeRecordFile(e);
  StopCapture(e);
  e.state.utteranceDone = 0;
  e.timer5->setEnabled(true);
}

}  // namespace

int32_t languageScore(int16_t rating, int64_t timeLength, int32_t recordTimeLength) {
  double score = rating / 2.0 + timeBonus(timeLength - recordTimeLength) + 20;
  return static_cast<int32_t>(roundHalfEven(score));
}

void scoreLanguageFile(Engine& e, const std::string& chars, int64_t timeLength, bool ownHandle) {
  ControlState& s = e.state;
  MatchingState& m = s.matching;
  const std::string& path = s.languageFileToMatch;
  if (!ownHandle) {
    openLanguageFile(e, path);
    for (int64_t r = 1; r <= s.recordCount; ++r) {
      readLanguageRecord(e, r);
      scoreRecord(s, chars, timeLength);
    }
    writeLanguageRecord(e, lastRecordPosition(e));
    closeRecordFile(e);
    return;
  }
  std::unique_ptr<RecordFile> file = e.platform.files->open(path, LanguageRecord::kLength);
  const int64_t count = recordCountOf(file->length(), LanguageRecord::kLength);
  int64_t last = 1;
  m.languageRecord = file->length() == 0 ? LanguageRecord::blank() : LanguageRecord::read(*file, 1);
  if (count == 0) m.languageRecord.refNo = 1;
  for (int64_t r = 1; r <= count; ++r) {
    m.languageRecord = LanguageRecord::read(*file, r);
    last = r;
    scoreRecord(s, chars, timeLength);
  }
  m.languageRecord.write(*file, last);
}

bool askNoMatchQuestion(Engine& e) {
  return e.message(
             "You have enabled Artificial Intelligence matching. And no match was found in the "
             "specified Lang file : " +
                 e.state.languageFileToAdd +
                 "  Do you want to add the characters to Parlomat Language Database ? ",
             "Parlomat Language Development", Buttons::YesNo, Icon::None) == Answer::Yes;
}

void matchLanguageDivision(Engine& e) {
  ControlState& s = e.state;
  e.platform.loop->pumpOnce();
  if (isYes(s.stopEverything)) return;
  resetLanguageCandidates(s.matching);
  if (s.memoryDivisionCount[1] < 1) return;
  try {
    if (s.wordNo < 1 || s.wordNo > ControlState::kMemoryDivisions) {
      throw MatchingError("division number outside the Current Memory");
    }
    const std::string chars = s.memoryDivisionChars[static_cast<size_t>(s.wordNo)];
    const int64_t time = s.memoryDivisionTime[static_cast<size_t>(s.wordNo)];
    if (s.languageFileToMatch.empty()) {
      e.message(kNoLanguageFile, "Parlomat Info", Buttons::Ok, Icon::Information);
      return;
    }
    scoreLanguageFile(e, chars, time, true);
    if (!s.matching.languageFound) {
      s.languageMatchRecord = 0;
      if (isYes(s.notifyIfNoLanguageMatch) && isNo(s.addToLanguage) &&
          s.wordNo == s.probableWordCount && askNoMatchQuestion(e)) {
        e.platform.windows->showLanguageEditor();
        return;
      }
    }
    rankWords(e);
    if (isYes(s.addToLanguage)) openLanguageForAddition(e);
    e.platform.loop->pumpOnce();
  } catch (const std::exception&) {
    e.message(
        "Problems in  File I/O, Code AIMFW, Check the Location of your disk files of language "
        "database and their states",
        "Parlomat Info", Buttons::Ok, Icon::Information);
  }
}

void matchLanguageUtterance(Engine& e) {
  ControlState& s = e.state;
  e.platform.loop->pumpOnce();
  if (isYes(s.stopEverything)) return;
  resetLanguageCandidates(s.matching);
  const int n = s.memoryDivisionCount[1];
  if (n == 0) {
    resumeListening(e);
    return;
  }
  if (n < 0 || n > ControlState::kMemoryDivisions) {
    throw MatchingError("division count outside the Current Memory");
  }
  int64_t time = 0;
  for (int k = 1; k <= n; ++k) time += s.memoryDivisionTime[static_cast<size_t>(k)];
  const std::string chars = s.memoryDivisionChars[static_cast<size_t>(n)];
  if (s.languageFileToMatch.empty()) {
    e.message(kNoLanguageFile, "Parlomat Info", Buttons::Ok, Icon::Information);
    return;
  }
  scoreLanguageFile(e, chars, time, false);
  if (!s.matching.languageFound) {
    s.languageMatchRecord = 0;
    if (isNo(s.addToLanguage) && isYes(s.notifyIfNoLanguageMatch) && askNoMatchQuestion(e)) {
      e.platform.windows->showLanguageEditor();
      return;
    }
  }
  rankWords(e);
  if (isYes(s.artificialIntelligence) && isYes(s.addToLanguage)) openLanguageForAddition(e);
  e.platform.loop->pumpOnce();
}

void rankWords(Engine& e) {
  ControlState& s = e.state;
  MatchingState& m = s.matching;
  ++s.platinumSetCount;
  e.platform.loop->pumpOnce();
  if (isYes(s.stopEverything)) return;
  ShowStatusPicture(e, 1);
  const int32_t count = std::min<int32_t>(m.languageCandidateCount,
                                          static_cast<int32_t>(m.languageCandidates.size()) - 1);
  const auto slot = rankSevenSlots(
      count, [&m](int32_t i) { return m.languageCandidates[static_cast<size_t>(i)].score; });
  for (size_t k = 1; k <= 7; ++k) {
    const LanguageCandidate& c = m.languageCandidates[static_cast<size_t>(slot[k])];
    const int32_t score = slot[k] == 0 ? 0 : c.score;
    s.candidateWord[k] = trimSpaces(c.name);
    s.platinumWord[k] = s.candidateWord[k];
    storeRankedEntry(s.wordOfNo[k], s.platinumSetCount, s.candidateWord[k]);
    storeRankedEntry(s.wordProbabilityOfNo[k], s.platinumSetCount, std::to_string(score));
    s.platinumFont[k] = trimSpaces(c.font);
    s.platinumPercent[k] = static_cast<int16_t>(score);
  }
  if (e.wordsRanked) e.wordsRanked();
  if (isNo(s.addToLanguage) && isYes(s.artificialIntelligence) && s.onDemandMode == 0) {
    resumeListening(e);
  } else {
    e.platform.loop->pumpOnce();
  }
}

void openLanguageForAddition(Engine& e) {
  ControlState& s = e.state;
  if (isYes(s.stopEverything)) return;
  if (s.languageFileToAdd.empty() || !isYes(s.addToLanguage)) return;
  try {
    e.platform.windows->showLanguageEditor();
  } catch (const std::exception&) {
    e.message(
        "Problem in File I/O,Code AIAD, Check the Location of your disk files of language database "
        "and their states",
        "Parlomat Info", Buttons::Ok, Icon::Information);
  }
}

}  // namespace parlomat
