#pragma once
// Matching the valleys of one processing against the trained characters of vocabulary files,
// ranking the characters of each file and consolidating the Golden character.
#include <cstdint>
#include <string>

#include "control/Engine.h"

namespace parlomat {

// Scores every record of the vocabulary file `path` (the caller's currentMatchFile) against the
// last valley list and ranks the characters; `notFirstFile` is false only for file 1 of a
// processing. File errors and a 4001st candidate show the BVMTD box and end the scan.
void scanVocabularyFile(Engine& e, const std::string& path, bool notFirstFile);

// Ranks the candidate list of the file just scanned into seven slots and stores one ranked set.
void rankCharacters(Engine& e, bool notFirstFile);

// The Golden character over the first-ranked characters of files 1..filesToScan.
void consolidateGoldenChara(Engine& e);

// Percentage of a record with `pairs` agreeing pairs: pairs x 100 over the larger valley count,
// rounded half to even, 99 at most.
int32_t characterPercent(int64_t pairs, int recordCount, int utteranceCount);

}  // namespace parlomat
