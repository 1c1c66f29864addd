// The live window's poll: shortly after every call check it asks the host for the call being
// entered and the radio frequency, fills the worked-before rows of the panel, titles the three
// windows and ticks the worked provinces and European-Union countries of the current band.
//
// The poll runs on the window thread. It copies what it needs from the contest state under the
// plug-in's lock and calls the host without holding it: a host call is served on the host's own
// thread, which may be waiting for that lock in an export.
#pragma once

#include <mutex>
#include <string>

#include "core/contest/contest_state.h"
#include "core/live/check_boxes.h"
#include "core/live/host_link.h"

namespace stats {

// What the poll keeps between polls (window thread only).
struct PollState {
  bool hostConnected = false;  // this run of the window thread has looked for the host and, when
                               // found, read the frequency and sent the mode token
  bool hostFound = false;      // ... and found its automation object
  double lastCommandFrequency = 0.0;  // where "<SP1>" was last sent; kept for the whole load
  std::string currentCall;  // the call being entered at the latest poll; the panel shows it
  int currentBand = -1;     // 0 to 5 (160m to 10m) at the latest poll, -1 for none
};

// The windows the poll writes to.
class PollOutputs {
 public:
  virtual ~PollOutputs() = default;
  virtual void cancelPollTimer() = 0;
  // Creates and shows the province window, then the European-Union window, unless they exist.
  virtual void showCheckBoxWindows() = 0;
  virtual void setLiveWindowTitle(const std::string& title) = 0;
  virtual void setProvinceWindowTitle(const std::string& title) = 0;
  virtual void setEuWindowTitle(const std::string& title) = 0;
  virtual void setEuBoxes(const EuBoxes& ticked) = 0;
  virtual void setProvinceBoxes(const ProvinceBoxes& ticked) = 0;
  // The panel repaints itself from the poll state and the contest state, without erasing first.
  virtual void repaintPanel() = 0;
};

// The contest state as the window thread reaches it: under the plug-in's lock.
struct SharedContestState {
  std::mutex& mutex;
  ContestState& state;
};

// The contest band of a radio frequency in Hz (whole megahertz 1, 3, 7, 14, 21, 28), or -1.
int bandOfFrequency(double frequencyHz);

// One poll. A host call that fails ends it where it stands; what was set so far stays. Without a
// host object (the host is not running or not registered) the poll reads an empty call and no
// frequency.
void runPoll(PollState& poll, HostLink& host, PollOutputs& outputs, SharedContestState shared);

// The end of a run of the window thread: the next run looks for the host afresh.
void endPollRun(PollState& poll);

}  // namespace stats
