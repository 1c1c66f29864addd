// The DLL entry point of Stats.dll. mingw's start-up code builds the static objects (the
// application object among them) before this runs on attach, and destroys them after it runs on
// detach, so the flag below is already set when the application object shuts down.
#include <windows.h>

#include <atomic>

#include "platform/win32/process_state.h"

namespace {
std::atomic<bool> exiting{false};
}  // namespace

namespace stats {

bool processExiting() {
  return exiting.load(std::memory_order_acquire);
}

}  // namespace stats

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // A non-null `reserved` on detach means process termination rather than FreeLibrary.
  if (reason == DLL_PROCESS_DETACH && reserved != nullptr) {
    exiting.store(true, std::memory_order_release);
  }
  return TRUE;
}
