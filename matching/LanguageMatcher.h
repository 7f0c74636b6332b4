#pragma once
// Matching the recognised character string against the protocols of a language file.
#include "control/Engine.h"

namespace parlomat {

// On request: the character string and time length of the current division.
void matchLanguageDivision(Engine& e);
// In the listening cycle: the whole utterance.
void matchLanguageUtterance(Engine& e);

}  // namespace parlomat
