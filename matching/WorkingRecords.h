#pragma once
// The working vocabulary and language records on the shared record file handle
// (ControlState::fileNumber, ControlState::recordCount). Every operation raises RecordFileError
// on a file error; the calling routine reports it with its own coded message.
#include <cstdint>
#include <string>

#include "control/Engine.h"

namespace parlomat {

// Opens `path` (creating a missing file), sets recordCount from its length, reads record 1 into
// the working record and, for a file without records, sets RefNo to 1. An empty file gives a blank
// working record (name of spaces, no valleys).
void openVocabularyFile(Engine& e, const std::string& path);
// Replaces the working record with record n.
void readVocabularyRecord(Engine& e, int64_t n);
// Writes the whole working record at `position` (recordCount + 1 appends).
void writeVocabularyRecord(Engine& e, int64_t position);

// The same for language files and the working language record.
void openLanguageFile(Engine& e, const std::string& path);
void readLanguageRecord(Engine& e, int64_t n);
void writeLanguageRecord(Engine& e, int64_t position);

// Puts `path` back on the shared handle when something served while a box was shown moved the
// handle to another file or closed it; recordCount is then counted afresh from the file.
void reclaimVocabularyFile(Engine& e, const std::string& path);

// The position after the record last read or written (the editors' "Next").
int64_t nextRecordPosition(const Engine& e);
// The position of the record last read or written; writing the working record back there leaves
// the file as it was, whatever RefNo the record holds.
int64_t lastRecordPosition(const Engine& e);
// Closes the shared file; harmless when none is open.
void closeRecordFile(Engine& e);

}  // namespace parlomat
