// vocab and lang: list the records of vocabulary and language files. The file is opened read-only:
// listing never creates or changes it.
#include <cmath>
#include <cstdio>
#include <ostream>
#include <utility>
#include <vector>

#include "cli/CliContext.h"
#include "cli/Json.h"
#include "matching/LanguageRecord.h"
#include "matching/VocabularyRecord.h"
#include "platform/Numbers.h"

namespace parlomat {

namespace {

struct ListArgs {
  std::string path;
  bool asJson = false;
};

ListArgs parseListArgs(const std::string& command, const Args& args) {
  ListArgs l;
  bool havePath = false;
  for (const auto& a : args) {
    if (a == "--json") {
      l.asJson = true;
    } else if (!havePath && !(a.size() > 1 && a[0] == '-')) {
      l.path = a;
      havePath = true;
    } else {
      throw UsageError{command + ": unexpected '" + a + "'"};
    }
  }
  if (!havePath) throw UsageError{command + " needs a file"};
  return l;
}

// A stored valley: whole numbers without a fraction; JSON has no NaN or infinity, so null.
std::string valueText(double v, bool asJson) {
  if (!std::isfinite(v)) return asJson ? "null" : std::to_string(v);
  char buf[40];
  if (std::nearbyint(v) == v && std::fabs(v) < 1e15) {
    std::snprintf(buf, sizeof buf, "%.0f", v);
  } else {
    std::snprintf(buf, sizeof buf, "%.17g", v);
  }
  return buf;
}

void listVocabulary(CliContext& c, RecordFile& file, bool asJson) {
  const int64_t count = recordCountOf(file.length(), VocabularyRecord::kLength);
  if (asJson) c.out << "[";
  for (int64_t n = 1; n <= count; ++n) {
    const VocabularyRecord r = VocabularyRecord::read(file, n);
    const int valid = r.validValleyCount();
    if (asJson) {
      c.out << (n > 1 ? ",\n " : "\n ") << "{\"refNo\":" << r.refNo
            << ",\"name\":" << json::quote(r.trimmedName()) << ",\"valleyCount\":" << r.valleyCount
            << ",\"valleys\":[";
      for (int i = 0; i < valid; ++i) {
        c.out << (i ? "," : "") << valueText(r.valleys[static_cast<size_t>(i)], true);
      }
      c.out << "]}";
    } else {
      c.out << r.refNo << "  " << json::quote(r.trimmedName()) << "  " << r.valleyCount << ":";
      for (int i = 0; i < valid; ++i) {
        c.out << " " << valueText(r.valleys[static_cast<size_t>(i)], false);
      }
      c.out << "\n";
    }
  }
  if (asJson) c.out << (count > 0 ? "\n]\n" : "]\n");
}

void listLanguage(CliContext& c, RecordFile& file, bool asJson) {
  const int64_t count = recordCountOf(file.length(), LanguageRecord::kLength);
  if (asJson) c.out << "[";
  for (int64_t n = 1; n <= count; ++n) {
    const LanguageRecord r = LanguageRecord::read(file, n);
    const int entries = r.validEntryCount();
    if (asJson) {
      c.out << (n > 1 ? ",\n " : "\n ") << "{\"refNo\":" << r.refNo
            << ",\"name\":" << json::quote(LanguageRecord::trimmed(r.name))
            << ",\"font\":" << json::quote(LanguageRecord::trimmed(r.fontName))
            << ",\"divisionCount\":" << r.divisionCount
            << ",\"totalTimeLength\":" << r.totalTimeLength << ",\"entries\":[";
      for (int i = 1; i <= entries; ++i) {
        const auto k = static_cast<size_t>(i);
        c.out << (i > 1 ? "," : "")
              << "{\"protocol\":" << json::quote(LanguageRecord::trimmed(r.protocols[k]))
              << ",\"rating\":" << r.ratings[k] << "}";
      }
      c.out << "]}";
    } else {
      c.out << r.refNo << "  " << json::quote(LanguageRecord::trimmed(r.name)) << "  font "
            << json::quote(LanguageRecord::trimmed(r.fontName)) << "  divisions " << r.divisionCount
            << "  time " << r.totalTimeLength << "  entries " << entries << "\n";
      for (int i = 1; i <= entries; ++i) {
        const auto k = static_cast<size_t>(i);
        c.out << "    " << json::quote(LanguageRecord::trimmed(r.protocols[k])) << "  rating "
              << r.ratings[k] << "\n";
      }
    }
  }
  if (asJson) c.out << (count > 0 ? "\n]\n" : "]\n");
}

template <typename List>
int listCommand(CliContext& c, const std::string& command, const Args& args, int recordLength,
                List list) {
  const ListArgs l = parseListArgs(command, args);
  try {
    auto file = c.sim.platform().files->openReadOnly(l.path, recordLength);
    list(c, *file, l.asJson);
  } catch (const RecordFileError& e) {
    c.err << "parlomat-cli: " << command << ": cannot read " << e.what() << "\n";
    return kExitFailed;
  }
  return kExitOk;
}

}  // namespace

int vocabCommand(CliContext& c, const Args& args) {
  return listCommand(c, "vocab", args, VocabularyRecord::kLength, listVocabulary);
}

namespace {

// A whole number within [low, high], or a usage error naming the option.
int32_t wholeNumber(const std::string& option, const std::string& text, int32_t low, int32_t high) {
  double d = 0;
  if (!parseNumber(text, d) || d != std::floor(d) || d < low || d > high) {
    throw UsageError{"lang: " + option + " takes a whole number from " + std::to_string(low) +
                     " to " + std::to_string(high) + ", not '" + text + "'"};
  }
  return static_cast<int32_t>(d);
}

// lang FILE --add WORD [--font F] [--time T] [--divisions D] --protocol PATTERN=RATING ...
// Appends one record as the Language Editor's Add does, with the editor's limits on each value.
int addLanguageRecord(CliContext& c, const Args& args) {
  std::string path, word, font = "MS Sans Serif";
  bool haveWord = false;
  int32_t time = 0, divisions = 1;
  std::vector<std::pair<std::string, int16_t>> protocols;
  auto value = [&](size_t& i) -> const std::string& {
    if (i + 1 >= args.size()) throw UsageError{"lang: " + args[i] + " needs a value"};
    return args[++i];
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--add") {
      word = value(i);
      haveWord = true;
    } else if (a == "--font") {
      font = value(i);
    } else if (a == "--time") {
      time = wholeNumber(a, value(i), 0, 100000);
    } else if (a == "--divisions") {
      divisions = wholeNumber(a, value(i), 1, 5);
    } else if (a == "--protocol") {
      const std::string& p = value(i);
      size_t eq = p.rfind('=');
      if (eq == std::string::npos) throw UsageError{"lang: --protocol needs PATTERN=RATING"};
      protocols.emplace_back(p.substr(0, eq),
                             static_cast<int16_t>(wholeNumber(a, p.substr(eq + 1), 1, 100)));
    } else if (path.empty() && !(a.size() > 1 && a[0] == '-')) {
      path = a;
    } else {
      throw UsageError{"lang: unexpected '" + a + "'"};
    }
  }
  if (path.empty()) throw UsageError{"lang needs a file"};
  if (!haveWord || trimSpaces(word).empty()) throw UsageError{"lang: --add needs a word"};
  if (protocols.empty()) throw UsageError{"lang: --add needs at least one --protocol"};
  if (protocols.size() > LanguageRecord::kEntries) {
    throw UsageError{"lang: a word holds at most 100 protocols"};
  }

  auto file = c.sim.platform().files->open(path, LanguageRecord::kLength);
  const int64_t position = recordCountOf(file->length(), LanguageRecord::kLength) + 1;
  LanguageRecord r = LanguageRecord::blank(static_cast<int32_t>(position));
  LanguageRecord::setText(r.name, trimSpaces(word));
  LanguageRecord::setText(r.fontName, trimSpaces(font));
  r.divisionCount = static_cast<int16_t>(divisions);
  r.totalTimeLength = time;
  r.entryCount = static_cast<int16_t>(protocols.size());
  for (size_t k = 0; k < protocols.size(); ++k) {
    LanguageRecord::setText(r.protocols[k + 1], trimSpaces(protocols[k].first));
    r.ratings[k + 1] = protocols[k].second;
  }
  r.write(*file, position);
  c.out << "added record " << position << " (" << trimSpaces(word) << ") to " << path << "\n";
  return kExitOk;
}

}  // namespace

int langCommand(CliContext& c, const Args& args) {
  for (const auto& a : args) {
    if (a == "--add") return addLanguageRecord(c, args);
  }
  return listCommand(c, "lang", args, LanguageRecord::kLength, listLanguage);
}

}  // namespace parlomat
