// Measures the two builds of the plug-in side by side through their exports: libStats.so over the
// indexed log store and libStatsLinear.so over the scanning one. Every build, log size and side of
// the contest is measured in a child process of its own, the builds one after the other, and the
// figures go into one table. Exits non-zero when the indexed store misses a target or the builds
// disagree; --quick measures the small log with few repetitions and holds nothing to a target.
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/bench/child_process.h"
#include "tools/bench/results_table.h"

namespace stats_bench {
namespace {

enum class Build { indexed, linear };

struct Options {
  bool quick = false;
};

// The scanning store pays a walk of the log for each check, report and removal: milliseconds at
// 100,000 QSOs, so it gets few repetitions there.
Repetitions repetitionsFor(Build build, int qsos, bool quick) {
  if (quick) {
    return build == Build::indexed ? Repetitions{3, 3, 1000, 101, 3, 50}
                                   : Repetitions{3, 3, 30, 7, 3, 5};
  }
  if (build == Build::indexed) return {9, 15, 10000, 2001, 15, 100};
  if (qsos <= 10000) return {5, 5, 300, 41, 5, 20};
  return {5, 5, 60, 11, 5, 10};
}

// Whole rounds over every build, size and side: a moment of load on the machine then spoils one
// figure of each kind at most, which the median over the rounds drops.
int roundsFor(bool quick) {
  return quick ? 1 : 3;
}

const char* libraryPath(Build build) {
  return build == Build::indexed ? STATS_LIBRARY_PATH : STATS_LINEAR_LIBRARY_PATH;
}

const char* buildName(Build build) {
  return build == Build::indexed ? "indexed" : "linear";
}

Figures measureInChild(Build build, Side side, int qsos, bool quick) {
  const Repetitions reps = repetitionsFor(build, qsos, quick);
  const auto figures = runInChild([&] { return measure(libraryPath(build), side, qsos, reps); });
  if (!figures) {
    throw std::runtime_error(std::string("the measurement of the ") + buildName(build) +
                             " store failed");
  }
  return *figures;
}

// Every log size and side, the two builds one after the other, in rounds.
std::vector<Measured> measureAll(bool quick) {
  std::vector<Measured> results;
  for (const int qsos : quick ? std::vector<int>{10000} : std::vector<int>{10000, 100000}) {
    for (const Side side : {Side::outsideBelgium, Side::belgian}) {
      results.push_back({side, qsos, {}, {}});
    }
  }
  std::vector<std::vector<Figures>> indexed(results.size()), linear(results.size());
  const int rounds = roundsFor(quick);
  for (int round = 1; round <= rounds; ++round) {
    if (rounds > 1) std::fprintf(stderr, "stats_benchmark: round %d of %d\n", round, rounds);
    for (std::size_t at = 0; at < results.size(); ++at) {
      const Measured& measured = results[at];
      indexed[at].push_back(measureInChild(Build::indexed, measured.side, measured.qsos, quick));
      linear[at].push_back(measureInChild(Build::linear, measured.side, measured.qsos, quick));
    }
  }
  for (std::size_t at = 0; at < results.size(); ++at) {
    results[at].indexed = medianOf(indexed[at]);
    results[at].linear = medianOf(linear[at]);
  }
  return results;
}

std::string cpuModel() {
  std::ifstream cpuinfo("/proc/cpuinfo");
  for (std::string line; std::getline(cpuinfo, line);) {
    if (line.rfind("model name", 0) == 0) {
      const std::size_t colon = line.find(':');
      if (colon != std::string::npos) return line.substr(line.find_first_not_of(" \t", colon + 1));
    }
  }
  return "unknown CPU";
}

const char* compiler() {
#if defined(__clang__)
  return "clang " __clang_version__;
#elif defined(__GNUC__)
  return "GCC " __VERSION__;
#else
  return "unknown compiler";
#endif
}

void printHeading(bool quick) {
  utsname system{};
  uname(&system);
  std::printf("Machine: %s, %ld cores; %s %s %s; %s\n", cpuModel().c_str(),
              sysconf(_SC_NPROCESSORS_ONLN), system.sysname, system.release, system.machine,
              compiler());
  const auto fileName = [](const char* path) { return std::filesystem::path(path).filename(); };
  std::printf("indexed: %s (the shipped log store); linear: %s (the scanning reference)\n",
              fileName(STATS_LIBRARY_PATH).c_str(), fileName(STATS_LINEAR_LIBRARY_PATH).c_str());
  if (quick) {
    std::printf("Quick run: 10,000 QSOs, few repetitions, one round.\n\n");
  } else {
    std::printf(
        "Each figure: the median of %d rounds, each the median of its repeated batches.\n\n",
        roundsFor(quick));
  }
}

// What the two builds must agree on; a difference means a store answers wrongly, and then its
// figures mean nothing.
std::vector<std::string> disagreements(const Measured& measured) {
  std::vector<std::string> problems;
  const std::string where =
      std::to_string(measured.qsos) +
      (measured.side == Side::belgian ? " QSOs, Belgian" : " QSOs, non-Belgian");
  if (measured.indexed.claimedScore != measured.linear.claimedScore) {
    problems.push_back(where + ": claimed score " + std::to_string(measured.indexed.claimedScore) +
                       " (indexed) against " + std::to_string(measured.linear.claimedScore) +
                       " (linear)");
  }
  for (const auto* figures : {&measured.indexed, &measured.linear}) {
    const char* name = figures == &measured.indexed ? "indexed" : "linear";
    if (figures->wrongAnswers != 0) {
      problems.push_back(where + ": " + std::to_string(figures->wrongAnswers) +
                         " unexpected CheckCall0 answers from the " + name + " store");
    }
    if (figures->refusedCalls != 0) {
      problems.push_back(where + ": " + std::to_string(figures->refusedCalls) +
                         " QSOs refused by the " + name + " store");
    }
  }
  return problems;
}

Options parseOptions(int argc, char** argv) {
  Options options;
  for (int index = 1; index < argc; ++index) {
    if (std::strcmp(argv[index], "--quick") == 0) {
      options.quick = true;
    } else {
      throw std::runtime_error(std::string("unknown option ") + argv[index] +
                               " (known: --quick, a short run without targets)");
    }
  }
  return options;
}

int run(const Options& options) {
  printHeading(options.quick);
  const std::vector<Measured> results = measureAll(options.quick);
  const double changedWrite = changedClaimedWriteNs(options.quick ? 5 : 21);

  const Verdict verdict = printTable(results);
  std::printf(
      "\nTimes: CPU time of the benchmark's thread. GetResult0 stores the same score at every "
      "call\n"
      "here, so its write only reads the file; a changed score (the first report after a new QSO)\n"
      "rewrites the file and flushes it to disk: %.0f µs wall time on this machine.\n\n",
      changedWrite * 1e-3);

  std::vector<std::string> problems;
  for (const Measured& measured : results) {
    for (std::string& problem : disagreements(measured)) problems.push_back(std::move(problem));
  }
  for (const std::string& problem : problems) std::printf("PROBLEM: %s\n", problem.c_str());
  if (options.quick) {
    std::printf("Quick run: the figures only show that the benchmark works; no target is held.\n");
    return problems.empty() ? 0 : 1;
  }
  for (const std::string& missed : verdict.missed) std::printf("MISSED: %s\n", missed.c_str());
  if (verdict.missed.empty()) {
    std::printf("All %d targets of the indexed store are met.\n", verdict.targets);
  } else {
    std::printf("%zu of %d targets of the indexed store are missed.\n", verdict.missed.size(),
                verdict.targets);
  }
  return problems.empty() && verdict.missed.empty() ? 0 : 1;
}

}  // namespace
}  // namespace stats_bench

int main(int argc, char** argv) {
  try {
    return stats_bench::run(stats_bench::parseOptions(argc, argv));
  } catch (const std::exception& error) {
    std::fprintf(stderr, "stats_benchmark: %s\n", error.what());
    return 2;
  }
}
