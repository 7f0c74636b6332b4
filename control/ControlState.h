#pragma once
// The one record of every setting, result, cycle flag, buffer and working record of the control.
// One per process, shared by every control instance; everything starts empty or zero.
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "analysis/AnalysisState.h"
#include "matching/MatchingState.h"
#include "platform/Audio.h"
#include "platform/RecordFile.h"

namespace parlomat {

inline constexpr const char* kYes = "YES";
inline constexpr const char* kNo = "NO";

// Seven ranked places, indexed 1..7 (index 0 unused).
template <typename T>
using Ranks = std::array<T, 8>;

struct ControlState {
  // Switch settings: "YES", "NO" or empty (never set).
  std::string notifyIfNoLanguageMatch, artificialIntelligence, addToLanguage,
      unrecognizableNotification, anytimeVocabularyAddition, multipleFiles, processStartOnly,
      processMiddleOnly, processEndOnly, reprocess, wordsOneByOne, stopEverything,
      stopRecordAndReset, audioProcess, audioGraph, speechEcho, statusAnimation, memoryClean;
  int16_t addToVocabulary = 0;
  int16_t showActivities = 0;

  // File names, extension already appended.
  std::string languageFileToMatch, languageFileToAdd;
  std::array<std::string, 11> matchVocabularyFile;  // slots 1..10
  std::string vocabularyFileToAdd, waveFileToOpen;
  std::string startImagePath, stopImagePath;
  std::string startSoundPath, stopSoundPath, initializationSoundPath;

  // Numeric settings.
  int32_t samplingTimeMs = 0;
  int32_t sampleCount = 0;
  int32_t recordingFrequency = 0;
  int16_t dspLevel = 0;
  int32_t voiceGrabDelay = 0;
  int16_t filesToScan = 0;
  int32_t sendIndex = 0;
  int32_t processingResolution = 0;
  std::array<int16_t, 5> entryTolerance{};  // 1..4
  int16_t scanToleranceUp = 0, scanToleranceDown = 0;

  // Results of the last utterance.
  Ranks<std::string> platinumWord, platinumFont;
  Ranks<int16_t> platinumPercent{};
  std::string goldenChara, goldenCharaPoints;
  Ranks<std::string> probableChars, probableCharsPercent;
  int32_t probableWordCount = 0;
  Ranks<std::string> candidateWord;

  // Ranked sets: entry i of each array is the i-th ranking; entry 0 stays empty.
  Ranks<std::vector<std::string>> wordOfNo, wordProbabilityOfNo, charaOfNo, charaProbabilityOfNo;
  int32_t platinumSetCount = 0, processingSetCount = 0;

  // Progress counters.
  int32_t processingNo = 0, vyanjanaNo = 0;
  int16_t wordNo = 0, deepWordNo = 0, tooDeepWordNo = 0;
  std::vector<int32_t> wordTimelength, deepWordTimelength, tooDeepWordTimelength;
  int32_t recordedBytes = 0;

  // The sample: unsigned 8-bit, 128 is silence.
  std::vector<uint8_t> sampleBuffer;
  WaveHeader waveHeader;
  WaveFormat waveFormat;

  // Capture state.
  int16_t captureOpen = 0, captureClosed = 0;
  bool waveInHandle = false;  // an input device is open
  int32_t bitsPerSample = 0, channelCount = 0;
  std::vector<uint8_t> segmentBuffer;
  int lastWaveResult = 0;  // result code of the last open or unprepare

  // Analysis hand-over.
  std::string wordSeparator;
  int16_t valleyCount = 0;
  std::array<int32_t, 1201> valleyBins{};
  int32_t segmentStart = 0, segmentEnd = 0;
  // Current Memory, entries 1..5000.
  static constexpr int kMemoryDivisions = 5000;
  std::vector<int16_t> memoryDivisionCount = std::vector<int16_t>(kMemoryDivisions + 1);
  std::vector<int16_t> memoryDivisionNo = std::vector<int16_t>(kMemoryDivisions + 1);
  std::vector<int32_t> memoryDivisionTime = std::vector<int32_t>(kMemoryDivisions + 1);
  std::vector<std::string> memoryDivisionChars = std::vector<std::string>(kMemoryDivisions + 1);

  // Cycle flags.
  int16_t stopRequested = 0, utteranceDone = 0, chunkBusy = 0, onDemandMode = 0;

  // Shared record file access.
  std::unique_ptr<RecordFile> fileNumber;  // the record file currently open, if any
  int64_t recordCount = 0;
  std::string currentMatchFile;
  int32_t languageMatchRecord = 0;
  std::string editorFilePath;

  // Status.
  int32_t savedCaptionColour = 0;

  AnalysisState analysis;
  MatchingState matching;
};

}  // namespace parlomat
