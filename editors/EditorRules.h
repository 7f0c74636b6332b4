#pragma once
// The editors' rules on typed text, file names and list lines, on Latin-1 bytes; no Qt here.
#include <cstdint>
#include <string>

namespace parlomat::editors {

// What `TextDiv` holds after a change to `text`: one character giving a division count 1 to 5.
std::string divisionCountRule(const std::string& text);
// What `Text2` holds after a change: a positive time length of at most 100000, or a request for
// one.
std::string timeLengthRule(const std::string& text);
inline constexpr const char* kNonzeroRequest = "? Please input here a nonzero value";
// What the rating box `Combo3` holds after a change: a rating that is stored as 1 to 100.
std::string ratingRule(const std::string& text);

// File names chosen in the file dialog and typed in the input box.
bool validLanguageDialogName(const std::string& trimmedName);
bool validLanguageTypedName(const std::string& trimmedName);
bool validVocabularyDialogName(const std::string& trimmedName);
bool validVocabularyTypedName(const std::string& trimmedName);
// The name of a file without its folder.
std::string fileTitle(const std::string& path);

// The record number a list line names: the number in its first four characters, so a record
// numbered 1000 or more cannot be chosen from the vocabulary list (its leading space leaves room
// for three digits only).
int64_t listLineNumber(const std::string& line);
// "12   word  (3) ": the Language Editor's list line of a record.
std::string languageListLine(int32_t refNo, const std::string& trimmedName, int16_t divisionCount);
// " 7" followed by eleven spaces and the 20-character name: the Vocabulary Editor's list line.
std::string vocabularyListLine(int32_t refNo, const std::string& storedName);

// A number typed into a field, held within the range of the field that stores it.
int16_t toInt16(double v);
int32_t toInt32(double v);

}  // namespace parlomat::editors
