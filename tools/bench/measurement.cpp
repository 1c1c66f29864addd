#include "tools/bench/measurement.h"

#include <memory>
#include <span>
#include <vector>

#include "core/settings/profile.h"
#include "core/settings/settings.h"
#include "tests/support/scratch_folder.h"
#include "tools/bench/measured_plugin.h"
#include "tools/bench/process_clock.h"

namespace stats_bench {
namespace {

// Everything the measurements need, built before the resident set is first read so that only the
// plug-in's own memory shows in its growth.
struct Workbench {
  Workbench(const std::string& libraryPath, Side side, int qsoCount, const Repetitions& reps)
      : side(side),
        library(libraryPath),
        log(makeLog(qsoCount)),
        queries(makeCallQueries(log, side, reps.checksPerBatch)),
        profile(stats::makePlatformProfileStore(std::string(stats::kIniPath))),
        settings(*profile) {}

  Side side;
  stats_test::ScratchFolder scratch;  // the current directory, with "Plugins" for the settings
  MeasuredPlugin library;
  std::vector<LoggedQso> log;
  std::vector<CallQuery> queries;
  std::unique_ptr<stats::ProfileStore> profile;
  stats::Settings settings;
  Figures figures;
};

double replayNs(Workbench& bench) {
  return cpuNanoseconds([&bench] {
    bench.library.startContest(bench.side);
    for (const LoggedQso& qso : bench.log) {
      if (bench.library.add(qso) != 1) ++bench.figures.refusedCalls;
    }
  });
}

// The growth over the first replay is the memory the plug-in holds for the log; later replays
// reuse what the first one left, so only their time counts.
void measureReplay(Workbench& bench, int replays) {
  std::vector<double> perQso;
  perQso.reserve(static_cast<std::size_t>(replays));
  const double qsos = static_cast<double>(bench.log.size());
  const std::size_t before = residentBytes();
  perQso.push_back(replayNs(bench) / qsos);
  bench.figures.bytesPerQso = (static_cast<double>(residentBytes()) - before) / qsos;
  while (static_cast<int>(perQso.size()) < replays) perQso.push_back(replayNs(bench) / qsos);
  bench.figures.replayNsPerQso = median(std::move(perQso));
}

void measureChecks(Workbench& bench, int batches) {
  for (const CallQuery& query : bench.queries) {
    if (bench.library.check(query) != static_cast<int>(query.expected)) {
      ++bench.figures.wrongAnswers;
    }
  }
  std::vector<double> perCall;
  for (int batch = 0; batch < batches; ++batch) {
    const double elapsed = cpuNanoseconds([&bench] {
      for (const CallQuery& query : bench.queries) bench.library.check(query);
    });
    perCall.push_back(elapsed / static_cast<double>(bench.queries.size()));
  }
  bench.figures.checkNs = median(std::move(perCall));
}

// GetResult0 writes "Claimed" to the settings file at every call. The same write, made right after
// through the plug-in's own settings code on the same file with the same value, costs what the
// export's write costs; the median of the paired differences is the export without it.
void measureResults(Workbench& bench, int pairs, double clockOverhead) {
  bench.library.result();  // the first report fills the per-band lists the later ones keep
  const std::string claimed = bench.settings.readText(stats::keys::kClaimed);
  bench.figures.claimedScore = stats::parseLeadingInt(claimed);
  std::vector<double> totals, writes, differences;
  for (int pair = 0; pair < pairs; ++pair) {
    const double total = cpuNanoseconds([&bench] { bench.library.result(); }) - clockOverhead;
    const double write =
        cpuNanoseconds([&] { bench.settings.writeText(stats::keys::kClaimed, claimed); }) -
        clockOverhead;
    totals.push_back(total);
    writes.push_back(write);
    differences.push_back(total - write);
  }
  bench.figures.resultNs = median(std::move(totals));
  bench.figures.claimedWriteNs = median(std::move(writes));
  bench.figures.resultOnlyNs = median(std::move(differences));
}

// Each batch removes QSOs of its own from the middle of the log, then adds them back (untimed) so
// that the log keeps its size; they go back at its end, where no later batch looks.
void measureRemovals(Workbench& bench, int batches, int perBatch) {
  const std::size_t middle = bench.log.size() / 2;
  std::vector<double> perRemoval;
  for (int batch = 0; batch < batches; ++batch) {
    const std::span<const LoggedQso> chosen(
        bench.log.data() + middle + static_cast<std::size_t>(batch * perBatch),
        static_cast<std::size_t>(perBatch));
    const double elapsed = cpuNanoseconds([&] {
      for (const LoggedQso& qso : chosen) {
        if (bench.library.remove(qso) != 1) ++bench.figures.refusedCalls;
      }
    });
    perRemoval.push_back(elapsed / perBatch);
    for (const LoggedQso& qso : chosen) bench.library.add(qso);
  }
  bench.figures.removeNs = median(std::move(perRemoval));
}

}  // namespace

Figures measure(const std::string& libraryPath, Side side, int qsoCount, const Repetitions& reps) {
  const double clockOverhead = cpuClockOverheadNanoseconds();
  Workbench bench(libraryPath, side, qsoCount, reps);
  // The first contest start creates the settings file and its keys: not part of any replay.
  bench.library.startContest(side);
  measureReplay(bench, reps.replays);
  measureChecks(bench, reps.checkBatches);
  measureResults(bench, reps.resultPairs, clockOverhead);
  measureRemovals(bench, reps.removalBatches, reps.removalsPerBatch);
  return bench.figures;
}

double changedClaimedWriteNs(int writes) {
  const stats_test::ScratchFolder scratch;
  const auto profile = stats::makePlatformProfileStore(std::string(stats::kIniPath));
  const stats::Settings settings(*profile);
  settings.writeText(stats::keys::kClaimed, "100000");
  std::vector<double> samples;
  for (int write = 1; write <= writes; ++write) {
    const char* value = write % 2 == 1 ? "100001" : "100000";
    const double start = wallNanoseconds();
    settings.writeText(stats::keys::kClaimed, value);
    samples.push_back(wallNanoseconds() - start);
  }
  return median(std::move(samples));
}

Figures medianOf(const std::vector<Figures>& rounds) {
  auto medianOfField = [&rounds](double Figures::*field) {
    std::vector<double> values;
    for (const Figures& figures : rounds) values.push_back(figures.*field);
    return median(std::move(values));
  };
  Figures combined = rounds.at(0);
  for (double Figures::*field :
       {&Figures::replayNsPerQso, &Figures::bytesPerQso, &Figures::checkNs, &Figures::resultNs,
        &Figures::claimedWriteNs, &Figures::resultOnlyNs, &Figures::removeNs}) {
    combined.*field = medianOfField(field);
  }
  for (std::size_t round = 1; round < rounds.size(); ++round) {
    combined.wrongAnswers += rounds[round].wrongAnswers;
    combined.refusedCalls += rounds[round].refusedCalls;
  }
  return combined;
}

}  // namespace stats_bench
