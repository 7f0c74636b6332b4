// vocab and lang: list the records of vocabulary and language files. The file is opened read-only:
// listing never creates or changes it.
#include <cmath>
#include <cstdio>
#include <ostream>

#include "cli/CliContext.h"
#include "cli/Json.h"
#include "matching/LanguageRecord.h"
#include "matching/VocabularyRecord.h"

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

int langCommand(CliContext& c, const Args& args) {
  return listCommand(c, "lang", args, LanguageRecord::kLength, listLanguage);
}

}  // namespace parlomat
