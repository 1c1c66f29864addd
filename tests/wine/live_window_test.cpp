// The live windows end to end: a contest start opens them, each poll asks the test's automation
// object (standing in for the logger's) for the call and the frequency and shows what it learnt in
// titles, check boxes and the info panel; call checks re-arm the poll, the operator closes the
// windows, the next run connects afresh, and moved windows remember their places.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "core/rules/contest_rules.h"
#include "resources/resource.h"
#include "tests/support/automation_object.h"
#include "tests/wine/dialog_screenshot.h"
#include "tests/wine/live_window_host.h"

namespace stats_test {
namespace {

// What the host received and what the three windows show.
struct Shown {
  std::vector<std::string> commands;
  size_t polls = 0;  // calls for the current call, one per poll
  std::string liveTitle, provinceTitle, euTitle;
  std::vector<std::string> provinceTicks, euTicks;
  friend bool operator==(const Shown&, const Shown&) = default;
};

void printList(std::ostream& out, const std::vector<std::string>& list) {
  out << "[";
  for (const std::string& entry : list) out << " \"" << entry << "\"";
  out << " ]";
}

void PrintTo(const Shown& shown, std::ostream* out) {
  *out << "commands ";
  printList(*out, shown.commands);
  *out << ", polls " << shown.polls << ", titles \"" << shown.liveTitle << "\" \""
       << shown.provinceTitle << "\" \"" << shown.euTitle << "\", province ticks ";
  printList(*out, shown.provinceTicks);
  *out << ", EU ticks ";
  printList(*out, shown.euTicks);
}

std::vector<std::string> commandsOf(const AutomationObject& host) {
  std::vector<std::string> commands;
  for (const std::wstring& command : host.commands()) {
    commands.emplace_back(command.begin(), command.end());  // the tokens are ASCII
  }
  return commands;
}

std::vector<std::string> sorted(std::vector<std::string> list) {
  std::sort(list.begin(), list.end());
  return list;
}

Shown shownBy(const AutomationObject& host) {
  const LiveWindowHandles windows = findLiveWindows();
  return {commandsOf(host),
          host.selectors().size(),
          windowTitle(windows.live),
          windowTitle(windows.province),
          windowTitle(windows.eu),
          sorted(tickedBoxes(windows.province)),
          sorted(tickedBoxes(windows.eu))};
}

// The screen DC, released with its owner.
class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

std::string rgb(COLORREF colour) {
  char text[16];
  std::snprintf(text, sizeof text, "%d,%d,%d", GetRValue(colour), GetGValue(colour),
                GetBValue(colour));
  return text;
}

std::string colourAt(HWND control, int x, int y) {
  POINT point{x, y};
  ClientToScreen(control, &point);
  const ScreenDc screen;
  return rgb(GetPixel(screen.get(), point.x, point.y));
}

// What a check-box window answers its first box's colouring request with: the brush's colour,
// then the text colour and the text background it set.
std::string boxColours(HWND window) {
  HDC dc = CreateCompatibleDC(nullptr);
  const auto brush =
      reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                            reinterpret_cast<LPARAM>(GetWindow(window, GW_CHILD))));
  LOGBRUSH fill{};
  GetObjectA(brush, sizeof fill, &fill);
  const std::string colours =
      rgb(fill.lbColor) + " " + rgb(GetTextColor(dc)) + " " + rgb(GetBkColor(dc));
  DeleteDC(dc);
  return colours;
}

constexpr char kTableBackground[] = "255,255,198";
constexpr char kCurrentBandRow[] = "198,255,255";
constexpr char kGridBackground[] = "255,250,198";
constexpr int kBandCount = 6;

// The colour of each band's row of the panel's table, left of the texts: the panel's height is
// split into a header line and one line per band.
std::vector<std::string> bandRowColours(HWND liveWindow) {
  HWND panel = GetDlgItem(liveWindow, IDC_MULTIPLIER_PANEL);
  RECT client{};
  GetClientRect(panel, &client);
  const int line = client.bottom / (1 + kBandCount);
  std::vector<std::string> colours;
  for (int band = 0; band < kBandCount; ++band) {
    colours.push_back(colourAt(panel, 5, line * (band + 1) + line / 2));
  }
  return colours;
}

std::vector<std::string> rowsWithHighlightAt(int band) {
  std::vector<std::string> colours(kBandCount, kTableBackground);
  if (band >= 0) colours[static_cast<size_t>(band)] = kCurrentBandRow;
  return colours;
}

BOOL CALLBACK countVisibleWindow(HWND window, LPARAM count) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
    ++*reinterpret_cast<int*>(count);
  }
  return TRUE;
}

constexpr const char* kPositionKeys[] = {"dxcc_x", "dxcc_y", "cont_x",
                                         "cont_y", "stat_x", "stat_y"};

constexpr char kWorkedWith[] = "ZRV CONTEST worked with ";
std::string provinceTitle(const std::string& band) {
  return "Province on " + band;
}
std::string euTitle(const std::string& band) {
  return "Europe Union worked on " + band;
}

// QSOs of a station outside Belgium: two provinces and four European-Union countries (Mount
// Athos ticks "SV/A"), on 20 and 40 metres.
const std::vector<Qso> kForeignSideLog = {{"ON4AA", "20m", "ON", "ON4", "CW", "001", "12AN"},
                                          {"ON5BB", "40m", "ON", "ON5", "CW", "002", "15LG"},
                                          {"DL1AA", "20m", "DL", "DL1", "CW", "003", "007"},
                                          {"F5CC", "20m", "F", "F5", "CW", "004", "008"},
                                          {"SY1DD", "20m", "SY", "SY1", "CW", "005", "009"},
                                          {"I2EE", "40m", "I", "I2", "CW", "006", "010"}};

class LiveWindow : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(registration_.status(), S_OK);
    writeLiveWindowSettings();
  }

  // A contest start that opens the live window (each start turns "Start" over, so it is set back
  // first); returns once the window is there.
  void start(const char* ownDxccPrefix = "DL") {
    writeSetting("Start", "0");
    dll_.reset("ON4ZZ", ownDxccPrefix);
    ASSERT_TRUE(serveUntil([] { return findLiveWindows().live != nullptr; }))
        << "no live window after the contest start";
  }

  void logAndScore(const std::vector<Qso>& log) {
    for (const Qso& qso : log) ASSERT_EQ(dll_.add(qso), 1) << qso.call;
    int exportDone = 0;
    ASSERT_NE(dll_.api().GetResult0(&exportDone), nullptr);
  }

  // Waits until the windows show `expected`, then a little longer so that a poll still under way
  // finishes with the host's present answers, and checks again.
  void expectShown(const Shown& expected) {
    serveUntil([&] { return shownBy(host_) == expected; });
    serveFor(200);
    EXPECT_EQ(shownBy(host_), expected);
  }

  // A call check, then the poll it arms: the host's call and frequency are answered as given.
  void pollWith(double frequency, const wchar_t* call) {
    host_.setFrequency(frequency);
    host_.setCurrentCall(call);
    const size_t polls = host_.selectors().size();
    dll_.check("DL1AB");
    EXPECT_TRUE(serveUntil([&] { return host_.selectors().size() > polls; }))
        << "no poll after the call check";
  }

  ScratchFolder scratch_;
  AutomationObject host_;
  ActiveObjectRegistration registration_{host_};
  StatsLibrary dll_;  // unloaded first, while this thread still serves the object
};

// Each poll asks for the call and the frequency, tells the host where the radio moved and shows
// the band: titles, and the provinces and European-Union countries worked on that band ticked.
TEST_F(LiveWindow, PollShowsTheCallAndTheBandOfTheRadio) {
  ASSERT_NO_FATAL_FAILURE(start());
  // The first poll makes the check-box windows before its first call to the host, which waits
  // for this thread: until it is served they show their initial titles.
  const ULONGLONG deadline = GetTickCount64() + 10000;
  while (!findLiveWindows().eu && GetTickCount64() < deadline) Sleep(5);
  EXPECT_EQ(windowTitle(findLiveWindows().province), "PROVINCE");
  EXPECT_EQ(windowTitle(findLiveWindows().eu), "European Union");
  // The first poll, before anything is logged: no frequency yet, so no band and no "<SP1>".
  expectShown({{"<MODE:CW>"}, 1, kWorkedWith, provinceTitle(""), euTitle(""), {}, {}});
  ASSERT_NO_FATAL_FAILURE(logAndScore(kForeignSideLog));

  struct Step {
    double frequency;
    const wchar_t* call;
    std::vector<std::string> newCommands;
    std::string liveTitle, band;
    std::vector<std::string> provinceTicks, euTicks;
  };
  const Step steps[] = {
      {14025000,
       L"DL1AA",
       {"<SP1>"},
       "ZRV CONTEST worked with DL1AA",
       "20m",
       {"AN"},
       {"DL", "F", "SV/A"}},
      {14025250, L"", {}, kWorkedWith, "20m", {"AN"}, {"DL", "F", "SV/A"}},
      {14025400,
       L"OE1XX",
       {"<SP1>"},
       "ZRV CONTEST worked with OE1XX",
       "20m",
       {"AN"},
       {"DL", "F", "SV/A"}},
      {7025000, L"", {"<SP1>"}, kWorkedWith, "40m", {"LG"}, {"I"}},
      {10120000, L"", {"<SP1>"}, kWorkedWith, "", {}, {}},
      {1830000, L"", {"<SP1>"}, kWorkedWith, "160m", {}, {}},
      {28025000, L"", {"<SP1>"}, kWorkedWith, "10m", {}, {}},
  };
  Shown expected = shownBy(host_);
  for (const Step& step : steps) {
    SCOPED_TRACE(step.frequency);
    pollWith(step.frequency, step.call);
    expected.commands.insert(expected.commands.end(), step.newCommands.begin(),
                             step.newCommands.end());
    ++expected.polls;
    expected.liveTitle = step.liveTitle;
    expected.provinceTitle = provinceTitle(step.band);
    expected.euTitle = euTitle(step.band);
    expected.provinceTicks = step.provinceTicks;
    expected.euTicks = step.euTicks;
    expectShown(expected);
    if (&step == &steps[0]) {
      const LiveWindowHandles windows = findLiveWindows();
      EXPECT_NE(saveScreenshot({windows.province, windows.eu}, "check-box-windows"), "");
      // A box for every European-Union entity of the rules, found by its text (Mount Athos's
      // reads "SV/A"), and none besides.
      std::vector<std::string> entities;
      for (const std::string_view prefix : stats::kEuropeanUnionPrefixes) {
        entities.emplace_back(prefix == "SY" ? "SV/A" : prefix);
      }
      EXPECT_EQ(sorted(checkBoxes(windows.eu)), sorted(entities));
      // Black labels on RGB(255, 240, 198); the windows and the boxes' backgrounds RGB(255, 250,
      // 198).
      for (HWND window : {windows.province, windows.eu}) {
        EXPECT_EQ(boxColours(window), "255,250,198 0,0,0 255,240,198") << windowTitle(window);
        EXPECT_EQ(colourAt(window, 1, 1), kGridBackground) << windowTitle(window);
      }
      // A box the operator clicks changes only what it shows: the next poll sets every box again.
      SendMessageA(FindWindowExA(windows.province, nullptr, "Button", "BR"), BM_CLICK, 0, 0);
      SendMessageA(FindWindowExA(windows.eu, nullptr, "Button", "DL"), BM_CLICK, 0, 0);
      EXPECT_EQ(sorted(tickedBoxes(windows.province)), (std::vector<std::string>{"AN", "BR"}));
      EXPECT_EQ(sorted(tickedBoxes(windows.eu)), (std::vector<std::string>{"F", "SV/A"}));
    }
  }
  EXPECT_EQ(host_.selectors(), std::vector<int32_t>(expected.polls, 5));
}

// The panel's table highlights the row of the band the radio is on, and only that row.
TEST_F(LiveWindow, PanelHighlightsTheCurrentBand) {
  ASSERT_NO_FATAL_FAILURE(start());
  ASSERT_NO_FATAL_FAILURE(logAndScore(kForeignSideLog));
  const struct {
    double frequency;
    int band;
  } radio[] = {{14025000, 3}, {1830000, 0}, {28025000, 5}, {10120000, -1}};
  for (const auto& [frequency, band] : radio) {
    SCOPED_TRACE(frequency);
    pollWith(frequency, L"DL1AA");
    HWND live = findLiveWindows().live;
    serveUntil([&] { return bandRowColours(live) == rowsWithHighlightAt(band); });
    EXPECT_EQ(bandRowColours(live), rowsWithHighlightAt(band));
    if (band == 3) {
      EXPECT_NE(saveScreenshot(live, "live-window"), "");
    }
  }
  // The panel follows the live window's size, one pixel from the client area's left and top edges
  // and three from its right and bottom ones.
  HWND live = findLiveWindows().live;
  SetWindowPos(live, nullptr, 0, 0, 500, 320, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const auto panelAndClient = [live] {
    RECT client{}, panel{};
    GetClientRect(live, &client);
    GetWindowRect(GetDlgItem(live, IDC_MULTIPLIER_PANEL), &panel);
    MapWindowPoints(nullptr, live, reinterpret_cast<POINT*>(&panel), 2);
    return std::vector<LONG>{panel.left, panel.top, client.right - panel.right,
                             client.bottom - panel.bottom, client.right};
  };
  EXPECT_TRUE(serveUntil([&] { return panelAndClient()[2] == 3; }));
  EXPECT_EQ(panelAndClient(), (std::vector<LONG>{1, 1, 3, 3, panelAndClient()[4]}));
  EXPECT_GT(panelAndClient()[4], 400) << "the live window was not resized";
}

// A Belgian station with no call entered sees the DXCC countries it worked on the band, and no
// province or European-Union window.
TEST_F(LiveWindow, BelgianStationSeesTheDxccWorkedOnTheBand) {
  ASSERT_NO_FATAL_FAILURE(start("ON"));
  ASSERT_TRUE(serveUntil([&] { return host_.selectors().size() == 1; })) << "no first poll";
  ASSERT_NO_FATAL_FAILURE(logAndScore({{"DL1AA", "20m", "DL", "DL1"},
                                       {"F5CC", "20m", "F", "F5"},
                                       {"K1AA", "20m", "K", "K1"},
                                       {"JA1AA", "20m", "JA", "JA1"},
                                       {"PY1AA", "40m", "PY", "PY1"}}));
  pollWith(14025000, L"");
  expectShown({{"<MODE:CW>", "<SP1>"}, 2, "ZRV   DXCC worked on 20m", "", "", {}, {}});
  HWND live = findLiveWindows().live;
  HWND panel = GetDlgItem(live, IDC_MULTIPLIER_PANEL);
  RECT client{};
  GetClientRect(panel, &client);
  EXPECT_TRUE(serveUntil([&] {
    return colourAt(panel, client.right - 5, client.bottom - 5) == kGridBackground;
  })) << colourAt(panel, client.right - 5, client.bottom - 5);
  EXPECT_NE(saveScreenshot(live, "dxcc-grid"), "");
}

// Without the host's automation object the poll reads no call and no frequency, and says nothing.
TEST_F(LiveWindow, WithoutTheHostThePollShowsNoCallAndNoBand) {
  registration_.revoke();
  ASSERT_NO_FATAL_FAILURE(start());
  expectShown({{}, 0, kWorkedWith, provinceTitle(""), euTitle(""), {}, {}});
  int visible = 0;
  EnumWindows(countVisibleWindow, reinterpret_cast<LPARAM>(&visible));
  EXPECT_EQ(visible, 3) << "a window besides the live, province and European-Union windows";
}

// The poll runs once per arming: a call check arms it, a burst of checks arms it once, a check
// whose two bands differ arms nothing.
TEST_F(LiveWindow, CallChecksArmOnePoll) {
  ASSERT_NO_FATAL_FAILURE(start());
  ASSERT_TRUE(serveUntil([&] { return host_.selectors().size() == 1; }));
  serveFor(1000);
  EXPECT_EQ(host_.selectors().size(), 1u) << "polls without a call check";

  dll_.check("DL1AB", "", "", "20m", "40m");
  serveFor(1000);
  EXPECT_EQ(host_.selectors().size(), 1u) << "a call check on differing bands armed the poll";

  for (const char* call : {"D", "DL", "DL1", "DL1A", "DL1AB"}) dll_.check(call);
  EXPECT_TRUE(serveUntil([&] { return host_.selectors().size() == 2; }));
  serveFor(1000);
  EXPECT_EQ(host_.selectors().size(), 2u) << "a burst of call checks armed more than one poll";
}

// The operator ends the run by closing the live window, with the close box, Enter or Escape: all
// three windows go, and call checks arm nothing until the next start.
TEST_F(LiveWindow, OperatorClosingTheLiveWindowEndsTheRun) {
  const struct {
    const char* how;
    UINT message;
    WPARAM key;
  } closes[] = {{"close box", WM_CLOSE, 0},
                {"Enter", WM_KEYDOWN, VK_RETURN},
                {"Escape", WM_KEYDOWN, VK_ESCAPE}};
  for (const auto& close : closes) {
    SCOPED_TRACE(close.how);
    ASSERT_NO_FATAL_FAILURE(start());
    const size_t polls = host_.selectors().size();
    ASSERT_TRUE(serveUntil([&] { return host_.selectors().size() > polls && liveWindowsShown(); }));
    HWND live = findLiveWindows().live;
    // A key goes to the focused control, which in the live window can only be the panel.
    PostMessageA(close.message == WM_CLOSE ? live : GetDlgItem(live, IDC_MULTIPLIER_PANEL),
                 close.message, close.key, 0);
    EXPECT_TRUE(serveUntil([] { return !anyLiveWindow(); })) << "windows still open";

    dll_.check("DL1AB");
    serveFor(1000);
    EXPECT_EQ(host_.selectors().size(), polls + 1) << "a poll after the run ended";
  }
}

// Closing the province or the European-Union window hides it for the rest of the run; the polls
// go on.
TEST_F(LiveWindow, ClosedCheckBoxWindowStaysHidden) {
  ASSERT_NO_FATAL_FAILURE(start());
  ASSERT_TRUE(serveUntil(liveWindowsShown));
  const LiveWindowHandles windows = findLiveWindows();
  // Enter and Escape hide a check-box window as its close box does (shown again here by hand).
  for (const WPARAM key : {VK_RETURN, VK_ESCAPE}) {
    for (HWND window : {windows.province, windows.eu}) {
      PostMessageA(GetWindow(window, GW_CHILD), WM_KEYDOWN, key, 0);
      EXPECT_TRUE(serveUntil([&] { return !IsWindowVisible(window); })) << key;
      ShowWindow(window, SW_SHOWNOACTIVATE);
    }
  }
  const struct {
    HWND window;
    double frequency;
    const char* band;
  } closes[] = {{windows.province, 14025000, "20m"}, {windows.eu, 7025000, "40m"}};
  for (const auto& close : closes) {
    SCOPED_TRACE(windowTitle(close.window));
    PostMessageA(close.window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(serveUntil([&] { return !IsWindowVisible(close.window); }));
    pollWith(close.frequency, L"");
    EXPECT_TRUE(serveUntil([&] {
      return windowTitle(windows.province) == provinceTitle(close.band) &&
             windowTitle(windows.eu) == euTitle(close.band);
    })) << "the poll after the close";
    EXPECT_FALSE(IsWindowVisible(close.window));
  }
  EXPECT_FALSE(IsWindowVisible(windows.province));
  EXPECT_TRUE(IsWindowVisible(windows.live));
}

// A contest start while the windows run leaves them as they are. Once the operator has closed the
// live window, the next start opens fresh windows that connect to the host again and tell it the
// mode of the settings ("CW" exactly, anything else is SSB); where "<SP1>" was last sent is kept.
TEST_F(LiveWindow, NextRunConnectsAfresh) {
  host_.setFrequency(14025000);
  ASSERT_NO_FATAL_FAILURE(start());
  std::vector<std::string> commands = {"<MODE:CW>", "<SP1>"};
  ASSERT_TRUE(serveUntil([&] { return commandsOf(host_) == commands && liveWindowsShown(); }))
      << "the first poll did not connect";

  const LiveWindowHandles running = findLiveWindows();
  writeSetting("Start", "0");
  dll_.reset("ON4ZZ", "DL");
  serveFor(500);
  EXPECT_TRUE(IsWindow(running.live) && IsWindow(running.province) && IsWindow(running.eu));
  EXPECT_EQ(commandsOf(host_), commands);

  const struct {
    const char* mode;
    const char* token;
  } runs[] = {{"SSB", "<MODE:SSB>"}, {"cw", "<MODE:SSB>"}, {"CW", "<MODE:CW>"}};
  for (const auto& [mode, token] : runs) {
    SCOPED_TRACE(mode);
    PostMessageA(findLiveWindows().live, WM_CLOSE, 0, 0);
    ASSERT_TRUE(serveUntil([] { return !anyLiveWindow(); })) << "windows still open";
    writeSetting("Mode", mode);
    ASSERT_NO_FATAL_FAILURE(start());
    commands.push_back(token);
    EXPECT_TRUE(serveUntil([&] { return commandsOf(host_) == commands && liveWindowsShown(); }))
        << "commands " << testing::PrintToString(commandsOf(host_));
  }
}

// The windows open where their position keys say (or at their defaults), on top of other windows;
// one moved and then pointed at writes the coordinates that differ from the last position any of
// the three read or wrote.
TEST_F(LiveWindow, WindowsOpenAtTheirPlaceAndRememberWhereTheyWereMoved) {
  SetCursorPos(1270, 1010);  // the pointer away from every window
  ASSERT_NO_FATAL_FAILURE(start());
  ASSERT_TRUE(serveUntil(liveWindowsShown));
  const LiveWindowHandles windows = findLiveWindows();
  const auto topLeft = [](HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return std::to_string(frame.left) + "," + std::to_string(frame.top);
  };
  EXPECT_EQ(topLeft(windows.live), "20,20");
  EXPECT_EQ(topLeft(windows.province), "700,20");
  EXPECT_EQ(topLeft(windows.eu), "700,130");
  // Wine may report the new z-order a moment after the window shows, on a busy machine.
  for (HWND window : {windows.live, windows.province, windows.eu}) {
    EXPECT_TRUE(serveUntil([window] {
      return (GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    })) << windowTitle(window);
  }

  const auto keys = [] {
    std::string values;
    for (const char* key : kPositionKeys) values += readSetting(key).value_or("") + " ";
    return values;
  };
  // The last position read was the European-Union window's, 700,130.
  const struct {
    HWND window;
    POINT to;
    const char* keys;
  } moves[] = {{windows.live, {40, 130}, "40 20 700 20 700 130 "},
               {windows.province, {40, 500}, "40 20 700 500 700 130 "},
               {windows.eu, {900, 600}, "40 20 700 500 900 600 "}};
  for (const auto& move : moves) {
    SCOPED_TRACE(move.keys);
    SetWindowPos(move.window, nullptr, move.to.x, move.to.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageA(move.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(move.window),
                 MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
    EXPECT_EQ(keys(), move.keys);
  }

  // Without position keys the live and province windows open at 10,400 and the European-Union
  // window at 10,600.
  PostMessageA(windows.live, WM_CLOSE, 0, 0);
  ASSERT_TRUE(serveUntil([] { return !anyLiveWindow(); }));
  for (const char* key : kPositionKeys) removeSetting(key);
  ASSERT_NO_FATAL_FAILURE(start());
  ASSERT_TRUE(serveUntil(liveWindowsShown));
  const LiveWindowHandles reopened = findLiveWindows();
  EXPECT_EQ(topLeft(reopened.live), "10,400");
  EXPECT_EQ(topLeft(reopened.province), "10,400");
  EXPECT_EQ(topLeft(reopened.eu), "10,600");

  // Saved on a screen that is gone, and half below the bottom of this one: the windows open wholly
  // on the screen, and the saved places stay until the operator moves a window.
  RECT work{}, frame{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(reopened.eu, &frame);
  const std::string halfOff = std::to_string(work.bottom - (frame.bottom - frame.top) / 2);
  PostMessageA(reopened.live, WM_CLOSE, 0, 0);
  ASSERT_TRUE(serveUntil([] { return !anyLiveWindow(); }));
  for (const char* key : {"dxcc_x", "dxcc_y"}) writeSetting(key, "30000");
  writeSetting("stat_y", halfOff);
  ASSERT_NO_FATAL_FAILURE(start());
  ASSERT_TRUE(serveUntil(liveWindowsShown));
  const LiveWindowHandles onScreen = findLiveWindows();
  RECT live{}, eu{};
  GetWindowRect(onScreen.live, &live);
  GetWindowRect(onScreen.eu, &eu);
  EXPECT_EQ((std::vector<LONG>{live.right, live.bottom, eu.left, eu.bottom}),
            (std::vector<LONG>{work.right, work.bottom, 10, work.bottom}));
  for (HWND window : {onScreen.live, onScreen.eu}) {
    SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                 MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
  }
  EXPECT_EQ(keys(), "30000 30000    " + halfOff + " ");
  SetWindowPos(onScreen.live, nullptr, 40, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SendMessageA(onScreen.live, WM_SETCURSOR, reinterpret_cast<WPARAM>(onScreen.live),
               MAKELPARAM(HTCAPTION, WM_MOUSEMOVE));
  EXPECT_EQ(keys(), "40 130    " + halfOff + " ");
}

}  // namespace
}  // namespace stats_test
