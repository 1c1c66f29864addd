// The setup dialog of Stats.dll under SetupSet0: what it shows from the settings file, what OK
// saves, and that Escape and the close box save nothing.
#include <gtest/gtest.h>

#include "resources/resource.h"
#include "tests/wine/dialog_driver.h"
#include "tests/wine/dialog_screenshot.h"
#include "tests/wine/wine_host.h"

namespace stats_test {
namespace {

constexpr char kTitle[] = "Setup ZRV DX Contestt";

// What the helper thread saw of the dialog.
struct SetupSeen {
  bool ownerless = false;
  bool checked = false;
  std::string mode;
  std::string province;
};

SetupSeen look(HWND dialog) {
  SetupSeen seen;
  seen.ownerless = GetParent(dialog) == nullptr && GetWindow(dialog, GW_OWNER) == nullptr;
  seen.checked =
      SendDlgItemMessageA(dialog, IDC_SETUP_USE_MULTIPLIER, BM_GETCHECK, 0, 0) == BST_CHECKED;
  seen.mode = controlText(dialog, IDC_SETUP_MODE);
  seen.province = controlText(dialog, IDC_SETUP_PROVINCE);
  return seen;
}

// Runs SetupSet0 while `operate` works the dialog; fails the test when the dialog did not show.
void runSetup(StatsLibrary& dll, std::function<void(HWND)> operate) {
  DialogDriver driver(kTitle, std::move(operate));
  dll.api().SetupSet0();
  driver.finish();
  ASSERT_TRUE(driver.found()) << driver.failure();
  ASSERT_EQ(driver.failure(), "");
}

TEST(SetupDialog, ShowsItsTemplateWithTheStoredValuesAndOkSavesTheEdits) {
  ScratchFolder scratch;
  scratch.writeFile(kSettingsFile, "[Settings]\r\nMode=CW\r\nProvince=AN\r\nMultiplier=1\r\n");
  StatsLibrary dll;

  SetupSeen seen;
  std::wstring okText;
  bool hasCancelButton = true, hasLabels = false;
  std::string checkBoxText, screenshot;
  ASSERT_NO_FATAL_FAILURE(runSetup(dll, [&](HWND dialog) {
    seen = look(dialog);
    okText = controlTextWide(dialog, IDOK);
    hasCancelButton = GetDlgItem(dialog, IDCANCEL) != nullptr;
    checkBoxText = controlText(dialog, IDC_SETUP_USE_MULTIPLIER);
    hasLabels = childWithText(dialog, "Input mode (CW or SSB)") != nullptr &&
                childWithText(dialog, "Input your Province Only forBelgian station") != nullptr;
    Sleep(300);  // let the dialog paint itself
    screenshot = saveScreenshot(dialog, "setup-dialog");

    typeText(dialog, IDC_SETUP_MODE, "SSB");
    typeText(dialog, IDC_SETUP_PROVINCE, "Limburg, a long province text");
    SendDlgItemMessageA(dialog, IDC_SETUP_USE_MULTIPLIER, BM_SETCHECK, BST_UNCHECKED, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }));

  EXPECT_TRUE(seen.ownerless);
  EXPECT_TRUE(seen.checked);
  EXPECT_EQ(seen.mode, "CW");
  EXPECT_EQ(seen.province, "AN");
  EXPECT_EQ(okText, L"\x041E\x041A");  // Cyrillic O and K
  EXPECT_FALSE(hasCancelButton);
  EXPECT_EQ(checkBoxText, "  Use window Multiplier");
  EXPECT_TRUE(hasLabels);
  EXPECT_NE(screenshot, "");

  // The three keys are rewritten where they stand.
  EXPECT_EQ(
      settingsEntries(scratch.readFile(kSettingsFile)),
      (SettingsEntries{
          {"Mode", "SSB"}, {"Province", "Limburg, a long province text"}, {"Multiplier", "0"}}));

  // The next run of the dialog shows what was saved.
  ASSERT_NO_FATAL_FAILURE(runSetup(dll, [&](HWND dialog) {
    seen = look(dialog);
    pressEscape(dialog);
  }));
  EXPECT_FALSE(seen.checked);
  EXPECT_EQ(seen.mode, "SSB");
  EXPECT_EQ(seen.province, "Limburg, a long province text");
}

TEST(SetupDialog, WithoutASettingsFileStartsEmptyAndWritesMultiplierProvinceModeInOrder) {
  ScratchFolder scratch;
  StatsLibrary dll;

  SetupSeen seen;
  seen.checked = true;
  ASSERT_NO_FATAL_FAILURE(runSetup(dll, [&](HWND dialog) {
    seen = look(dialog);
    SendDlgItemMessageA(dialog, IDC_SETUP_USE_MULTIPLIER, BM_SETCHECK, BST_CHECKED, 0);
    typeText(dialog, IDC_SETUP_MODE, "cw");  // taken as typed, in any case
    typeText(dialog, IDC_SETUP_PROVINCE, "wv");
    pressButton(dialog, IDOK);
  }));

  EXPECT_FALSE(seen.checked);
  EXPECT_EQ(seen.mode, "");
  EXPECT_EQ(seen.province, "");
  EXPECT_EQ(settingsEntries(scratch.readFile(kSettingsFile)),
            (SettingsEntries{{"Multiplier", "1"}, {"Province", "wv"}, {"Mode", "cw"}}));
}

TEST(SetupDialog, EscapeAndTheCloseBoxLeaveTheSettingsFileUntouched) {
  ScratchFolder scratch;
  const std::string stored = "[Settings]\r\nMultiplier=0\r\nProvince=HT\r\nMode=SSB\r\n";
  scratch.writeFile(kSettingsFile, stored);
  StatsLibrary dll;

  ASSERT_NO_FATAL_FAILURE(runSetup(dll, [&](HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_SETUP_USE_MULTIPLIER, BM_SETCHECK, BST_CHECKED, 0);
    typeText(dialog, IDC_SETUP_PROVINCE, "LG");
    pressEscape(dialog);
  }));
  EXPECT_EQ(scratch.readFile(kSettingsFile), stored);

  SetupSeen seen;
  ASSERT_NO_FATAL_FAILURE(runSetup(dll, [&](HWND dialog) {
    seen = look(dialog);
    typeText(dialog, IDC_SETUP_MODE, "CW");
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }));
  EXPECT_EQ(scratch.readFile(kSettingsFile), stored);
  // The cancelled edits left no trace in the plug-in either.
  EXPECT_FALSE(seen.checked);
  EXPECT_EQ(seen.province, "HT");
}

}  // namespace
}  // namespace stats_test
