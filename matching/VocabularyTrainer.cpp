#include "matching/VocabularyTrainer.h"

#include <algorithm>
#include <array>
#include <exception>

#include "control/Recording.h"
#include "matching/VocabularyMatcher.h"
#include "matching/WorkingRecords.h"

namespace parlomat {

namespace {

constexpr const char* kVocabularyTitle = "Parlomat Vocabulary Development";

// The valley list of the last analysis becomes the record's valleys. Entries 0..dspLevel are
// copied and never fewer than the valid ones: before the processing level is first set dspLevel
// is 0, and copying entry 0 alone would store a count the valleys do not back.
void copyValleys(int16_t valleyCount, const std::array<int32_t, 1201>& valleyBins, int16_t dspLevel,
                 VocabularyRecord& r) {
  const int count = std::clamp<int>(valleyCount, 0, VocabularyRecord::kValleySlots);
  const int last =
      std::min<int>(std::max<int>(dspLevel, count - 1), VocabularyRecord::kValleySlots - 1);
  for (int i = 0; i <= last; ++i) {
    r.valleys[static_cast<size_t>(i)] = static_cast<double>(valleyBins[static_cast<size_t>(i)]);
  }
  r.valleyCount = static_cast<int16_t>(count);
}

// Steps shared by both ways of training; true when a record was appended.
bool train(Engine& e) {
  ControlState& s = e.state;
  // Taken before the first wait: calls served while the playback runs or a box is shown may
  // analyse again, name another file to add or move the shared handle to another file.
  const std::string path = s.vocabularyFileToAdd;
  const int16_t valleyCount = s.valleyCount;
  const std::array<int32_t, 1201> valleyBins = s.valleyBins;
  const int16_t dspLevel = s.dspLevel;
  // Playback reuses the capture's wave header, so the capture must not hold it.
  StopCapture(e);
  PlaySegment(e, s.segmentStart, s.segmentEnd);
  if (e.message("Add playback to file ?", kVocabularyTitle, Buttons::YesNo, Icon::None) !=
      Answer::Yes) {
    return false;
  }
  openVocabularyFile(e, path);
  writeVocabularyRecord(e, lastRecordPosition(e));
  VocabularyRecord r = s.matching.vocabularyRecord;
  std::string name = trimSpaces(e.input("Enter the Vyanjana name : ", trainingPromptTitle(s)));
  if (name.empty()) {
    s.matching.vocabularyRecord.valleyCount = 0;
    closeRecordFile(e);
    return false;
  }
  // The new record goes after the last record of this file, whatever the handle held meanwhile.
  reclaimVocabularyFile(e, path);
  ++s.recordCount;
  r.refNo = static_cast<int32_t>(s.recordCount);
  r.setName(name);
  copyValleys(valleyCount, valleyBins, dspLevel, r);
  s.matching.vocabularyRecord = r;
  writeVocabularyRecord(e, r.refNo);
  closeRecordFile(e);
  return true;
}

}  // namespace

std::string trainingPromptTitle(const ControlState& s) {
  return "Wordno:" + std::to_string(s.wordNo) + " Proc.no:" + std::to_string(s.processingNo) +
         "Vyan.no:" + std::to_string(s.deepWordNo) +
         "Deepvyan.no:" + std::to_string(s.tooDeepWordNo);
}

void trainAndRescan(Engine& e) {
  ControlState& s = e.state;
  if (isYes(s.stopEverything)) return;
  if (s.vocabularyFileToAdd.empty()) return;
  try {
    if (!train(e)) return;
    for (int i = 1; i <= 10; ++i) {
      const std::string path = s.matchVocabularyFile[static_cast<size_t>(i)];
      if (path.empty()) continue;
      s.currentMatchFile = path;
      scanVocabularyFile(e, path, i != 1);
    }
  } catch (const std::exception&) {
    closeRecordFile(e);
    e.message(
        "Problem in File I/O,Code BVATD, Check the Location of your disk files of vyanjana or "
        "vocabulary database and their states",
        "Parlomat Info", Buttons::Ok, Icon::Information);
  }
}

void trainAfterScan(Engine& e) {
  ControlState& s = e.state;
  if (isYes(s.stopEverything)) return;
  if (s.vocabularyFileToAdd.empty()) return;
  try {
    train(e);
  } catch (const std::exception&) {
    closeRecordFile(e);
    e.message(
        "Problem in File I/O, Check the Location of your disk files of vyanjana or vocabulary "
        "database and their states",
        "Parlomat Info", Buttons::Ok, Icon::Information);
  }
}

}  // namespace parlomat
