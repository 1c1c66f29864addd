// Failures the logger never hears of reach the Windows debug output, where a debug-output viewer
// collects them: this test host plays that viewer.
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/wine/wine_host.h"

namespace stats_test {
namespace {

// The system-wide debug-output protocol as viewers speak it: the viewer owns a shared buffer and
// two events; OutputDebugStringA waits until the buffer is free, writes the process id and the
// text into it and signals that data is ready.
class DebugOutputViewer {
 public:
  DebugOutputViewer()
      : bufferReady_(CreateEventA(nullptr, FALSE, FALSE, "DBWIN_BUFFER_READY")),
        dataReady_(CreateEventA(nullptr, FALSE, FALSE, "DBWIN_DATA_READY")),
        buffer_(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kBufferSize,
                                   "DBWIN_BUFFER")),
        view_(buffer_.get() ? MapViewOfFile(buffer_.get(), FILE_MAP_READ, 0, 0, kBufferSize)
                            : nullptr) {
    if (bufferReady_.get() && dataReady_.get() && view_) reader_ = std::thread([this] { read(); });
  }
  ~DebugOutputViewer() {
    stop_ = true;
    if (dataReady_.get()) SetEvent(dataReady_.get());
    if (reader_.joinable()) reader_.join();
    if (view_) UnmapViewOfFile(view_);
  }
  DebugOutputViewer(const DebugOutputViewer&) = delete;
  DebugOutputViewer& operator=(const DebugOutputViewer&) = delete;

  bool listening() const { return reader_.joinable(); }
  // What the plug-in wrote; other programs of the session may write there too.
  std::vector<std::string> pluginLines() const {
    const std::lock_guard lock(mutex_);
    std::vector<std::string> lines;
    for (const std::string& line : lines_) {
      if (line.starts_with("Stats: ")) lines.push_back(line);
    }
    return lines;
  }

 private:
  static constexpr DWORD kBufferSize = 4096;

  void read() {
    while (!stop_) {
      SetEvent(bufferReady_.get());
      if (WaitForSingleObject(dataReady_.get(), INFINITE) != WAIT_OBJECT_0 || stop_) return;
      const char* text = static_cast<const char*>(view_) + sizeof(DWORD);
      const std::lock_guard lock(mutex_);
      lines_.emplace_back(text, strnlen(text, kBufferSize - sizeof(DWORD)));
    }
  }

  OwnedHandle bufferReady_;
  OwnedHandle dataReady_;
  OwnedHandle buffer_;
  void* view_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<std::string> lines_;
  std::thread reader_;
};

// Without a Plugins folder no setting can be written: the logger goes on undisturbed, and each
// lost setting leaves one line in the debug output.
TEST(Trace, SettingsThatCannotBeWrittenReachTheDebugOutput) {
  ScratchFolder scratch({.pluginsFolder = false});
  StatsLibrary dll;
  const DebugOutputViewer viewer;
  ASSERT_TRUE(viewer.listening());

  EXPECT_EQ(dll.reset("ON4ZZ", "ON"), 1);
  int flag = 7;
  EXPECT_NE(dll.api().GetResult0(&flag), nullptr);
  EXPECT_EQ(flag, 7);

  const std::vector<std::string> expected = {
      "Stats: could not write BELGIUM to Plugins\\ZRV.ini\n",
      "Stats: could not write Claimed to Plugins\\ZRV.ini\n"};
  // The viewer's thread may take the last line a moment after the call returns (10 s at most).
  for (int wait = 0; wait < 500 && viewer.pluginLines().size() < expected.size(); ++wait) Sleep(20);
  EXPECT_EQ(viewer.pluginLines(), expected);
}

}  // namespace
}  // namespace stats_test
