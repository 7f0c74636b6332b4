#pragma once
// Small generated record files for the matching tests.
#include <filesystem>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "matching/LanguageRecord.h"
#include "matching/VocabularyRecord.h"
#include "support/TestSupport.h"

namespace parlomat::testing {

inline VocabularyRecord vocabularyRecord(int32_t refNo, const std::string& name,
                                         const std::vector<double>& valleys) {
  VocabularyRecord r = VocabularyRecord::blank(refNo);
  r.setName(name);
  for (size_t i = 0; i < valleys.size(); ++i) r.valleys[i] = valleys[i];
  r.valleyCount = static_cast<int16_t>(valleys.size());
  return r;
}

struct Protocol {
  std::string pattern;
  int16_t rating;
};

inline LanguageRecord languageRecord(int32_t refNo, const std::string& name, int32_t timeLength,
                                     std::initializer_list<Protocol> protocols,
                                     const std::string& font = "Arial") {
  LanguageRecord r = LanguageRecord::blank(refNo);
  LanguageRecord::setText(r.name, name);
  LanguageRecord::setText(r.fontName, font);
  r.divisionCount = 1;
  r.totalTimeLength = timeLength;
  int i = 0;
  for (const auto& p : protocols) {
    ++i;
    LanguageRecord::setText(r.protocols[static_cast<size_t>(i)], p.pattern);
    r.ratings[static_cast<size_t>(i)] = p.rating;
  }
  r.entryCount = static_cast<int16_t>(i);
  return r;
}

// The records one after another, as the file holds them.
template <typename Record>
std::vector<uint8_t> fileBytes(const std::vector<Record>& records) {
  std::vector<uint8_t> bytes;
  for (const auto& r : records) {
    auto b = r.toBytes();
    bytes.insert(bytes.end(), b.begin(), b.end());
  }
  return bytes;
}

template <typename Record>
void writeRecords(const std::filesystem::path& p, const std::vector<Record>& records) {
  writeFile(p, fileBytes(records));
}

// Valleys of an utterance: count entries starting at `first`, `step` apart.
inline std::vector<double> ladder(int count, int first = 10, int step = 10) {
  std::vector<double> v;
  for (int i = 0; i < count; ++i) v.push_back(first + step * i);
  return v;
}

}  // namespace parlomat::testing
