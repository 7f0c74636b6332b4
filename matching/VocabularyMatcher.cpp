#include "matching/VocabularyMatcher.h"

#include <algorithm>
#include <span>

#include "control/Delayer.h"
#include "control/Recording.h"
#include "control/StatusSignals.h"
#include "matching/LanguageMatcher.h"
#include "matching/MatchingSupport.h"
#include "matching/PairCounter.h"
#include "matching/Ranking.h"
#include "matching/StringProtocol.h"
#include "matching/VocabularyTrainer.h"
#include "matching/WorkingRecords.h"
#include "platform/Numbers.h"

namespace parlomat {

namespace {

constexpr const char* kVocabularyTitle = "Parlomat Vocabulary Development";

void reportScanFailure(Engine& e) {
  e.message(
      "Problems in  File I/O, Code BVMTD, Check the Location of your disk files of vyanjana or "
      "vocabulary database and their states",
      "Parlomat Info", Buttons::Ok, Icon::Information);
}

const std::string& entryOr(const std::vector<std::string>& array, int32_t i) {
  static const std::string kEmpty;
  return i >= 0 && static_cast<size_t>(i) < array.size() ? array[static_cast<size_t>(i)] : kEmpty;
}

}  // namespace

int32_t characterPercent(int64_t pairs, int recordCount, int utteranceCount) {
  int64_t denominator = std::max(recordCount, utteranceCount);
  if (denominator <= 0) return 0;
  int64_t numerator = pairs * 100;
  int64_t q = numerator / denominator, r = numerator % denominator;
  if (2 * r > denominator || (2 * r == denominator && q % 2 != 0)) ++q;
  return q >= 100 ? 99 : static_cast<int32_t>(q);
}

void scanVocabularyFile(Engine& e, const std::string& path, bool notFirstFile) {
  ControlState& s = e.state;
  MatchingState& m = s.matching;
  if (isYes(s.stopEverything)) return;
  if (path.empty()) return;
  try {
    if (isYes(s.speechEcho) && s.showActivities == 1 && !notFirstFile) {
      StopCapture(e);
      PlaySegment(e, s.segmentStart, s.segmentEnd);
    }
    openVocabularyFile(e, path);
    m.vocabularyCandidateCount = 0;
    m.vocabularyCandidates.resize(1);
    m.vocabularyFound = false;

    const int utterance = std::clamp<int>(s.valleyCount, 0, VocabularyRecord::kValleySlots);
    const AgreementCounter counter(
        std::span<const int32_t>(s.valleyBins.data(), static_cast<size_t>(utterance)),
        s.entryTolerance);
    for (int64_t c = 1; c <= s.recordCount; ++c) {
      readVocabularyRecord(e, c);
      if (utterance == 0) {
        closeRecordFile(e);
        return;
      }
      const VocabularyRecord& r = m.vocabularyRecord;
      const int count = r.validValleyCount();
      const int d = count - utterance;
      bool scored =
          count > 0 && ((0 < d && d <= s.scanToleranceUp) || (s.scanToleranceDown <= d && d <= 0));
      if (!scored) continue;
      if (m.vocabularyCandidateCount >= MatchingState::kMaxCandidates) {
        throw MatchingError("more than 4000 vocabulary candidates");
      }
      int64_t pairs = counter.count(std::span<const double>(r.valleys.data(), count));
      m.vocabularyCandidates.push_back({r.storedName(), characterPercent(pairs, count, utterance)});
      ++m.vocabularyCandidateCount;
      m.vocabularyFound = true;
    }

    // The last record read goes back where it came from: the file is unchanged unless it was
    // empty, when this creates a blank record 1.
    writeVocabularyRecord(e, lastRecordPosition(e));
    closeRecordFile(e);
    // Told once the file is closed: calls served while the box is shown may use the shared handle
    // and the working record.
    if (isYes(s.unrecognizableNotification) && !m.vocabularyFound) {
      e.message(
          "File is empty or the speech sample was not matched. Also check the number of files you "
          "have specified and the number you have opted for the Number_of_files_to_scan",
          kVocabularyTitle, Buttons::Ok, Icon::None);
    }
    e.platform.loop->pumpOnce();

    bool add = false;
    if (isYes(s.anytimeVocabularyAddition)) {
      PumpMessages(e, 20000);
      add = e.message("Add this to vocabulary ?", kVocabularyTitle, Buttons::YesNo, Icon::None) ==
            Answer::Yes;
    }
    if (add) {
      e.platform.loop->pumpOnce();
      trainAfterScan(e);
    } else {
      rankCharacters(e, notFirstFile);
    }
  } catch (const std::exception&) {
    closeRecordFile(e);
    reportScanFailure(e);
  }
}

void rankCharacters(Engine& e, bool notFirstFile) {
  ControlState& s = e.state;
  MatchingState& m = s.matching;
  e.platform.loop->pumpOnce();
  if (isYes(s.stopEverything)) return;
  if (isYes(s.wordsOneByOne) && s.wordSeparator == " " && !notFirstFile) {
    s.processingSetCount = 1;
  } else {
    ++s.processingSetCount;
  }
  ShowStatusPicture(e, 1);

  const int32_t count = std::min<int32_t>(m.vocabularyCandidateCount,
                                          static_cast<int32_t>(m.vocabularyCandidates.size()) - 1);
  m.rankSlot = rankSevenSlots(
      count, [&m](int32_t i) { return m.vocabularyCandidates[static_cast<size_t>(i)].percent; });
  std::array<int32_t, 8> percent{};
  for (size_t k = 1; k <= 7; ++k) {
    const VocabularyCandidate& c = m.vocabularyCandidates[static_cast<size_t>(m.rankSlot[k])];
    m.rankedChara[k] = trimSpaces(c.name);
    percent[k] = m.rankSlot[k] == 0 ? 0 : c.percent;
  }

  if (isYes(s.wordsOneByOne)) {
    for (size_t k = 1; k <= 7; ++k) {
      s.probableChars[k] = trimSpaces(s.probableChars[k]) + s.wordSeparator + m.rankedChara[k];
      s.probableCharsPercent[k] =
          trimSpaces(s.probableCharsPercent[k]) + s.wordSeparator + std::to_string(percent[k]);
    }
    e.platform.loop->pumpOnce();
  }
  for (size_t k = 1; k <= 7; ++k) {
    storeRankedEntry(s.charaOfNo[k], s.processingSetCount, m.rankedChara[k]);
    storeRankedEntry(s.charaProbabilityOfNo[k], s.processingSetCount, std::to_string(percent[k]));
  }
  if (s.filesToScan == s.processingSetCount && isYes(s.multipleFiles)) consolidateGoldenChara(e);
  e.platform.loop->pumpOnce();
}

void consolidateGoldenChara(Engine& e) {
  ControlState& s = e.state;
  e.platform.loop->pumpOnce();
  if (isYes(s.stopEverything)) return;
  if (s.filesToScan == 0) return;
  if (s.filesToScan > 10) s.filesToScan = 10;
  const int n = s.filesToScan;

  std::string bestName;
  bool found = false;
  int bestCount = 0;
  double bestSum = 0, runningSum = 0;  // runningSum carries over from one round to the next
  double lastAgreeing = 0;             // the percentage of the last file that agreed
  for (int i = 1; i <= n; ++i) {
    const std::string& name = entryOr(s.charaOfNo[1], i);
    int count = 0;
    for (int k = 1; k <= n; ++k) {
      if (!protocolMatches(name, entryOr(s.charaOfNo[1], k))) continue;
      ++count;
      lastAgreeing = leadingNumber(entryOr(s.charaProbabilityOfNo[1], k));
      runningSum += lastAgreeing;
    }
    if (count > bestCount && runningSum > bestSum) {
      bestName = name;
      bestSum += lastAgreeing;
      bestCount = count;
      found = true;
    }
  }

  s.goldenChara = trimSpaces(s.goldenChara) + s.wordSeparator + bestName;
  s.goldenCharaPoints =
      trimSpaces(s.goldenCharaPoints) + s.wordSeparator + (found ? decimalText(bestSum) : "");
  if (s.wordNo >= 1 && s.wordNo <= ControlState::kMemoryDivisions) {
    s.memoryDivisionChars[static_cast<size_t>(s.wordNo)] = trimSpaces(s.goldenChara);
  }
  if (s.onDemandMode == 1) matchLanguageDivision(e);
  e.platform.loop->pumpOnce();
}

}  // namespace parlomat
