#include "control/Parlomat.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <unordered_map>
#include <utility>

#include "analysis/WholeSampleDriver.h"
#include "control/Delayer.h"
#include "control/ListeningCycle.h"
#include "control/Recording.h"
#include "control/StatusSignals.h"
#include "control/WaveFiles.h"
#include "platform/Numbers.h"

namespace parlomat {

// ---------------------------------------------------------------------------------------------
// The dispatch table, generated from the member definitions.

namespace {

template <typename T>
struct TypeOf;
template <>
struct TypeOf<std::string> {
  static constexpr ValueType value = ValueType::Text;
  static std::string from(const Variant& v) { return v.toText(); }
};
template <>
struct TypeOf<int16_t> {
  static constexpr ValueType value = ValueType::Int16;
  static int16_t from(const Variant& v) { return v.toInt16(); }
};
template <>
struct TypeOf<int32_t> {
  static constexpr ValueType value = ValueType::Int32;
  static int32_t from(const Variant& v) { return v.toInt32(); }
};
template <>
struct TypeOf<uint8_t> {
  static constexpr ValueType value = ValueType::Byte;
  static uint8_t from(const Variant& v) { return v.toByte(); }
};

struct Entry {
  MemberInfo info;
  std::function<Variant(Parlomat&, const std::vector<Variant>&)> call;
};

template <typename R>
Entry getEntry(const char* name, uint32_t number, R (Parlomat::*m)()) {
  return {{name, Parlomat::kPropertyBase + number, MemberKind::Get, TypeOf<R>::value, {}},
          [m](Parlomat& p, const std::vector<Variant>&) { return Variant((p.*m)()); }};
}

template <typename A>
Entry putEntry(const char* name, uint32_t number, void (Parlomat::*m)(A)) {
  return {{name, Parlomat::kPropertyBase + number, MemberKind::Put, TypeOf<A>::value, {}},
          [m](Parlomat& p, const std::vector<Variant>& a) {
            (p.*m)(TypeOf<A>::from(a[0]));
            return Variant();
          }};
}

template <typename... A, size_t... I>
void callWith(Parlomat& p, void (Parlomat::*m)(A...), const std::vector<Variant>& a,
              std::index_sequence<I...>) {
  (p.*m)(TypeOf<std::decay_t<A>>::from(a[I])...);
}

template <typename... A>
Entry methodEntry(const char* name, uint32_t number, void (Parlomat::*m)(A...)) {
  return {{name,
           Parlomat::kMethodBase + number,
           MemberKind::Method,
           ValueType::Empty,
           {TypeOf<std::decay_t<A>>::value...}},
          [m](Parlomat& p, const std::vector<Variant>& a) {
            callWith(p, m, a, std::index_sequence_for<A...>{});
            return Variant();
          }};
}

const std::vector<Entry>& table() {
  static const std::vector<Entry> entries = {
#define PARLOMAT_GET(name, number, type) getEntry(#name, number, &Parlomat::name),
#define PARLOMAT_PUT(name, number, type) putEntry(#name, number, &Parlomat::name),
#define PARLOMAT_METHOD(name, number, params) methodEntry(#name, number, &Parlomat::name),
#include "control/ParlomatMembers.def"
#undef PARLOMAT_GET
#undef PARLOMAT_PUT
#undef PARLOMAT_METHOD
  };
  return entries;
}

const std::vector<MemberInfo>& memberInfos() {
  static const std::vector<MemberInfo> infos = [] {
    std::vector<MemberInfo> v;
    for (const auto& e : table()) v.push_back(e.info);
    return v;
  }();
  return infos;
}

const std::unordered_map<std::string, const Entry*>& byName() {
  static const auto map = [] {
    std::unordered_map<std::string, const Entry*> m;
    for (const auto& e : table()) m.emplace(e.info.name, &e);
    return m;
  }();
  return map;
}

}  // namespace

const std::vector<MemberInfo>& Parlomat::members() const {
  return memberInfos();
}

Variant Parlomat::invoke(const std::string& name, std::span<const Variant> args) {
  auto it = byName().find(name);
  if (it == byName().end()) {
    throw DispatchError(errors::kNoSuchMember,
                        "Object doesn't support this property or method: " + name);
  }
  return it->second->call(*this, convertArguments(it->second->info, args));
}

void registerParlomat(ComponentRegistry& registry, std::shared_ptr<Engine> engine) {
  registry.registerFactory(Parlomat::kProgId,
                           [engine] { return std::make_unique<Parlomat>(engine); });
}

// ---------------------------------------------------------------------------------------------
// Life cycle.

Parlomat::Parlomat(std::shared_ptr<Engine> engine) : engine_(std::move(engine)) {
  state().savedCaptionColour = ReadCaptionColour(*engine_);
}

Parlomat::~Parlomat() {
  Engine& e = *engine_;
  ControlState& s = e.state;
  ResetResults(s);
  s.stopEverything = kYes;
  s.stopRecordAndReset = kYes;
  s.fileNumber.reset();
  s.stopRequested = 1;
  StopCapture(e);
  try {
    SetCaptionColour(e, s.savedCaptionColour);
  } catch (const DispatchError&) {
    // A destructor has no caller to hand the failure to; the rest of the shutdown still runs.
  }
  CloseControlWindows(e);
  e.platform.loop->pumpOnce();
  e.platform.sounds->stop();
}

// ---------------------------------------------------------------------------------------------
// Settings.

namespace {

// Any text other than "YES" stores "NO".
void yesSwitch(std::string& field, const std::string& v) {
  field = v == kYes ? kYes : kNo;
}
// Only "YES" and "NO" are stored; other texts leave the field.
void exactSwitch(std::string& field, const std::string& v) {
  if (v == kYes || v == kNo) field = v;
}

int32_t clampToInt32(double v) {
  if (std::isnan(v)) return 0;
  double r = roundHalfEven(v);
  if (r > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (r < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(r);
}

}  // namespace

void Parlomat::Send_of_no(Int32 v) {
  state().sendIndex = v;
}
void Parlomat::Send_words_one_by_one(Text v) {
  exactSwitch(state().wordsOneByOne, v);
}

void Parlomat::setVocabularyMatchFile(int slot, const std::string& v) {
  ControlState& s = state();
  if (!v.empty()) {
    s.matchVocabularyFile[slot] = v + ".SAY";
  } else if (slot == 1) {
    engine_->message(
        "FileName no.1, is necessary for vocabulary to match in processing mode, giving default "
        "New (.SAY)",
        "Parlomat User Error", Buttons::Ok, Icon::Exclamation);
    s.matchVocabularyFile[1] = engine_->inControlFolder("New.SAY");
  } else {
    s.matchVocabularyFile[slot].clear();
  }
}

void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_1(Text v) {
  setVocabularyMatchFile(1, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_2(Text v) {
  setVocabularyMatchFile(2, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_3(Text v) {
  setVocabularyMatchFile(3, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_4(Text v) {
  setVocabularyMatchFile(4, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_5(Text v) {
  setVocabularyMatchFile(5, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_6(Text v) {
  setVocabularyMatchFile(6, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_7(Text v) {
  setVocabularyMatchFile(7, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_8(Text v) {
  setVocabularyMatchFile(8, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno__9(Text v) {
  setVocabularyMatchFile(9, v);
}
void Parlomat::Consider_This_Vocabulary_To_Match_Fileno_10(Text v) {
  setVocabularyMatchFile(10, v);
}

void Parlomat::Number_of_files_to_scan(Int16 v) {
  state().filesToScan = v;
}
void Parlomat::Multiple_Files(Text v) {
  exactSwitch(state().multipleFiles, v);
}

void Parlomat::Consider_this_Vocabulary_to_Add(Text v) {
  if (!v.empty()) {
    state().vocabularyFileToAdd = v + ".SAY";
    return;
  }
  engine_->message("Invalid FileName for vocabulary to add", "Parlomat User Error", Buttons::Ok,
                   Icon::Critical);
  state().vocabularyFileToAdd = engine_->inControlFolder("New.SAY");
}

void Parlomat::Add_To_Vocabulary(Text v) {
  state().addToVocabulary = v == kYes ? 1 : 0;
}
void Parlomat::Enable_Anytime_Vocabulary_Addition(Text v) {
  yesSwitch(state().anytimeVocabularyAddition, v);
}
void Parlomat::Enable_Unrecognizable_Notification(Text v) {
  yesSwitch(state().unrecognizableNotification, v);
}

void Parlomat::Keep_Entry_Matching_Accuracy(Text v) {
  // How many of the tolerances 1..4 each text switches on.
  static const std::pair<const char*, int> kTable[] = {
      {"VERY HIGH", 0}, {"HIGHER", 1}, {"HIGH", 2}, {"MEDIUM", 3}, {"LOW", 4}, {"VERY LOW", 4}};
  for (const auto& [text, on] : kTable) {
    if (v == text) {
      for (int k = 1; k <= 4; ++k) state().entryTolerance[k] = k <= on ? 1 : 0;
      return;
    }
  }
}

void Parlomat::Keep_Matching_Files_Entries_Scan_Accuracy(Text v) {
  static const std::pair<const char*, int16_t> kTable[] = {
      {"VERY STRICT", 0},   {"STRICT", 1},           {"FLEXIBLE", 2},
      {"VERY FLEXIBLE", 3}, {"SCAN NEARLY ALL", 64}, {"SCAN ALL", 128}};
  for (const auto& [text, window] : kTable) {
    if (v == text) {
      state().scanToleranceUp = window;
      state().scanToleranceDown = static_cast<int16_t>(-window);
      return;
    }
  }
}

void Parlomat::Consider_this_Lang_File_to_match(Text v) {
  if (v.empty()) {
    engine_->message("Invalid FileName for Language to match", "Parlomat User Error", Buttons::Ok,
                     Icon::Critical);
    return;
  }
  state().languageFileToMatch = v + ".Lang";
}

void Parlomat::Consider_this_Lang_File_to_Add(Text v) {
  if (v.empty()) {
    engine_->message("Invalid FileName for Language to add", "Parlomat User Error", Buttons::Ok,
                     Icon::Critical);
    return;
  }
  state().languageFileToAdd = v + ".Lang";
}

void Parlomat::Add_To_Language(Text v) {
  yesSwitch(state().addToLanguage, v);
}
void Parlomat::Enable_Artificial_Intelligence(Text v) {
  yesSwitch(state().artificialIntelligence, v);
}
void Parlomat::Notify_if_no_language_match(Text v) {
  yesSwitch(state().notifyIfNoLanguageMatch, v);
}

void Parlomat::Speech_sampling_time_in_ms(Int32 v) {
  ControlState& s = state();
  s.samplingTimeMs = v;
  if (v > 60000) {
    s.samplingTimeMs = 60000;
    engine_->message("Maximum recommended sample time is 60000 ms.", "Parlomat Info.", Buttons::Ok,
                     Icon::Information);
  }
  if (s.samplingTimeMs < 50) {
    s.samplingTimeMs = 5000;
    engine_->message("Invalid sample time. Assigning default 5000 ms", "Parlomat Info.",
                     Buttons::Ok, Icon::Information);
  }
  s.sampleCount = s.samplingTimeMs * 8;  // 8000 bytes a second, whatever the recording rate
}

void Parlomat::Set_Recording_Frequency(Int32 v) {
  state().recordingFrequency = (v == 5500 || v == 8000 || v == 11025 || v == 44100) ? v : 22050;
}

void Parlomat::Keep_Digital_Signal_Processing_level(Text v) {
  state().dspLevel = v == "Top" ? 1024 : v == "Up" ? 512 : v == "Middle" ? 256 : 128;
}

void Parlomat::Sample_processing_resolution(Text v) {
  // A number too large for the field is held at its limit rather than wrapped.
  state().processingResolution = v == "COMPLETE" ? 0 : clampToInt32(leadingNumber(v));
}

void Parlomat::Voice_Grab_Delay(Int16 v) {
  state().voiceGrabDelay = v;
}
void Parlomat::This_speech_reprocess(Text v) {
  exactSwitch(state().reprocess, v);
}
void Parlomat::This_speech_sample_process_start_only(Text v) {
  exactSwitch(state().processStartOnly, v);
}
void Parlomat::This_speech_sample_process_middle_only(Text v) {
  exactSwitch(state().processMiddleOnly, v);
}
void Parlomat::This_speech_sample_process_end_only(Text v) {
  exactSwitch(state().processEndOnly, v);
}
void Parlomat::This_Audio_Process(Text v) {
  exactSwitch(state().audioProcess, v);
}

void Parlomat::Memory_Clean(Text v) {
  exactSwitch(state().memoryClean, v);
  if (v == kYes) CleanResults(state());
}

void Parlomat::Show_this_Image_for_Start(Text v) {
  state().startImagePath = trimSpaces(v);
}
void Parlomat::Show_this_Image_for_Stop(Text v) {
  state().stopImagePath = trimSpaces(v);
}
void Parlomat::Show_Status_Animation(Text v) {
  if (v == kYes) state().statusAnimation = kYes;
}
void Parlomat::Show_Audio_Graph(Text v) {
  exactSwitch(state().audioGraph, v);
}
void Parlomat::Speech_echo_feature(Text v) {
  exactSwitch(state().speechEcho, v);
}
void Parlomat::On_speech_show_activities(Text v) {
  if (v == kYes) state().showActivities = 1;
}
void Parlomat::Play_this_file_for_Start(Text v) {
  state().startSoundPath = trimSpaces(v);
}
void Parlomat::Play_this_file_for_Stop(Text v) {
  state().stopSoundPath = trimSpaces(v);
}
void Parlomat::Play_this_file_on_Initialization(Text v) {
  state().initializationSoundPath = trimSpaces(v);
}
void Parlomat::Stop_everything_now(Text v) {
  exactSwitch(state().stopEverything, v);
}
void Parlomat::Stop_record_and_reset(Text v) {
  engine_->platform.sounds->stop();
  exactSwitch(state().stopRecordAndReset, v);
}
void Parlomat::Open_this_Wave_File(Text v) {
  state().waveFileToOpen = v;
}

// ---------------------------------------------------------------------------------------------
// Results.

std::string Parlomat::indexedEntry(const std::vector<std::string>& array, int32_t count) {
  if (count <= 0) return {};
  int32_t i = state().sendIndex;
  if (i < 0 || static_cast<size_t>(i) >= array.size()) throw SubscriptOutOfRange();
  return array[static_cast<size_t>(i)];
}

int32_t Parlomat::timelengthAt(const std::vector<int32_t>& lengths, int32_t counter) {
  if (counter < 1) return 0;
  if (static_cast<size_t>(counter) >= lengths.size()) throw SubscriptOutOfRange();
  return lengths[static_cast<size_t>(counter)];
}

std::string Parlomat::fontAt(int k) {
  // Only an empty field gets the default; a field of blanks reads as the empty text.
  const std::string& f = state().platinumFont[k];
  return f.empty() ? "MS Sans Serif" : trimSpaces(f);
}

#define PARLOMAT_FAMILY7(X) X(1) X(2) X(3) X(4) X(5) X(6) X(7)
#define PLATINUM(n)                                                                   \
  Parlomat::Text Parlomat::Platinum_Word_##n() {                                      \
    return state().platinumWord[n];                                                   \
  }                                                                                   \
  Parlomat::Int16 Parlomat::Platinum_Word_##n##_Percentage() {                        \
    return state().platinumPercent[n];                                                \
  }                                                                                   \
  Parlomat::Text Parlomat::Platinum_Word_##n##_Font() {                               \
    return fontAt(n);                                                                 \
  }                                                                                   \
  Parlomat::Text Parlomat::Is_this_Word_of_no_##n() {                                 \
    return indexedEntry(state().wordOfNo[n], state().platinumSetCount);               \
  }                                                                                   \
  Parlomat::Text Parlomat::Is_this_probability_for_Word_no_##n() {                    \
    return indexedEntry(state().wordProbabilityOfNo[n], state().platinumSetCount);    \
  }                                                                                   \
  Parlomat::Text Parlomat::Probable_chars_No_##n##_Recognized() {                     \
    return state().probableChars[n];                                                  \
  }                                                                                   \
  Parlomat::Text Parlomat::Probable_chars_no_##n##_percentage() {                     \
    return state().probableCharsPercent[n];                                           \
  }                                                                                   \
  Parlomat::Text Parlomat::Is_this_Chara_of_no_##n() {                                \
    return indexedEntry(state().charaOfNo[n], state().processingSetCount);            \
  }                                                                                   \
  Parlomat::Text Parlomat::Is_this_probability_for_no_##n() {                         \
    return indexedEntry(state().charaProbabilityOfNo[n], state().processingSetCount); \
  }
PARLOMAT_FAMILY7(PLATINUM)
#undef PLATINUM
#undef PARLOMAT_FAMILY7

Parlomat::Int32 Parlomat::Current_Platinum_Words_Available() {
  return state().platinumSetCount;
}
Parlomat::Int32 Parlomat::Probable_no_of_words_recognized() {
  return state().probableWordCount;
}
Parlomat::Text Parlomat::Golden_Chara() {
  return state().goldenChara;
}
Parlomat::Text Parlomat::Golden_Chara_Points() {
  return state().goldenCharaPoints;
}
Parlomat::Int32 Parlomat::Current_Processings_Available() {
  return state().processingSetCount;
}
Parlomat::Int32 Parlomat::Current_no_of_Processings() {
  return state().processingNo;
}
Parlomat::Int32 Parlomat::Current_Vyanjana_no_Processed() {
  return std::max<int32_t>(state().vyanjanaNo, 0);
}
Parlomat::Int32 Parlomat::Current_Word_no_Processed() {
  return std::max<int32_t>(state().wordNo, 0);
}
Parlomat::Int32 Parlomat::Current_Word_no_Timelength() {
  return timelengthAt(state().wordTimelength, state().wordNo);
}
Parlomat::Int32 Parlomat::Current_DeepWord_no_Processed() {
  return std::max<int32_t>(state().deepWordNo, 0);
}
Parlomat::Int32 Parlomat::Current_DeepWord_no_Timelength() {
  return timelengthAt(state().deepWordTimelength, state().deepWordNo);
}
Parlomat::Int32 Parlomat::Current_TooDeepWord_no_Processed() {
  return std::max<int32_t>(state().tooDeepWordNo, 0);
}
Parlomat::Int32 Parlomat::Current_TooDeepWord_no_Timelength() {
  return timelengthAt(state().tooDeepWordTimelength, state().tooDeepWordNo);
}
Parlomat::Int32 Parlomat::Recorded_Bytes() {
  return state().recordedBytes;
}

Parlomat::Int32 Parlomat::Is_this_Wave_Data() {
  const ControlState& s = state();
  if (s.waveHeader.bufferLength <= 0) return 0;
  if (s.sendIndex < 0 || static_cast<size_t>(s.sendIndex) >= s.sampleBuffer.size()) {
    throw SubscriptOutOfRange();
  }
  return s.sampleBuffer[static_cast<size_t>(s.sendIndex)];
}

// ---------------------------------------------------------------------------------------------
// Methods.

namespace {
constexpr const char* kListeningRefusal =
    "The wave file cannot be processed while Parlomat is listening. Stop listening "
    "(Stop_Real_Action) first, then process the file.";
}  // namespace

void Parlomat::Start_Real_Action(Text Feature, Byte RedColor, Byte GreenColor, Byte BlueColor) {
  if (Feature != kYes) return;
  Engine& e = *engine_;
  ControlState& s = e.state;
  s.onDemandMode = 0;
  s.stopEverything = kNo;
  s.stopRequested = 0;
  s.stopRecordAndReset = kNo;
  SetCaptionColour(e, RedColor + 256 * GreenColor + 65536 * BlueColor);
  e.timer5->setEnabled(true);
  e.timer3->setEnabled(false);
  s.chunkBusy = 0;
  // A start during a pass restarts the cycle: that pass ends and the next Timer5 tick opens the
  // device anew with the current settings, rather than nesting a second capture loop.
  if (e.captureLoopDepth > 0) EndRunningPass(e);
  e.platform.sounds->stop();
}

void Parlomat::Stop_Real_Action() {
  Engine& e = *engine_;
  ControlState& s = e.state;
  ResetResults(s);
  s.stopEverything = kYes;
  StopCapture(e);
  s.stopRequested = 1;
  s.showActivities = 0;
  e.timer5->setEnabled(false);
  e.timer3->setEnabled(false);
  s.stopRecordAndReset = kYes;
  // A colour that cannot be restored must not leave the file, windows or sounds behind: finish
  // the stop, then report it.
  std::exception_ptr colourFailure;
  try {
    SetCaptionColour(e, s.savedCaptionColour);
  } catch (const DispatchError&) {
    colourFailure = std::current_exception();
  }
  s.fileNumber.reset();
  CloseControlWindows(e);
  e.platform.sounds->stop();
  if (!s.stopSoundPath.empty()) e.platform.sounds->playOnce(s.stopSoundPath);
  if (colourFailure) std::rethrow_exception(colourFailure);
}

void Parlomat::Open_Specified_Wave_File_And_Process() {
  Engine& e = *engine_;
  ControlState& s = e.state;
  // Loading would replace the buffer the device is filling.
  if (PassHoldsBuffer(e)) {
    e.message(kListeningRefusal, "Parlomat Info", Buttons::Ok, Icon::Information);
    return;
  }
  s.stopEverything = kNo;
  s.stopRequested = 0;
  s.showActivities = 0;
  s.stopRecordAndReset = kNo;
  if (!LoadWaveFile(e, s.waveFileToOpen)) return;
  if (!e.timer3->enabled() && !e.timer5->enabled()) {
    s.onDemandMode = 1;
    ProcessWholeSample(e);
  }
}

void Parlomat::InitializeSound() {
  const std::string& path = state().initializationSoundPath;
  if (!path.empty()) engine_->platform.sounds->playLooped(path);
}

void Parlomat::Play_File(Text Feature) {
  engine_->platform.sounds->playOnce(Feature);
}

void Parlomat::Show_Language_Editor() {
  state().onDemandMode = 1;
  engine_->platform.windows->showLanguageEditor();
}

void Parlomat::Show_Vocabulary_Editor() {
  engine_->platform.windows->showVocabularyEditorSplash();
}

}  // namespace parlomat
