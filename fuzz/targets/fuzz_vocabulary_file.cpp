// Vocabulary files of arbitrary contents through every reader: the record decoder, the CLI's
// listing in both forms, and the matcher's scan. Nothing stored is lost: a record decodes and
// encodes to the same bytes, and a scan leaves every byte of the file where it was (it may only
// complete a trailing partial record with zeros, as writing the last record read back does).
#include <algorithm>
#include <cstring>
#include <sstream>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "cli/CliApp.h"
#include "matching/VocabularyMatcher.h"
#include "matching/VocabularyRecord.h"

using namespace parlomat;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  // The utterance's valleys and the matching settings, then the file.
  const int valleyCount = in.ConsumeIntegralInRange<int>(0, 64);
  std::vector<int32_t> valleys;
  for (int i = 0; i < valleyCount; ++i)
    valleys.push_back(in.ConsumeIntegralInRange<int32_t>(-5, 1300));
  std::sort(valleys.begin(), valleys.end());
  const int16_t up = in.ConsumeIntegralInRange<int16_t>(0, 128);
  const uint8_t tolerances = in.ConsumeIntegral<uint8_t>();
  const std::vector<uint8_t> file = in.ConsumeRemainingBytes<uint8_t>();

  // One record, whole or cut short.
  const VocabularyRecord r = VocabularyRecord::fromBytes(file);
  fuzz::require(r.validValleyCount() >= 0 && r.validValleyCount() <= VocabularyRecord::kValleySlots,
                "valid valley count within the record");
  fuzz::require(r.trimmedName().size() <= VocabularyRecord::kNameLength, "name within 20");
  const auto bytes = r.toBytes();
  const size_t kept = std::min(file.size(), bytes.size());
  fuzz::require(kept == 0 || std::memcmp(bytes.data(), file.data(), kept) == 0,
                "record bytes kept as stored");

  const std::string path = fuzz::writeScratch("input.SAY", file.data(), file.size());
  for (const bool json : {false, true}) {
    std::ostringstream out, err;
    std::vector<std::string> args{"vocab", path};
    if (json) args.push_back("--json");
    fuzz::require(runCli(args, out, err) == 0, "a readable file is listed");
  }

  fuzz::World w;
  ControlState& s = w.engine->state;
  s.valleyCount = static_cast<int16_t>(valleys.size());
  std::copy(valleys.begin(), valleys.end(), s.valleyBins.begin());
  s.scanToleranceUp = up;
  s.scanToleranceDown = static_cast<int16_t>(-up);
  for (int k = 1; k <= 4; ++k) s.entryTolerance[k] = (tolerances >> k) & 1;
  s.stopEverything = kNo;
  s.matchVocabularyFile[1] = path;
  s.currentMatchFile = path;
  scanVocabularyFile(*w.engine, path, false);
  fuzz::require(!s.fileNumber && w.sim.files.openCount() == 0, "the scan closes its file");
  // A file that counts no record gets RefNo 1 in its first record on the way back; an empty one
  // gets a blank record 1. Every other byte stays.
  const std::vector<uint8_t> after = fuzz::readScratch(path);
  const size_t from =
      recordCountOf(static_cast<int64_t>(file.size()), VocabularyRecord::kLength) == 0
          ? std::min<size_t>(4, file.size())
          : 0;
  fuzz::require(after.size() >= file.size(), "a scan never shortens the file");
  fuzz::require(std::equal(file.begin() + static_cast<long>(from), file.end(),
                           after.begin() + static_cast<long>(from)),
                "a scan keeps every byte");
  if (!file.empty()) {
    fuzz::require(std::all_of(after.begin() + static_cast<long>(file.size()), after.end(),
                              [](uint8_t b) { return b == 0; }),
                  "only a partial record is completed, with zeros");
  }
  return 0;
}
