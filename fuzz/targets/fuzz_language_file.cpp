// Language files of arbitrary contents through every reader: the record decoder, the CLI's
// listing in both forms, and the language matcher's scoring with both of its handles and its
// ranking. A record decodes and encodes to the same bytes; scoring leaves every stored byte where
// it was.
#include <algorithm>
#include <cstring>
#include <sstream>

#include <fuzzer/FuzzedDataProvider.h>

#include "FuzzSupport.h"
#include "cli/CliApp.h"
#include "matching/LanguageMatcher.h"
#include "matching/LanguageRecord.h"

using namespace parlomat;

namespace {

void requireKept(const std::vector<uint8_t>& file, const std::string& path) {
  // A file that counts no record gets RefNo 1 in its first record on the way back; an empty one
  // gets a blank record 1. Every other byte stays.
  const std::vector<uint8_t> after = fuzz::readScratch(path);
  const size_t from = recordCountOf(static_cast<int64_t>(file.size()), LanguageRecord::kLength) == 0
                          ? std::min<size_t>(4, file.size())
                          : 0;
  fuzz::require(after.size() >= file.size(), "scoring never shortens the file");
  fuzz::require(std::equal(file.begin() + static_cast<long>(from), file.end(),
                           after.begin() + static_cast<long>(from)),
                "scoring keeps every byte");
  if (!file.empty()) {
    fuzz::require(std::all_of(after.begin() + static_cast<long>(file.size()), after.end(),
                              [](uint8_t b) { return b == 0; }),
                  "only a partial record is completed, with zeros");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string chars = in.ConsumeRandomLengthString(48);
  const int64_t timeLength = in.ConsumeIntegral<int32_t>();
  const bool ownHandle = in.ConsumeBool();
  const std::vector<uint8_t> file = in.ConsumeRemainingBytes<uint8_t>();

  const LanguageRecord r = LanguageRecord::fromBytes(file);
  fuzz::require(r.validEntryCount() >= 0 && r.validEntryCount() <= LanguageRecord::kEntries,
                "valid entry count within the record");
  const auto bytes = r.toBytes();
  const size_t kept = std::min(file.size(), bytes.size());
  fuzz::require(kept == 0 || std::memcmp(bytes.data(), file.data(), kept) == 0,
                "record bytes kept as stored");
  for (int i = 1; i <= r.validEntryCount(); ++i) {
    fuzz::require(LanguageRecord::trimmed(r.protocols[static_cast<size_t>(i)]).size() <= 40,
                  "protocol within 40");
  }

  const std::string path = fuzz::writeScratch("input.Lang", file.data(), file.size());
  for (const bool json : {false, true}) {
    std::ostringstream out, err;
    std::vector<std::string> args{"lang", path};
    if (json) args.push_back("--json");
    fuzz::require(runCli(args, out, err) == 0, "a readable file is listed");
  }

  fuzz::World w;
  ControlState& s = w.engine->state;
  s.stopEverything = kNo;
  s.languageFileToMatch = path;
  try {
    scoreLanguageFile(*w.engine, chars, timeLength, ownHandle);
    rankWords(*w.engine);
  } catch (const std::exception&) {
    // A record with more protocols than it holds, or more than 4000 candidates: the callers
    // report it with their coded box.
  }
  fuzz::require(!s.fileNumber || !ownHandle, "scoring on its own handle leaves none open");
  s.fileNumber.reset();
  fuzz::require(w.sim.files.openCount() == 0, "scoring closes its file");
  requireKept(file, path);
  for (int k = 1; k <= 7; ++k) {
    fuzz::require(s.platinumWord[k].size() <= 40, "a ranked word within 40");
  }
  return 0;
}
