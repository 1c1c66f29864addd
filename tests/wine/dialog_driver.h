// Operating the plug-in's modal dialogs from a test: while the test's thread sits in an export
// that shows a dialog, a helper thread finds the dialog by its title, reads and changes its
// controls and closes it. A dialog that never shows up fails the test instead of hanging it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace stats_test {

class DialogDriver {
 public:
  // Starts watching for a top-level dialog (class "#32770") of the calling thread with exactly
  // `title`; once it is shown, `operate` runs on the helper thread and must close it.
  DialogDriver(std::string title, std::function<void(HWND)> operate);
  ~DialogDriver();
  DialogDriver(const DialogDriver&) = delete;
  DialogDriver& operator=(const DialogDriver&) = delete;

  // Call when the export has returned: stops the watch and waits for the helper thread.
  void finish();

  bool found() const { return found_; }
  // Empty when the dialog showed up, `operate` finished and the dialog closed; else what failed.
  const std::string& failure() const { return failure_; }

 private:
  void watch();

  std::string title_;
  std::function<void(HWND)> operate_;
  DWORD ownerThread_;
  std::atomic<bool> callReturned_{false};
  bool found_ = false;
  std::string failure_;
  std::thread thread_;
};

// Reading controls of a dialog of another thread.
std::string controlText(HWND dialog, int id);
std::wstring controlTextWide(HWND dialog, int id);
std::vector<std::string> comboListOf(HWND dialog, int id);
int comboSelectionOf(HWND dialog, int id);  // CB_ERR when nothing is selected
// The first child window whose text is exactly `text` (for labels, which have no id of their own).
HWND childWithText(HWND dialog, const std::string& text);

// Input as the operator would give it.
void typeText(HWND dialog, int id, const std::string& text);  // WM_SETTEXT
void pressEscape(HWND dialog);          // a key press of Escape on the focused control
void pressButton(HWND dialog, int id);  // BM_CLICK

}  // namespace stats_test
