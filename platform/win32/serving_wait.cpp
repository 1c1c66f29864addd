#include "platform/win32/serving_wait.h"

#include <objbase.h>

#include "platform/win32/unique_handle.h"

namespace stats {
namespace {

bool inSingleThreadedApartment() {
  APTTYPE type{};
  APTTYPEQUALIFIER qualifier{};
  return SUCCEEDED(CoGetApartmentType(&type, &qualifier)) &&
         (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
}

// COM's modal wait: it dispatches the calls into the apartment and the messages sent to this
// thread, and posts a WM_QUIT it meets again for the host's loop. It needs a handle: one that is
// never signalled, so it waits the whole time. False when it could not wait.
bool apartmentWait(DWORD milliseconds) {
  const UniqueHandle<HANDLE, &CloseHandle> never(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!never) return false;
  HANDLE handle = never.get();
  DWORD index = 0;
  const HRESULT result = CoWaitForMultipleHandles(0, milliseconds, 1, &handle, &index);
  return result == RPC_S_CALLPENDING || SUCCEEDED(result);
}

}  // namespace

void servingWait(DWORD milliseconds) {
  if (inSingleThreadedApartment() && apartmentWait(milliseconds)) return;
  // Outside a single-threaded apartment no call is delivered through this thread: only sent
  // messages are served, which PeekMessage does before it looks at the queue, leaving the posted
  // messages where they are.
  const ULONGLONG end = GetTickCount64() + milliseconds;
  for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(end - now), QS_SENDMESSAGE, 0);
  }
}

}  // namespace stats
