#include "plugin/stats_plugin.h"

#include "cabrillo/cabrillo_writer.h"
#include "plugin/multipliers.h"
#include "report/score_report.h"

namespace stats {

StatsPlugin::StatsPlugin(std::unique_ptr<ProfileStore> profile, std::unique_ptr<UserInterface> ui)
    : profile_(std::move(profile)), ui_(std::move(ui)) {}

int StatsPlugin::resetStats(int exportRequest, std::string_view ownCall,
                            std::string_view ownDxccPrefix) {
  std::unique_lock<std::mutex> lock(mutex_);
  const Settings settings(*profile_);
  ContestState& state = state_;
  state.qsoLog.clear();
  state.bandList.clear();
  state.ownProvince = settings.readText("Province");

  for (size_t row = 0; row < state.panelRows.size(); ++row) {
    state.panelRows[row] = {std::string(kContestBands[row]), "-", "-", "-", "-"};
  }
  // Once Belgian, the station stays Belgian until the plug-in is unloaded.
  if (ownDxccPrefix == kBelgiumPrefix) {
    state.belgianStation = 1;
    settings.writeText("BELGIUM", "1");
  }

  state.cabrilloExport = exportRequest;
  if (exportRequest != 0) {
    state.cwMode = loadCabrilloHeader(state.cabrilloState, settings, ownCall);
    CabrilloState edited = state.cabrilloState;
    lock.unlock();
    const bool confirmed = ui_->runCabrilloDialog(edited);
    lock.lock();
    if (confirmed) {
      copyCabrilloDialogResult(state.cabrilloState, edited);
      saveConfirmedCabrilloHeader(state.cabrilloState, settings);
    } else {
      keepCancelledCabrilloHeader(state.cabrilloState);
    }
    // An export run never starts the live window: the next start finds "Start" set.
    settings.writeText("Start", "1");
  }

  state.multiplierWindowOn = settings.readNumber("Multiplier");
  state.ownMode = settings.readText("Mode");
  if (state.multiplierWindowOn != 0) {
    // "Start" alternates: every other contest start opens the live window.
    state.startFlag = settings.readNumber("Start");
    if (state.startFlag != 0) {
      settings.writeText("Start", "0");
    } else if (!ui_->liveWindowRunning()) {
      lock.unlock();
      ui_->startMultiplierWindow();
      lock.lock();
      settings.writeText("Start", "1");
    }
  }
  return 1;
}

void StatsPlugin::setup() {
  SetupValues values;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    const Settings settings(*profile_);
    state_.multiplierWindowOn = settings.readNumber("Multiplier");
    state_.ownProvince = settings.readText("Province");
    state_.ownMode = settings.readText("Mode");
    values = {state_.multiplierWindowOn, state_.ownProvince, state_.ownMode};
  }
  if (!ui_->runSetupDialog(values)) return;  // closed without OK: the values read stay in force

  std::lock_guard<std::mutex> guard(mutex_);
  const Settings settings(*profile_);
  state_.multiplierWindowOn = values.useMultiplierWindow;
  state_.ownProvince = values.province;
  state_.ownMode = values.mode;
  settings.writeNumber("Multiplier", values.useMultiplierWindow);
  settings.writeText("Province", values.province);
  settings.writeText("Mode", values.mode);
}

int StatsPlugin::addData(const QsoArguments& qso) {
  std::lock_guard<std::mutex> guard(mutex_);
  return addQso(state_, qso);
}

int StatsPlugin::removeData(const QsoArguments& qso) {
  std::lock_guard<std::mutex> guard(mutex_);
  return removeQso(state_, qso);
}

int StatsPlugin::checkCall(const CallCheckArguments& arguments) {
  if (bandsDiffer(arguments.band, arguments.secondBand)) return kBandsDiffer;
  // Every check re-arms the live window's one-shot poll, so it refreshes after typing stops.
  if (ui_->liveWindowRunning()) ui_->armPollTimer(330);
  std::lock_guard<std::mutex> guard(mutex_);
  return stats::checkCall(state_, arguments);
}

const char* StatsPlugin::getResult(int* exportDone) {
  std::string message;
  const char* report = nullptr;
  bool exported = false;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    const Settings settings(*profile_);
    ContestState& state = state_;
    buildScoreReport(state);
    settings.writeNumber("Claimed", state.claimedScore);
    exported = state.cabrilloExport != 0;
    if (exported) {
      for (const CInfo& record : state.qsoLog.records()) {
        AddCabrilloQso(state.cabrilloState, state.cwMode, record.call, record.freqKHz,
                       cabrilloModeCode(record.mode), record.time, record.sentExch,
                       record.rcvdExch);
      }
      message = WriteCabrilloFile(state, settings);
    }
    report = state.reportText.c_str();
  }
  if (exported) {
    ui_->showOutputMessage(message);
    if (exportDone != nullptr) *exportDone = -1;
  }
  return report;
}

void StatsPlugin::shutdown() {
  ui_->stopMultiplierWindow();
}

}  // namespace stats
