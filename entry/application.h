// The application object: built when the library is loaded, shut down when it is unloaded.
#pragma once

#include <memory>

#include "core/plugin/stats_plugin.h"

namespace stats {

class CTestApp {
 public:
  CTestApp();
  ~CTestApp();
  CTestApp(const CTestApp&) = delete;
  CTestApp& operator=(const CTestApp&) = delete;

  // Start-up builds the plug-in with the platform's settings file and user interface.
  bool initInstance();
  // Shut-down stops the live window before the state goes away.
  int exitInstance();

  StatsPlugin& plugin() { return *plugin_; }

 private:
  std::unique_ptr<StatsPlugin> plugin_;
};

// The log store the application's plug-in keeps: the indexed store in the shipped library
// (entry/application_store.cpp); the benchmark's reference build links the scanning one instead.
std::unique_ptr<QsoStore> makeApplicationQsoStore();

// The one application object of the process.
CTestApp& theApp();

}  // namespace stats
