// Whether the process is exiting: set by the Windows DLL entry point when the library is detached
// because the process ends (not because it is unloaded). The OS has then already ended every other
// thread, so shut-down code must not wait for one of them.
#pragma once

namespace stats {

bool processExiting();

}  // namespace stats
