#include "core/plugin/stats_plugin.h"

#include "core/cabrillo/cabrillo_header_settings.h"
#include "core/cabrillo/cabrillo_writer.h"
#include "core/report/score_report.h"
#include "core/rules/contest_rules.h"
#include "core/settings/settings.h"

namespace stats {

StatsPlugin::StatsPlugin(std::unique_ptr<ProfileStore> profile, std::unique_ptr<UserInterface> ui,
                         std::unique_ptr<FileReplace> files, std::unique_ptr<QsoStore> store)
    : profile_(std::move(profile)), ui_(std::move(ui)), files_(std::move(files)) {
  if (store) state_.qsoLog = std::move(store);
}

int StatsPlugin::resetStats(int exportRequest, std::string_view ownCall,
                            std::string_view ownDxccPrefix) {
  std::unique_lock<std::mutex> lock(mutex_);
  const Settings settings(*profile_);
  ContestState& state = state_;
  state.qsoLog->clear();
  state.bandList.clear();
  state.ownProvince = settings.readText(keys::kProvince);

  for (size_t row = 0; row < state.panelRows.size(); ++row) {
    state.panelRows[row] = {std::string(kContestBands[row]), "-", "-", "-", "-"};
  }
  // Once Belgian, the station stays Belgian until the plug-in is unloaded.
  if (isBelgianPrefix(ownDxccPrefix)) {
    state.belgianStation = 1;
    settings.writeText(keys::kBelgium, "1");
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
    settings.writeText(keys::kStart, "1");
  }

  state.multiplierWindowOn = settings.readNumber(keys::kMultiplier);
  state.ownMode = settings.readText(keys::kMode);
  if (state.multiplierWindowOn != 0) {
    // "Start" alternates: every other contest start opens the live window.
    state.startFlag = settings.readNumber(keys::kStart);
    if (state.startFlag != 0) {
      settings.writeText(keys::kStart, "0");
    } else if (!ui_->liveWindowRunning()) {
      lock.unlock();
      ui_->startMultiplierWindow({mutex_, state_, *profile_});
      lock.lock();
      settings.writeText(keys::kStart, "1");
    }
  }
  return 1;
}

void StatsPlugin::setup() {
  SetupValues values;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    const Settings settings(*profile_);
    state_.multiplierWindowOn = settings.readNumber(keys::kMultiplier);
    state_.ownProvince = settings.readText(keys::kProvince);
    state_.ownMode = settings.readText(keys::kMode);
    values = {state_.multiplierWindowOn, state_.ownProvince, state_.ownMode};
  }
  if (!ui_->runSetupDialog(values)) return;  // closed without OK: the values read stay in force

  std::lock_guard<std::mutex> guard(mutex_);
  const Settings settings(*profile_);
  state_.multiplierWindowOn = values.useMultiplierWindow;
  state_.ownProvince = values.province;
  state_.ownMode = values.mode;
  settings.writeNumber(keys::kMultiplier, values.useMultiplierWindow);
  settings.writeText(keys::kProvince, values.province);
  settings.writeText(keys::kMode, values.mode);
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
  if (ui_->liveWindowRunning()) ui_->armPollTimer(kPollDelayAfterCallCheckMs);
  std::lock_guard<std::mutex> guard(mutex_);
  return stats::checkCall(state_, arguments);
}

const char* StatsPlugin::getResult(int* exportDone) {
  std::string message;
  std::string report;
  {
    std::lock_guard<std::mutex> guard(mutex_);
    const Settings settings(*profile_);
    ContestState& state = state_;
    buildScoreReport(state);
    settings.writeNumber(keys::kClaimed, state.claimedScore);
    // Only a report call rebuilds the text, so it stays as this call left it until the next one.
    if (state.cabrilloExport == 0) return state.reportText.c_str();

    state.qsoLog->forEachRecord([&state](const CInfo& record) {
      AddCabrilloQso(state.cabrilloState, state.cwMode, record.call, record.freqKHz,
                     cabrilloModeCode(record.mode), record.time, record.sentExch, record.rcvdExch);
    });
    // The Belgian side is taken from the settings file again for the file's category line.
    state.belgianStation = settings.readNumber(keys::kBelgium);
    message = WriteCabrilloFile(state.cabrilloState, state.cwMode, state.belgianStation,
                                state.claimedScore, *files_);
    // The message runs a message loop, and with it the host's timers, which may call here again
    // and rebuild the text: this call keeps a copy of its own.
    report = state.reportText;
  }
  ui_->showOutputMessage(message);
  if (exportDone != nullptr) *exportDone = -1;
  // Stored only now, so a call made while the message was up leaves this call's text alone.
  std::lock_guard<std::mutex> guard(mutex_);
  exportReport_ = std::move(report);
  return exportReport_.c_str();
}

void StatsPlugin::shutdown() {
  ui_->stopMultiplierWindow();
}

}  // namespace stats
