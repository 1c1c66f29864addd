// The plug-in behind the exports: the contest state, its lock, and the platform services, with one
// method per export. The lock guards the state; it is released while a dialog or message runs and
// while the host thread starts or stops the live window.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

#include "core/cabrillo/file_replace.h"
#include "core/contest/call_check.h"
#include "core/contest/contest_state.h"
#include "core/contest/qso_accounting.h"
#include "core/plugin/user_interface.h"
#include "core/settings/profile.h"

namespace stats {

// How long after a call check the live window polls the host, unless another check comes first:
// the window refreshes once the operator stops typing.
inline constexpr unsigned kPollDelayAfterCallCheckMs = 330;

class StatsPlugin {
 public:
  // The Cabrillo file is put in place through `files`. The log goes into `store` when one is
  // given, else into the indexed store.
  StatsPlugin(std::unique_ptr<ProfileStore> profile, std::unique_ptr<UserInterface> ui,
              std::unique_ptr<FileReplace> files, std::unique_ptr<QsoStore> store = nullptr);

  // The contest start: empties the log, reads the settings, decides the Belgian side, runs the
  // Cabrillo header dialog for an export run and starts the live window when wanted.
  int resetStats(int exportRequest, std::string_view ownCall, std::string_view ownDxccPrefix);
  void setup();
  int addData(const QsoArguments& qso);
  int removeData(const QsoArguments& qso);
  int checkCall(const CallCheckArguments& arguments);
  // The score report; in an export run also the Cabrillo file and its message, and -1 stored
  // through `exportDone` when it is not null. The text is this call's own, also when the host
  // called again while the message was up, and stays valid until the next call.
  const char* getResult(int* exportDone);
  // Unload: stops the live window.
  void shutdown();

  // Runs `work` on the state with the lock held (for the window thread and for tests).
  template <typename Work>
  auto withState(Work&& work) {
    std::lock_guard<std::mutex> guard(mutex_);
    return work(state_);
  }

  ProfileStore& profile() { return *profile_; }
  UserInterface& ui() { return *ui_; }

 private:
  std::mutex mutex_;
  ContestState state_;
  std::unique_ptr<ProfileStore> profile_;
  std::unique_ptr<UserInterface> ui_;
  std::unique_ptr<FileReplace> files_;
  // The text the last export's report call returned (a call in progress keeps its own copy).
  std::string exportReport_;
};

}  // namespace stats
