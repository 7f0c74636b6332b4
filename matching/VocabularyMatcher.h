#pragma once
// Matching the valleys of one processing against the trained characters of vocabulary files.
#include <string>

#include "control/Engine.h"

namespace parlomat {

// Scores every record of the vocabulary file `path` against the last valley list and ranks the
// characters; `notFirstFile` is false only for file 1 of a processing.
void scanVocabularyFile(Engine& e, const std::string& path, bool notFirstFile);

}  // namespace parlomat
