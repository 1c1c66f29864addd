#include "platform/win32/output_message.h"

#include <windows.h>

namespace stats {

void showOutputMessageBox(const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), "Output", MB_OK | MB_ICONINFORMATION);
}

}  // namespace stats
