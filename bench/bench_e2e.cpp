// The verbs timed as a user runs them, whole processes on generated bodies,
// each against the floor the machine sets in the same run:
//   import-welds --save   against reading the weld file's lines with getline
//   info                  against a bare simdjson parse of the document
//   run (empty) --save    against cp of the document
//   export-locations      against cp of the XML written
// Each figure is the median of RUNS runs: processor seconds (user and
// system, from wait4: on a shared machine the wall clock also counts the
// time spent waiting for a core), wall seconds and peak resident memory. The table goes to standard output and, with --doc,
// between the bench-e2e marks of that Markdown file.
//
//   bench_e2e BIWPLAN WORKDIR [--sizes 10000,50000,100000] [--runs 5] [--doc FILE]
//   bench_e2e floor-lines FILE | floor-parse FILE

#include <simdjson.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "QIVDocument.h"
#include "QIVDocumentError.h"
#include "QIVDocumentIO.h"
#include "WeldFileGenerator.h"

namespace fs = std::filesystem;

namespace {
constexpr int kPartCount = 5000;
constexpr const char* kBeginMark = "<!-- bench-e2e -->";
constexpr const char* kEndMark = "<!-- /bench-e2e -->";

struct Figure {
  double seconds = 0.0;
  double wallSeconds = 0.0;
  double peakMiB = 0.0;
};

double Seconds(const timeval& time) { return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6; }

// Runs `argv` with its output thrown away; false when it did not exit 0.
bool RunProcess(const std::vector<std::string>& argv, Figure& figure) {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    if (std::FILE* null = std::freopen("/dev/null", "w", stdout)) (void)null;
    ::execv(args[0], args.data());
    std::_Exit(127);
  }
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child) return false;
  figure.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  figure.seconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
  figure.peakMiB = static_cast<double>(usage.ru_maxrss) / 1024.0;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct Median {
  Figure figure;
  double low = 0.0, high = 0.0;
};

Median MedianOf(std::vector<Figure> runs) {
  std::sort(runs.begin(), runs.end(), [](const Figure& a, const Figure& b) { return a.seconds < b.seconds; });
  Median median{runs[runs.size() / 2], runs.front().seconds, runs.back().seconds};
  const auto middle = [&](double Figure::*field) {
    std::vector<double> values;
    for (const Figure& run : runs) values.push_back(run.*field);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
  };
  median.figure.wallSeconds = middle(&Figure::wallSeconds);
  median.figure.peakMiB = middle(&Figure::peakMiB);
  return median;
}

// `prepare` runs before each timed run, untimed.
template <class Prepare>
Median Time(const std::vector<std::string>& argv, int runs, Prepare&& prepare) {
  std::vector<Figure> figures;
  for (int run = 0; run < runs; ++run) {
    prepare();
    Figure figure;
    if (!RunProcess(argv, figure)) {
      std::cerr << "bench_e2e: failed:";
      for (const std::string& arg : argv) std::cerr << ' ' << arg;
      std::cerr << '\n';
      std::exit(1);
    }
    figures.push_back(figure);
  }
  return MedianOf(figures);
}

Median Time(const std::vector<std::string>& argv, int runs) {
  return Time(argv, runs, [] {});
}

int FloorLines(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::string line;
  long lines = 0;
  while (std::getline(in, line)) ++lines;
  std::printf("%ld\n", lines);
  return in.bad() ? 1 : 0;
}

int FloorParse(const char* path) {
  simdjson::dom::parser parser;
  simdjson::dom::element root;
  if (parser.load(path).get(root)) return 1;
  std::printf("%zu\n", root.is_object() ? std::size_t{1} : std::size_t{0});
  return 0;
}

struct Row {
  std::string verb;
  int welds;
  Median verbFigure;
  std::string floorName;
  Median floorFigure;
};

std::string Table(const std::vector<Row>& rows, int runs) {
  std::ostringstream out;
  char line[320];
  out << "| Verb | Welds | CPU s (median of " << runs
      << ", min-max) | Wall s | Peak RSS MiB | Floor | Floor CPU s | Ratio |\n";
  out << "|---|---:|---:|---:|---:|---|---:|---:|\n";
  for (const Row& row : rows) {
    std::snprintf(line, sizeof line, "| %s | %d | %.3f (%.3f-%.3f) | %.3f | %.0f | %s | %.3f | %.1fx |\n",
                  row.verb.c_str(), row.welds, row.verbFigure.figure.seconds, row.verbFigure.low,
                  row.verbFigure.high, row.verbFigure.figure.wallSeconds, row.verbFigure.figure.peakMiB,
                  row.floorName.c_str(), row.floorFigure.figure.seconds,
                  row.verbFigure.figure.seconds / std::max(row.floorFigure.figure.seconds, 0.001));
    out << line;
  }
  return out.str();
}

bool WriteIntoDoc(const std::string& path, const std::string& table) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  std::string doc = text.str();
  const std::size_t begin = doc.find(kBeginMark);
  const std::size_t end = doc.find(kEndMark);
  if (begin == std::string::npos || end == std::string::npos || end < begin) {
    std::cerr << "bench_e2e: " << path << " has no " << kBeginMark << " ... " << kEndMark << " marks\n";
    return false;
  }
  const std::size_t from = begin + std::string(kBeginMark).size();
  doc.replace(from, end - from, "\n" + table);
  std::ofstream out(path);
  out << doc;
  return static_cast<bool>(out);
}

std::vector<int> Sizes(const std::string& list) {
  std::vector<int> sizes;
  std::stringstream in(list);
  for (std::string item; std::getline(in, item, ',');) sizes.push_back(std::stoi(item));
  return sizes;
}

// A document holding the products the weld file names, and the weld file.
void Generate(int welds, const fs::path& products, const fs::path& weldFile) {
  if (fs::exists(products) && fs::exists(weldFile)) return;
  const WeldFileGenerator generator{welds, kPartCount};
  QIVIDocument_var document = QIVDocument::New();
  generator.BuildProducts(document);
  QIVDocumentError error;
  if (FAILED(QIVDocumentIO::Save(document, products.string(), error)) ||
      !generator.WriteWeldFile(weldFile.string())) {
    std::cerr << "bench_e2e: cannot write the generated body in " << products.parent_path() << '\n';
    std::exit(1);
  }
  document->Close();
}

void Copy(const fs::path& from, const fs::path& to) {
  fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "floor-lines") return FloorLines(argv[2]);
  if (argc == 3 && std::string(argv[1]) == "floor-parse") return FloorParse(argv[2]);
  if (argc < 3) {
    std::cerr << "usage: bench_e2e BIWPLAN WORKDIR [--sizes N,N...] [--runs N] [--doc FILE]\n";
    return 2;
  }
  const std::string self = fs::canonical("/proc/self/exe").string();
  const std::string biwplan = fs::absolute(argv[1]).string();
  const fs::path work = fs::absolute(argv[2]);
  std::vector<int> sizes{10000, 50000, 100000};
  int runs = 5;
  std::string doc;
  for (int i = 3; i + 1 < argc; i += 2) {
    const std::string option = argv[i];
    if (option == "--sizes") sizes = Sizes(argv[i + 1]);
    else if (option == "--runs") runs = std::max(1, std::atoi(argv[i + 1]));
    else if (option == "--doc") doc = argv[i + 1];
  }
  fs::create_directories(work);
  const fs::path journal = work / "empty.journal";
  std::ofstream(journal) << "";

  std::vector<Row> rows;
  for (int welds : sizes) {
    const std::string n = std::to_string(welds);
    const fs::path products = work / ("products-" + n + ".json"), weldFile = work / ("welds-" + n + ".txt");
    const fs::path body = work / ("body-" + n + ".json"), scratch = work / "scratch.json";
    const fs::path xml = work / ("locations-" + n + ".xml"), copy = work / "copy.out";
    Generate(welds, products, weldFile);

    const Median import = Time({biwplan, "import-welds", scratch.string(), weldFile.string(), "--save"}, runs,
                               [&] { Copy(products, scratch); });
    Copy(scratch, body);
    rows.push_back({"import-welds --save", welds, import, "getline over the weld file",
                    Time({self, "floor-lines", weldFile.string()}, runs)});
    rows.push_back({"info", welds, Time({biwplan, "info", body.string()}, runs), "simdjson parse",
                    Time({self, "floor-parse", body.string()}, runs)});
    rows.push_back({"run (empty journal) --save", welds,
                    Time({biwplan, "run", scratch.string(), journal.string(), "--save"}, runs,
                         [&] { Copy(body, scratch); }),
                    "cp of the document", Time({"/bin/cp", body.string(), copy.string()}, runs)});
    rows.push_back({"export-locations", welds, Time({biwplan, "export-locations", body.string(), xml.string()}, runs),
                    "cp of the XML", Time({"/bin/cp", xml.string(), copy.string()}, runs)});
    std::cerr << "bench_e2e: " << welds << " welds done\n";
  }
  fs::remove(work / "scratch.json");
  fs::remove(work / "copy.out");
  const std::string table = Table(rows, runs);
  std::cout << table;
  if (!doc.empty() && !WriteIntoDoc(doc, table)) return 1;
  return 0;
}
