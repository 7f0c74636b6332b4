// process: recognise a stored recording.
#include <fstream>
#include <map>
#include <ostream>
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

}  // namespace

int processCommand(CliContext& c, const Args& args) {
  std::string file, tracePath;
  bool traced = false;
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
      throw UsageError{"process: --json is not available yet"};
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
  printReport(c.out, file, c.engine->state, observer.findings);
  return kExitOk;
}

}  // namespace parlomat
