// The soak: a 24-hour contest compressed. 50,000 QSOs are logged as an operator logs them, two
// call checks while each call is typed, a QSO deleted now and then, a score report every 500
// QSOs, and every 5,000 QSOs an export (a contest start with export, the log sent again, the
// report that writes the Cabrillo file) followed by the host's reload of the log. The operator
// pauses every 2,500 QSOs, which lets the live window's poll come. The whole contest runs twice in
// one process; the second run must give the same answers and must not need more memory, threads or
// handles than the first.
//
// The script is the same natively (the core with a live-window thread polling a fake host) and
// under Wine (the DLL's exports with its real windows polling a test automation object); each
// reaches the plug-in through its own PluginDoor.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/soak/process_counts.h"

namespace stats_soak {

struct SoakQso {
  std::string call, callPrefix, dxccPrefix, mode, band, sentSerial, receivedExchange;
  unsigned frequencyHz = 0;
  double day = 0.0;  // days since 1899-12-30
};

// The QSO logged `index`-th: the same on every platform and in every run.
SoakQso soakQso(int index);

inline constexpr const char* kSoakOwnCall = "DL9ST";  // the Cabrillo file is DL9ST.cbr
inline constexpr const char* kSoakOwnDxcc = "DL";

// The plug-in as the script reaches it. The contest start passes kSoakOwnCall and kSoakOwnDxcc.
class PluginDoor {
 public:
  virtual ~PluginDoor() = default;
  virtual int startContest(bool exportRun) = 0;
  virtual int add(const SoakQso& qso) = 0;
  virtual int remove(const SoakQso& qso) = 0;
  // A call check on the QSO's band with `call` typed so far (a part of the QSO's call, or all).
  virtual int checkCall(const SoakQso& qso, const std::string& call) = 0;
  // The score report; `exportDone` as GetResult0 takes it.
  virtual std::string report(int* exportDone) = 0;
  // Between steps: the Windows door serves the window thread's calls to the host here.
  virtual void betweenSteps() {}
  // The operator stops typing for a moment: every call check re-arms the live window's poll, so
  // it comes only now. Returns once a poll came, or when none comes within a few seconds.
  virtual void pause() = 0;
};

struct SoakPlan {
  int qsos = 50'000;
  int exportEvery = 5'000;
  int reportEvery = 500;
  int removeEvery = 40;
  int pauseEvery = 2'500;
  int contests = 2;
};

struct Checkpoint {
  int contest = 0;  // 1, 2, ...
  int qsos = 0;     // QSOs sent so far in that contest
  int logged = 0;   // of them still in the log
  ProcessCounts counts;
};

struct SoakResult {
  std::vector<Checkpoint> checkpoints;
  std::vector<std::string> problems;  // empty when the soak passed
  long long calls = 0;                // calls made to the plug-in
  double seconds = 0.0;
};

// Runs the plan through `door`, measuring the process with `measure` at every contest start and
// after every export and reload. Checks the answers as it goes and the counts at the end:
// - a QSO is accepted, a call in the log is a repeat on its band and one that is not is none,
//   a logged QSO can be removed;
// - every export writes DL9ST.cbr with one QSO line per QSO in the log, and the reload after it
//   gives the report of before the export;
// - every later contest gives the reports of the first, and stays within its heap, threads,
//   handles and window objects, plus `slack`.
// How far a later contest may go beyond the first contest's highest counts: room for the test's
// own bookkeeping and for what the platform itself starts lazily (Wine opens a handle or a thread
// of its own now and then). A leak of one block per QSO or report, or of a handle or a thread per
// export, is far beyond it.
struct Slack {
  std::size_t heapBytes = 0;
  int threads = 0;
  int handles = 0;
};

SoakResult runSoak(PluginDoor& door, const SoakPlan& plan,
                   const std::function<ProcessCounts()>& measure, const Slack& slack);

// The checkpoints as a table, then the problems.
void printSoak(const SoakResult& result, std::FILE* out);

}  // namespace stats_soak
