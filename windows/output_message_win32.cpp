#include "windows/output_message_win32.h"

#include <windows.h>

namespace stats {

void showOutputMessageBox(const std::string& text) {
  MessageBoxA(GetActiveWindow(), text.c_str(), "Output", MB_OK | MB_ICONINFORMATION);
}

}  // namespace stats
