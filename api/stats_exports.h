// The plug-in's entry points as a host holds them after looking them up by name, on Linux (dlsym)
// and on Windows (GetProcAddress) alike: the command-line host and the test hosts use it. The names
// come from the one list of entry points (api/exports.list, through the generated
// STATS_EXPORT_LIST), the types from stats_api.h.
#pragma once

#include "api/stats_api.h"
#include "stats_export_list.h"

namespace stats_host {

// The exports, typed by the prototypes the host compiles against.
struct Exports {
#define STATS_EXPORT_SLOT(name, function, decorated) decltype(&::name) name = nullptr;
  STATS_EXPORT_LIST(STATS_EXPORT_SLOT)
#undef STATS_EXPORT_SLOT
};

// Each entry point's plain name and the decorated name a C++ host links against.
struct ExportName {
  const char* plain;
  const char* decorated;
};
#define STATS_EXPORT_NAME(name, function, decorated) ExportName{#name, decorated},
inline constexpr ExportName kExportNames[] = {STATS_EXPORT_LIST(STATS_EXPORT_NAME)};
#undef STATS_EXPORT_NAME

// Looks every entry point up: `lookUp(name, slot)` stores the address of `name` in `slot`, typed.
template <typename LookUp>
void resolveExports(Exports& exports, LookUp&& lookUp) {
#define STATS_EXPORT_LOOKUP(name, function, decorated) lookUp(#name, exports.name);
  STATS_EXPORT_LIST(STATS_EXPORT_LOOKUP)
#undef STATS_EXPORT_LOOKUP
}

}  // namespace stats_host
