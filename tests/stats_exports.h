// The plug-in's ten entry points as a test host holds them after looking them up by name, on
// Linux (dlsym) and on Windows (GetProcAddress) alike.
#pragma once

#include "plugin/stats_api.h"

namespace stats_test {

// The exports, typed by the prototypes the host compiles against.
struct Exports {
  decltype(&::GetNumberOfSets) GetNumberOfSets = nullptr;
  decltype(&::GetSetName) GetSetName = nullptr;
  decltype(&::IsValidExchg0) IsValidExchg0 = nullptr;
  decltype(&::GetExchgCount0) GetExchgCount0 = nullptr;
  decltype(&::SetupSet0) SetupSet0 = nullptr;
  decltype(&::ResetStats0) ResetStats0 = nullptr;
  decltype(&::AddData0) AddData0 = nullptr;
  decltype(&::RemoveData0) RemoveData0 = nullptr;
  decltype(&::CheckCall0) CheckCall0 = nullptr;
  decltype(&::GetResult0) GetResult0 = nullptr;
};

// Looks every entry point up: `lookUp(name, slot)` stores the address of `name` in `slot`, typed.
template <typename LookUp>
void resolveExports(Exports& exports, LookUp&& lookUp) {
  lookUp("GetNumberOfSets", exports.GetNumberOfSets);
  lookUp("GetSetName", exports.GetSetName);
  lookUp("IsValidExchg0", exports.IsValidExchg0);
  lookUp("GetExchgCount0", exports.GetExchgCount0);
  lookUp("SetupSet0", exports.SetupSet0);
  lookUp("ResetStats0", exports.ResetStats0);
  lookUp("AddData0", exports.AddData0);
  lookUp("RemoveData0", exports.RemoveData0);
  lookUp("CheckCall0", exports.CheckCall0);
  lookUp("GetResult0", exports.GetResult0);
}

}  // namespace stats_test
