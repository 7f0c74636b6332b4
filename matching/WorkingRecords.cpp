#include "matching/WorkingRecords.h"

#include <array>

namespace parlomat {

namespace {

RecordFile& openFile(Engine& e) {
  if (!e.state.fileNumber) throw RecordFileError("no record file is open");
  return *e.state.fileNumber;
}

// Reads record n into `working`; a file without a byte of it gives the blank record.
template <typename Record>
void readInto(Engine& e, int64_t n, Record& working) {
  std::array<uint8_t, Record::kLength> buf;
  int64_t got = openFile(e).read(n, buf);
  working = got > 0 ? Record::fromBytes(buf) : Record::blank();
  e.state.matching.lastPosition = n;
}

template <typename Record>
void open(Engine& e, const std::string& path, Record& working) {
  ControlState& s = e.state;
  s.fileNumber.reset();
  s.fileNumber = e.platform.files->open(path, Record::kLength);
  s.recordCount = recordCountOf(s.fileNumber->length(), Record::kLength);
  readInto(e, 1, working);
  if (s.recordCount == 0) working.refNo = 1;
}

template <typename Record>
void reclaim(Engine& e, const std::string& path) {
  ControlState& s = e.state;
  const auto& f = s.fileNumber;
  if (f && f->path() == path && f->recordLength() == Record::kLength) return;
  s.fileNumber.reset();
  s.fileNumber = e.platform.files->open(path, Record::kLength);
  s.recordCount = recordCountOf(s.fileNumber->length(), Record::kLength);
}

template <typename Record>
void writeAt(Engine& e, int64_t position, const Record& working) {
  working.write(openFile(e), position);
  e.state.matching.lastPosition = position;
}

}  // namespace

void openVocabularyFile(Engine& e, const std::string& path) {
  open(e, path, e.state.matching.vocabularyRecord);
}
void readVocabularyRecord(Engine& e, int64_t n) {
  readInto(e, n, e.state.matching.vocabularyRecord);
}
void writeVocabularyRecord(Engine& e, int64_t position) {
  writeAt(e, position, e.state.matching.vocabularyRecord);
}

void reclaimVocabularyFile(Engine& e, const std::string& path) {
  reclaim<VocabularyRecord>(e, path);
}

void openLanguageFile(Engine& e, const std::string& path) {
  open(e, path, e.state.matching.languageRecord);
}
void readLanguageRecord(Engine& e, int64_t n) {
  readInto(e, n, e.state.matching.languageRecord);
}
void writeLanguageRecord(Engine& e, int64_t position) {
  writeAt(e, position, e.state.matching.languageRecord);
}

int64_t nextRecordPosition(const Engine& e) {
  return e.state.matching.lastPosition + 1;
}
int64_t lastRecordPosition(const Engine& e) {
  return e.state.matching.lastPosition;
}

void closeRecordFile(Engine& e) {
  e.state.fileNumber.reset();
}

}  // namespace parlomat
