// process: recognise a stored recording.
#include <fstream>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/AnalysisObserver.h"
#include "cli/CliContext.h"
#include "cli/Json.h"

namespace parlomat {

namespace {

using Divisions = std::vector<std::pair<int32_t, int32_t>>;

// Writes one JSON object per line for every division run and segment analysis.
class TraceWriter {
 public:
  explicit TraceWriter(std::ostream& out) : out_(out) {}

  void divisions(const DivisionRun& r) {
    out_ << "{\"event\":\"divisions\",\"level\":" << json::quote(divisionLevelName(r.level))
         << ",\"start\":" << r.start << ",\"length\":" << r.length << ",\"count\":" << r.count
         << ",\"divisions\":[";
    for (size_t k = 0; k < r.divisions.size(); ++k) {
      out_ << (k ? "," : "") << "[" << r.divisions[k].first << "," << r.divisions[k].second << "]";
    }
    out_ << "]}\n";
  }

  void segment(const SegmentRun& r) {
    out_ << "{\"event\":\"segment\",\"start\":" << r.start << ",\"end\":" << r.end
         << ",\"noise\":" << (r.noise ? "true" : "false") << ",\"valleys\":[";
    for (size_t v = 0; v < r.valleys.size(); ++v) out_ << (v ? "," : "") << r.valleys[v];
    out_ << "]}\n";
  }

 private:
  std::ostream& out_;
};

// What a processing found, for the report: the deeper divisions keyed by the Word (and DeepWord)
// being processed when they were found.
struct Findings {
  std::map<int, Divisions> deepWords;                     // by word number
  std::map<std::pair<int, int>, Divisions> tooDeepWords;  // by word and deep word number
  int segments = 0;
  int noisySegments = 0;
};

class ProcessObserver : public AnalysisObserver {
 public:
  ProcessObserver(const ControlState& state, TraceWriter* trace) : state_(state), trace_(trace) {}

  void divisionsFound(const DivisionRun& r) override {
    if (trace_) trace_->divisions(r);
    const Divisions d(r.divisions.begin(), r.divisions.end());
    if (r.level == DivisionLevel::DeepWord) findings.deepWords[state_.wordNo] = d;
    if (r.level == DivisionLevel::TooDeepWord) {
      findings.tooDeepWords[{state_.wordNo, state_.deepWordNo}] = d;
    }
  }

  void segmentAnalysed(const SegmentRun& r) override {
    if (trace_) trace_->segment(r);
    ++findings.segments;
    if (r.noise) ++findings.noisySegments;
  }

  Findings findings;

 private:
  const ControlState& state_;
  TraceWriter* trace_;
};

// Detaches the observer however the processing ends.
struct ObserverScope {
  Engine& engine;
  ObserverScope(Engine& e, AnalysisObserver* o) : engine(e) { engine.analysisObserver = o; }
  ~ObserverScope() { engine.analysisObserver = nullptr; }
};

void printDivision(std::ostream& out, int indent, const char* level, int number, int32_t start,
                   int32_t end) {
  out << std::string(static_cast<size_t>(indent), ' ') << level << " " << number << ": " << start
      << " to " << end << ", time length " << end - start << "\n";
}

void printReport(std::ostream& out, const std::string& file, const ControlState& s,
                 const Findings& f) {
  const AnalysisState& st = s.analysis;
  out << file << ": " << s.sampleCount << " bytes\n";
  out << "words: " << s.probableWordCount << "\n";
  for (int k = 1; k <= s.probableWordCount; ++k) {
    const size_t i = static_cast<size_t>(k);
    if (i >= st.divisionStart.size() || i >= st.divisionEnd.size()) break;
    printDivision(out, 0, "word", k, st.divisionStart[i], st.divisionEnd[i]);
    const auto deep = f.deepWords.find(k);
    if (deep == f.deepWords.end()) continue;
    for (size_t j = 0; j < deep->second.size(); ++j) {
      const auto& [ds, de] = deep->second[j];
      printDivision(out, 2, "deepword", static_cast<int>(j), ds, de);
      const auto tooDeep = f.tooDeepWords.find({k, static_cast<int>(j)});
      if (tooDeep == f.tooDeepWords.end()) continue;
      for (size_t t = 0; t < tooDeep->second.size(); ++t) {
        const auto& [ts, te] = tooDeep->second[t];
        printDivision(out, 4, "toodeepword", static_cast<int>(t), ts, te);
      }
    }
  }
  out << "segments analysed: " << f.segments << " (" << f.noisySegments << " noise)\n";
}

// A result property by member name, as a host reads it; a getter's failure reads as null.
struct Results {
  Parlomat& control;
  std::optional<std::string> text(const std::string& name) {
    CallResult r = control.call(name);
    if (!r.ok()) return std::nullopt;
    return r.value.toText();
  }
  std::string json(const std::string& name, bool number = false) {
    auto v = text(name);
    if (!v) return "null";
    return number ? *v : json::quote(*v);
  }
  // The same member at Send_of_no = n.
  std::string jsonAt(int32_t n, const std::string& name) {
    control.Send_of_no(n);
    return json(name);
  }
};

std::string rank(int k) {
  return std::to_string(k);
}

void printResults(std::ostream& out, Parlomat& control) {
  Results r{control};
  out << "golden character: " << r.text("Golden_Chara").value_or("")
      << "  points: " << r.text("Golden_Chara_Points").value_or("") << "\n";
  out << "probable characters:\n";
  for (int k = 1; k <= 7; ++k) {
    out << "  " << k << ". " << r.text("Probable_chars_No_" + rank(k) + "_Recognized").value_or("")
        << "  (" << r.text("Probable_chars_no_" + rank(k) + "_percentage").value_or("") << ")\n";
  }
  out << "platinum words:\n";
  for (int k = 1; k <= 7; ++k) {
    const std::string w = "Platinum_Word_" + rank(k);
    out << "  " << k << ". " << r.text(w).value_or("") << "  "
        << r.text(w + "_Percentage").value_or("") << "%  [" << r.text(w + "_Font").value_or("")
        << "]\n";
  }
  out << "recognised word: " << r.text("Platinum_Word_1").value_or("") << "\n";
}

void printJson(std::ostream& out, Parlomat& control) {
  Results r{control};
  const int32_t sendIndex = control.state().sendIndex;
  out << "{\"wordCount\":" << r.json("Probable_no_of_words_recognized", true);
  out << ",\"golden\":{\"chara\":" << r.json("Golden_Chara")
      << ",\"points\":" << r.json("Golden_Chara_Points") << "}";
  out << ",\"probableChars\":[";
  for (int k = 1; k <= 7; ++k) {
    out << (k > 1 ? "," : "")
        << "{\"chars\":" << r.json("Probable_chars_No_" + rank(k) + "_Recognized")
        << ",\"percent\":" << r.json("Probable_chars_no_" + rank(k) + "_percentage") << "}";
  }
  out << "],\"platinum\":[";
  for (int k = 1; k <= 7; ++k) {
    const std::string w = "Platinum_Word_" + rank(k);
    out << (k > 1 ? "," : "") << "{\"word\":" << r.json(w) << ",\"font\":" << r.json(w + "_Font")
        << ",\"percent\":" << r.json(w + "_Percentage", true) << "}";
  }
  out << "],\"charaSets\":[";
  const int32_t charaSets = control.Current_Processings_Available();
  for (int32_t n = 1; n <= charaSets; ++n) {
    out << (n > 1 ? "," : "") << "[";
    for (int k = 1; k <= 7; ++k) {
      out << (k > 1 ? "," : "") << "{\"chara\":" << r.jsonAt(n, "Is_this_Chara_of_no_" + rank(k))
          << ",\"probability\":" << r.jsonAt(n, "Is_this_probability_for_no_" + rank(k)) << "}";
    }
    out << "]";
  }
  out << "],\"wordSets\":[";
  const int32_t wordSets = control.Current_Platinum_Words_Available();
  for (int32_t n = 1; n <= wordSets; ++n) {
    out << (n > 1 ? "," : "") << "[";
    for (int k = 1; k <= 7; ++k) {
      out << (k > 1 ? "," : "") << "{\"word\":" << r.jsonAt(n, "Is_this_Word_of_no_" + rank(k))
          << ",\"probability\":" << r.jsonAt(n, "Is_this_probability_for_Word_no_" + rank(k))
          << "}";
    }
    out << "]";
  }
  out << "]}\n";
  control.Send_of_no(sendIndex);
}

}  // namespace

int processCommand(CliContext& c, const Args& args) {
  std::string file, tracePath;
  bool traced = false, asJson = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--trace") {
      if (i + 1 >= args.size()) throw UsageError{"process: --trace needs a file"};
      tracePath = args[++i];
      traced = true;
    } else if (a.rfind("--trace=", 0) == 0) {
      tracePath = a.substr(8);
      traced = true;
    } else if (a == "--json") {
      asJson = true;
    } else if (a.rfind("--", 0) == 0 || !file.empty()) {
      throw UsageError{"process: unexpected '" + a + "'"};
    } else {
      file = a;
    }
  }
  if (file.empty()) throw UsageError{"process needs a wave file"};

  std::ofstream traceFile;
  if (traced) {
    traceFile.open(tracePath, std::ios::binary | std::ios::trunc);
    if (!traceFile) {
      c.err << "parlomat-cli: cannot write the trace " << tracePath << "\n";
      return kExitFailed;
    }
  }
  TraceWriter trace(traceFile);
  ProcessObserver observer(c.engine->state, traced ? &trace : nullptr);

  Parlomat& control = c.control();
  const size_t boxesBefore = c.sim.dialogs.shown().size();
  {
    ObserverScope scope(*c.engine, &observer);
    control.Open_this_Wave_File(file);
    control.Open_Specified_Wave_File_And_Process();
  }
  traceFile.close();
  const auto& boxes = c.sim.dialogs.shown();
  for (size_t b = boxesBefore; b < boxes.size(); ++b) {
    // The loader's message has already been echoed to the error stream.
    if (boxes[b].title == "Parlomat Wave ERROR") return kExitFailed;
  }
  if (asJson) {
    printJson(c.out, control);
  } else {
    printReport(c.out, file, c.engine->state, observer.findings);
    printResults(c.out, control);
  }
  return kExitOk;
}

}  // namespace parlomat
