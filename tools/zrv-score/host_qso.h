// One QSO as the host hands it to the plug-in's AddData0.
#pragma once

#include <string>

#include "api/stats_api.h"

namespace zrv_score {

// One QSO as AddData0 takes it.
struct HostQso {
  std::string call;
  COleDateTime time{};
  unsigned int frequencyHz = 0;
  std::string mode;
  std::string sentSerial;
  std::string receivedExchange;
  std::string callPrefix;  // argument 22
  std::string dxccPrefix;  // argument 23
  std::string band;
};

}  // namespace zrv_score
