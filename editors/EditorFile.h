#pragma once
// The record file an editor works on, through the shared record file handle (`fileNumber`,
// `recordCount`) and the shared working record. Others use the same handle and working record while
// an editor stays open (the matchers and the trainer of the listening cycle, a wave file processed
// on request, the other editor), so every editor action starts with claim(): the editor's own file
// goes back on the handle and the working record and position become again those it last read or
// wrote. Without that, a navigation could write another file's record into this one.
#include <cstdint>
#include <string>

#include "control/Engine.h"
#include "matching/WorkingRecords.h"

namespace parlomat::editors {

struct LanguageFileKind {
  using Record = LanguageRecord;
  static Record& working(ControlState& s) { return s.matching.languageRecord; }
  static void open(Engine& e, const std::string& path) { openLanguageFile(e, path); }
  static void read(Engine& e, int64_t n) { readLanguageRecord(e, n); }
  static void write(Engine& e, int64_t n) { writeLanguageRecord(e, n); }
};

struct VocabularyFileKind {
  using Record = VocabularyRecord;
  static Record& working(ControlState& s) { return s.matching.vocabularyRecord; }
  static void open(Engine& e, const std::string& path) { openVocabularyFile(e, path); }
  static void read(Engine& e, int64_t n) { readVocabularyRecord(e, n); }
  static void write(Engine& e, int64_t n) { writeVocabularyRecord(e, n); }
};

template <typename Kind>
class EditorFile {
 public:
  using Record = typename Kind::Record;

  explicit EditorFile(Engine& e) : e_(e) {}

  bool isOpen() const { return open_; }
  const std::string& path() const { return path_; }
  // The record shown and the position it was read from or written to.
  const Record& shown() const { return shown_; }
  int64_t position() const { return position_; }
  // Records in the file, as the shared count holds them while the editor works.
  int64_t recordCount() const { return open_ ? e_.state.recordCount : 0; }

  // Opens `path` on the shared handle (closing the file open before, whichever it was), creating a
  // missing file, and reads record 1 (RefNo 1 for a file without records). Raises RecordFileError.
  void open(const std::string& path) {
    open_ = false;
    Kind::open(e_, path);
    path_ = path;
    open_ = true;
    remember();
  }

  // Puts this editor's file, record and position back in the shared state; returns the working
  // record. Raises RecordFileError when the file cannot be opened again.
  Record& claim() {
    ControlState& s = e_.state;
    if (!holdsHandle()) {
      s.fileNumber.reset();
      s.fileNumber = e_.platform.files->open(path_, Record::kLength);
      s.recordCount = recordCountOf(s.fileNumber->length(), Record::kLength);
    }
    Kind::working(s) = shown_;
    s.matching.lastPosition = position_;
    return Kind::working(s);
  }

  // Replaces the working record with record n (1 to recordCount).
  void read(int64_t n) {
    Kind::read(e_, n);
    remember();
  }
  // Writes the working record at position n; writing just past the last record appends one.
  void write(int64_t n) {
    Kind::write(e_, n);
    if (n == e_.state.recordCount + 1) ++e_.state.recordCount;
    remember();
  }
  // Writes the shown record back where it came from (the navigation's first step); a file without
  // records has nothing to write back, so browsing it creates none.
  void writeBack() {
    if (position_ >= 1 && position_ <= e_.state.recordCount) write(position_);
  }
  // The record shown and its position, to show again after a search has read other records.
  struct Mark {
    Record record;
    int64_t position = 0;
  };
  Mark mark() const { return {shown_, position_}; }
  void restore(const Mark& m) {
    shown_ = m.record;
    position_ = m.position;
    Kind::working(e_.state) = shown_;
    e_.state.matching.lastPosition = position_;
  }

  // Takes the working record as changed by the editor itself as the record shown.
  void remember() {
    shown_ = Kind::working(e_.state);
    position_ = lastRecordPosition(e_);
  }

  // Closes the shared handle when it holds this file; the editor then has no file.
  void close() {
    if (open_ && holdsHandle()) closeRecordFile(e_);
    open_ = false;
  }
  // The editor stops using its file and leaves the shared handle as it is.
  void release() { open_ = false; }

 private:
  bool holdsHandle() const {
    const auto& f = e_.state.fileNumber;
    return f && f->path() == path_ && f->recordLength() == Record::kLength;
  }

  Engine& e_;
  bool open_ = false;
  std::string path_;
  Record shown_ = Record::blank();
  int64_t position_ = 0;
};

}  // namespace parlomat::editors
