#include "tests/wine/dialog_driver.h"

#include <chrono>
#include <exception>

namespace stats_test {
namespace {

using Clock = std::chrono::steady_clock;

constexpr auto kShowTimeout = std::chrono::seconds(15);
constexpr auto kCloseTimeout = std::chrono::seconds(5);
constexpr auto kPollInterval = std::chrono::milliseconds(20);

struct Search {
  const std::string* title;
  HWND found;
};

BOOL CALLBACK matchDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<Search*>(parameter);
  char className[16] = {};
  GetClassNameA(window, className, sizeof className);
  char title[256] = {};
  GetWindowTextA(window, title, sizeof title);
  if (std::string(className) == "#32770" && (search->title == nullptr || *search->title == title)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// A dialog of `thread` with exactly `title`, or with any title when `title` is null.
HWND findDialog(DWORD thread, const std::string* title) {
  Search search{title, nullptr};
  EnumThreadWindows(thread, matchDialog, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void cancel(HWND dialog) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
}

}  // namespace

DialogDriver::DialogDriver(std::string title, std::function<void(HWND)> operate)
    : title_(std::move(title)), operate_(std::move(operate)), ownerThread_(GetCurrentThreadId()) {
  thread_ = std::thread([this] { watch(); });
}

DialogDriver::~DialogDriver() {
  finish();
}

void DialogDriver::finish() {
  callReturned_ = true;
  if (thread_.joinable()) thread_.join();
}

void DialogDriver::watch() {
  const auto showDeadline = Clock::now() + kShowTimeout;
  HWND dialog = nullptr;
  while (!dialog) {
    // The dialog is shown once it has made and filled its controls.
    dialog = findDialog(ownerThread_, &title_);
    if (dialog && IsWindowVisible(dialog)) break;
    dialog = nullptr;
    if (callReturned_) {
      failure_ = "the call returned without showing the dialog \"" + title_ + "\"";
      return;
    }
    if (Clock::now() > showDeadline) {
      failure_ = "no dialog \"" + title_ + "\" within 15 s";
      // Whatever dialog the call shows instead (or later) is cancelled, so the call returns.
      while (!callReturned_) {
        if (HWND other = findDialog(ownerThread_, nullptr)) cancel(other);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
      }
      return;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
  found_ = true;

  try {
    operate_(dialog);
  } catch (const std::exception& error) {
    failure_ = std::string("operating the dialog failed: ") + error.what();
    cancel(dialog);
  } catch (...) {
    failure_ = "operating the dialog failed";
    cancel(dialog);
  }
  const auto closeDeadline = Clock::now() + kCloseTimeout;
  while (IsWindow(dialog) && !callReturned_) {
    if (Clock::now() > closeDeadline) {
      if (failure_.empty()) failure_ = "the dialog \"" + title_ + "\" did not close";
      cancel(dialog);
      break;
    }
    std::this_thread::sleep_for(kPollInterval);
  }
}

std::string controlText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const LRESULT length = SendMessageA(control, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
  const LRESULT copied =
      SendMessageA(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::wstring controlTextWide(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  const LRESULT length = SendMessageW(control, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
  const LRESULT copied =
      SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

std::vector<std::string> comboListOf(HWND dialog, int id) {
  std::vector<std::string> entries;
  const LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
  for (LRESULT index = 0; index < count; ++index) {
    const LRESULT length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, index, 0);
    std::string entry(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
    SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(entry.find('\0'));
    entries.push_back(entry);
  }
  return entries;
}

int comboSelectionOf(HWND dialog, int id) {
  return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

HWND childWithText(HWND dialog, const std::string& text) {
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    char buffer[256] = {};
    GetWindowTextA(child, buffer, sizeof buffer);
    if (text == buffer) return child;
  }
  return nullptr;
}

void typeText(HWND dialog, int id, const std::string& text) {
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void pressEscape(HWND dialog) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  HWND target = dialog;
  if (GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus) {
    target = info.hwndFocus;
  }
  PostMessageA(target, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageA(target, WM_KEYUP, VK_ESCAPE, 0xC0010001);
}

void pressButton(HWND dialog, int id) {
  SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0);
}

}  // namespace stats_test
