#include "entry/application.h"

#include <string>

#include "core/diagnostics/diagnostics.h"
#include "core/settings/settings_keys.h"

namespace stats {

CTestApp::CTestApp() {
  initInstance();
}

CTestApp::~CTestApp() {
  exitInstance();
}

bool CTestApp::initInstance() {
  setTraceWriter(platformTraceWriter());
  plugin_ = std::make_unique<StatsPlugin>(makePlatformProfileStore(std::string(kIniPath)),
                                          makePlatformUserInterface(), makePlatformFileReplace(),
                                          makeApplicationQsoStore());
  return true;
}

int CTestApp::exitInstance() {
  if (plugin_) plugin_->shutdown();
  return 0;
}

}  // namespace stats

namespace stats {
namespace {
CTestApp applicationObject;  // built when the library is loaded, shut down when it is unloaded
}  // namespace

CTestApp& theApp() {
  return applicationObject;
}

}  // namespace stats
