#include "core/live/poll.h"

#include <cmath>
#include <optional>
#include <string_view>

#include "core/log/ole_date_time.h"
#include "core/rules/contest_rules.h"

namespace stats {
namespace {

constexpr int32_t kCurrentCallSelector = 5;
// A move of more than this since the last "<SP1>" sends another.
constexpr double kFrequencyStepHz = 300.0;
constexpr std::string_view kNotWorked = "   -";
constexpr std::size_t kPanelRowEntries = 5;

constexpr std::string_view kModeCwToken = "<MODE:CW>";
constexpr std::string_view kModeSsbToken = "<MODE:SSB>";
constexpr std::string_view kFrequencyMovedToken = "<SP1>";

constexpr std::string_view kWorkedWithTitle = "ZRV CONTEST worked with ";
constexpr std::string_view kDxccTitle = "ZRV   DXCC worked on ";
constexpr std::string_view kProvinceTitle = "Province on ";
constexpr std::string_view kEuTitle = "Europe Union worked on ";

// The first poll of a run looks for the host; with the host found it reads the frequency once
// and tells the host the contest mode. The run is connected only once all of that succeeded, or
// no host was found (not looked for again in this run): a connection whose host calls failed is
// made again at the next poll, so the mode token is not lost. False when a host call failed.
bool connectOnce(PollState& poll, HostLink& host, const std::string& ownMode) {
  if (poll.hostConnected) return true;
  poll.hostFound = host.connect();
  if (poll.hostFound && (!host.GetFrequency() ||
                         !host.SendCommand(ownMode == kModeCw ? kModeCwToken : kModeSsbToken))) {
    return false;
  }
  poll.hostConnected = true;
  return true;
}

// Every row shows "   -" under mode, time and exchange, then the last QSO with the call on its
// band, if any.
void fillPanelRows(ContestState& state, const std::string& call) {
  for (TextList& row : state.panelRows) {
    if (row.size() < kPanelRowEntries) row.resize(kPanelRowEntries);
    for (std::size_t entry = 1; entry < kPanelRowEntries; ++entry) row[entry] = kNotWorked;
  }
  if (call.empty()) return;
  for (std::size_t band = 0; band < kContestBandCount; ++band) {
    const std::optional<CInfo> last = state.qsoLog->lastWithCallOnBand(call, kContestBands[band]);
    if (!last) continue;
    TextList& row = state.panelRows[band];
    row[1] = last->mode;
    row[2] = formatDateTime(last->time, "%H:%M");
    row[3] = last->rcvdExch;
  }
}

template <typename Boxes, typename BoxOf>
Boxes tickedBoxes(const TextList& worked, BoxOf boxOf) {
  Boxes ticked{};
  for (const std::string& value : worked) {
    if (const auto box = boxOf(value)) ticked[*box] = true;
  }
  return ticked;
}

}  // namespace

int bandOfFrequency(double frequencyHz) {
  const double megahertz = std::trunc(frequencyHz / 1'000'000.0);
  if (megahertz == 1) return 0;
  if (megahertz == 3) return 1;
  if (megahertz == 7) return 2;
  if (megahertz == 14) return 3;
  if (megahertz == 21) return 4;
  if (megahertz == 28) return 5;
  return -1;
}

void runPoll(PollState& poll, HostLink& host, PollOutputs& outputs, SharedContestState shared) {
  outputs.cancelPollTimer();  // one poll per arming of the timer
  bool belgian = false;
  std::string ownMode;
  {
    const std::lock_guard lock(shared.mutex);
    belgian = shared.state.belgianStation != 0;
    ownMode = shared.state.ownMode;
  }
  if (!belgian) outputs.showCheckBoxWindows();
  if (!connectOnce(poll, host, ownMode)) return;

  std::string call;
  if (poll.hostFound) {
    auto answer = host.GetCurrentCall(kCurrentCallSelector);
    if (!answer) return;
    call = std::move(*answer);
  }
  poll.currentCall = call;
  {
    const std::lock_guard lock(shared.mutex);
    fillPanelRows(shared.state, call);
  }
  if (!call.empty()) outputs.setLiveWindowTitle(std::string(kWorkedWithTitle) + call);

  int band = -1;
  if (poll.hostFound) {
    const auto frequency = host.GetFrequency();
    if (!frequency) return;
    if (std::fabs(*frequency - poll.lastCommandFrequency) > kFrequencyStepHz) {
      if (!host.SendCommand(kFrequencyMovedToken)) return;
      poll.lastCommandFrequency = *frequency;
    }
    band = bandOfFrequency(*frequency);
  }
  poll.currentBand = band;
  const std::string bandText = band < 0 ? std::string() : std::string(kContestBands[band]);

  TextList provinces, euCountries;
  {
    const std::lock_guard lock(shared.mutex);
    belgian = shared.state.belgianStation != 0;
    if (band >= 0) {
      provinces = shared.state.provinceByBand[band];
      euCountries = shared.state.euByBand[band];
    }
  }
  if (call.empty()) {
    outputs.setLiveWindowTitle(belgian ? std::string(kDxccTitle) + bandText
                                       : std::string(kWorkedWithTitle));
  }
  if (!belgian) {
    outputs.setProvinceWindowTitle(std::string(kProvinceTitle) + bandText);
    outputs.setEuWindowTitle(std::string(kEuTitle) + bandText);
    // With no band every box is cleared: the per-band lists exist only for the contest bands.
    outputs.setEuBoxes(tickedBoxes<EuBoxes>(euCountries, euBoxOf));
    outputs.setProvinceBoxes(tickedBoxes<ProvinceBoxes>(provinces, provinceBoxOf));
  }
  outputs.repaintPanel();
}

void endPollRun(PollState& poll) {
  poll.hostConnected = false;
  poll.hostFound = false;
}

}  // namespace stats
