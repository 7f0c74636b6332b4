#pragma once
// Matching the recognised character string against the protocols of a language file, ranking the
// Platinum words and offering to add to the language file.
#include <cstdint>
#include <string>

#include "control/Engine.h"

namespace parlomat {

// On request: the character string and time length of the current division. Failures show the
// AIMFW box and end the routine.
void matchLanguageDivision(Engine& e);
// In the listening cycle: the whole utterance. It has no handler of its own: a file error raises
// RecordFileError (or MatchingError) to the capture loop that called it.
void matchLanguageUtterance(Engine& e);

// Tests `chars` against every protocol of every record of languageFileToMatch and lists a
// candidate for each that fits. With `ownHandle` the file is opened on a handle of its own and the
// shared fileNumber and recordCount are left alone. Raises on a file error or a 4001st candidate.
void scoreLanguageFile(Engine& e, const std::string& chars, int64_t timeLength, bool ownHandle);
// The score of a fitting protocol: rating / 2 + time bonus + 20, rounded half to even.
int32_t languageScore(int16_t rating, int64_t timeLength, int32_t recordTimeLength);

// Ranks the language candidates into the seven Platinum words and one ranked word set.
void rankWords(Engine& e);
// Loads and shows the Language Editor on languageFileToAdd when adding to the language is on.
void openLanguageForAddition(Engine& e);
// The Yes/No question shown when no protocol fitted; true on Yes.
bool askNoMatchQuestion(Engine& e);

}  // namespace parlomat
