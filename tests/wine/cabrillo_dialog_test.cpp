// The Cabrillo header dialog of Stats.dll, shown by a contest start that asks for an export, and
// the "Output" message box of the export that follows: what the dialog shows from the settings
// file, what OK saves and the Cabrillo file then holds, and that Cancel, Escape and the close box
// save nothing.
#include <gtest/gtest.h>

#include <map>

#include "resources/resource.h"
#include "tests/wine/dialog_driver.h"
#include "tests/wine/dialog_screenshot.h"
#include "tests/wine/wine_host.h"

namespace stats_test {
namespace {

constexpr char kTitle[] = "ZRV DX Contest ";
constexpr int kMessageTextId = 0xFFFF;  // the message box's static control with the message

constexpr double k2024_03_02 = 45353.0;  // 2024-03-02 00:00 as an OLE date

const int kComboBoxes[] = {IDC_CABRILLO_CATEGORY_OPERATOR, IDC_CABRILLO_LOCATION,
                           IDC_CABRILLO_CATEGORY_BAND,     IDC_CABRILLO_CATEGORY_ASSISTED,
                           IDC_CABRILLO_CATEGORY_OVERLAY,  IDC_CABRILLO_CATEGORY_POWER,
                           IDC_CABRILLO_CATEGORY_STATION,  IDC_CABRILLO_CATEGORY_TRANSMITTER};
const int kEditBoxes[] = {IDC_CABRILLO_CONTEST,
                          IDC_CABRILLO_CALLSIGN,
                          IDC_CABRILLO_CLAIMED,
                          IDC_CABRILLO_CATEGORY_MODE,
                          IDC_CABRILLO_NAME,
                          IDC_CABRILLO_ADDRESS,
                          IDC_CABRILLO_ADDRESS_CITY,
                          IDC_CABRILLO_ADDRESS_ST_PROV,
                          IDC_CABRILLO_ADDRESS_POSTALCODE,
                          IDC_CABRILLO_ADDRESS_COUNTRY,
                          IDC_CABRILLO_OPERATORS,
                          IDC_CABRILLO_CLUB,
                          IDC_CABRILLO_SOAPBOX,
                          IDC_CABRILLO_EMAIL};

// What the helper thread saw of the Cabrillo dialog.
struct CabrilloSeen {
  bool ownerless = false;
  std::map<int, std::string> texts;               // every edit and combo box
  std::map<int, int> selections;                  // combo boxes: selected index or CB_ERR
  std::map<int, std::vector<std::string>> lists;  // combo boxes
  std::map<int, bool> enabled, visible;           // every edit and combo box
  std::map<std::string, bool> labelEnabled, labelVisible;
  std::string okText, cancelText;
};

CabrilloSeen look(HWND dialog) {
  CabrilloSeen seen;
  seen.ownerless = GetParent(dialog) == nullptr && GetWindow(dialog, GW_OWNER) == nullptr;
  auto control = [&](int id) {
    seen.texts[id] = controlText(dialog, id);
    seen.enabled[id] = IsWindowEnabled(GetDlgItem(dialog, id));
    seen.visible[id] = IsWindowVisible(GetDlgItem(dialog, id));
  };
  for (int id : kEditBoxes) control(id);
  for (int id : kComboBoxes) {
    control(id);
    seen.selections[id] = comboSelectionOf(dialog, id);
    seen.lists[id] = comboListOf(dialog, id);
  }
  for (const char* label : {"CONTEST", "LOCATION", "CATEGORY-ASSISTED", "CATEGORY-STATION",
                            "CATEGORY-TRANSMITTER", "CATEGORY-POWER", "SOAPBOX", "E-MAIL"}) {
    HWND window = childWithText(dialog, label);
    seen.labelEnabled[label] = window && IsWindowEnabled(window);
    seen.labelVisible[label] = window && IsWindowVisible(window);
  }
  seen.okText = controlText(dialog, IDOK);
  seen.cancelText = controlText(dialog, IDCANCEL);
  return seen;
}

void selectEntry(HWND dialog, int id, const char* beginning) {
  SendDlgItemMessageA(dialog, id, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                      reinterpret_cast<LPARAM>(beginning));
}

// Starts a contest with an export while `operate` works the Cabrillo dialog.
void startExport(StatsLibrary& dll, const char* ownCall, std::function<void(HWND)> operate) {
  DialogDriver driver(kTitle, std::move(operate));
  EXPECT_EQ(dll.reset(ownCall, "DL", 1), 1);
  driver.finish();
  ASSERT_TRUE(driver.found()) << driver.failure();
  ASSERT_EQ(driver.failure(), "");
}

// What the helper thread saw of the "Output" message box.
struct OutputSeen {
  std::string message;
  HWND owner = nullptr;
  bool informationIcon = false;
  bool cancelButton = true;
};

// Fetches the score in the export run: the writer's message box is read and closed with OK.
OutputSeen fetchResult(StatsLibrary& dll, int& exportDone) {
  OutputSeen seen;
  DialogDriver driver("Output", [&](HWND box) {
    seen.message = controlText(box, kMessageTextId);
    seen.owner = GetWindow(box, GW_OWNER);
    const HICON information = LoadIconW(nullptr, MAKEINTRESOURCEW(32516));  // IDI_INFORMATION
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
      if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == information) {
        seen.informationIcon = true;
      }
    }
    HWND cancel = GetDlgItem(box, IDCANCEL);
    seen.cancelButton = cancel != nullptr && IsWindowVisible(cancel);
    Sleep(200);
    saveScreenshot(box, "output-message");
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  });
  EXPECT_NE(dll.api().GetResult0(&exportDone), nullptr);
  driver.finish();
  EXPECT_TRUE(driver.found()) << driver.failure();
  EXPECT_EQ(driver.failure(), "");
  return seen;
}

SettingsEntries withStart(SettingsEntries entries) {
  entries.emplace_back("Start", "1");  // every export run sets it after the dialog
  return entries;
}

const std::string kLoadedSettings =
    "[Settings]\r\n"
    "Operators=DL1ABC DL2XYZ\r\n"
    "Name=Hans Becker\r\n"
    "Address=Hauptstrasse 5\r\n"
    "Address_City=Koeln\r\n"
    "Address_St_Prov=NRW\r\n"
    "Address_PostalCode=50667\r\n"
    "Address_Country=Germany\r\n"
    "Claimed=1234\r\n"
    "Mode=CW\r\n"
    "Email=dl1abc@example.org\r\n"
    "Club=DARC\r\n"
    "SoapBox=First line<CR><LF>Second line\r\n";

// The Cabrillo file of an empty CW log with the header of kLoadedSettings.
const std::string kLoadedHeaderFile =
    "START-OF-LOG: 2.0\r\n"
    "CONTEST: ZRV-DX-CW\r\n"
    "CALLSIGN: DL1ABC/P\r\n"
    "CATEGORY-OPERATOR: SINGLE OPERATOR ALL BANDS HIGH POWER\r\n"
    "OPERATORS: DL1ABC DL2XYZ\r\n"
    "CLAIMED-SCORE: 0\r\n"
    "NAME: Hans Becker\r\n"
    "EMAIL: dl1abc@example.org\r\n"
    "ADDRESS: Hauptstrasse 5\r\n"
    "ADDRESS: Koeln\r\n"
    "ADDRESS: NRW\r\n"
    "ADDRESS: 50667\r\n"
    "ADDRESS: Germany\r\n"
    "SOAPBOX: First line\r\n"
    "SOAPBOX: Second line\r\n"
    "END-OF-LOG:\r\n";

TEST(CabrilloDialog, ShowsTheLoadedHeaderAndTheFixedChoicesAndCancelKeepsThem) {
  ScratchFolder scratch;
  scratch.writeFile(kSettingsFile, kLoadedSettings);
  StatsLibrary dll;

  CabrilloSeen seen;
  std::string screenshot;
  ASSERT_NO_FATAL_FAILURE(startExport(dll, "DL1ABC/P", [&](HWND dialog) {
    seen = look(dialog);
    Sleep(300);  // let the dialog paint itself
    screenshot = saveScreenshot(dialog, "cabrillo-dialog");
    typeText(dialog, IDC_CABRILLO_NAME, "Somebody Else");
    selectEntry(dialog, IDC_CABRILLO_CATEGORY_OPERATOR, "CHECK");
    pressButton(dialog, IDCANCEL);
  }));

  EXPECT_TRUE(seen.ownerless);
  EXPECT_NE(screenshot, "");
  EXPECT_EQ(seen.okText, "OK");
  EXPECT_EQ(seen.cancelText, "CANCEL");
  const std::map<int, std::string> expectedTexts = {
      {IDC_CABRILLO_CONTEST, "ZRV-DX-CW"},
      {IDC_CABRILLO_CALLSIGN, "DL1ABC/P"},
      {IDC_CABRILLO_CLAIMED, "1234"},
      {IDC_CABRILLO_CATEGORY_OPERATOR, "SINGLE OPERATOR"},
      {IDC_CABRILLO_LOCATION, "DX"},
      {IDC_CABRILLO_CATEGORY_BAND, "ALL BANDS"},
      {IDC_CABRILLO_CATEGORY_ASSISTED, "NON-ASSISTED"},
      {IDC_CABRILLO_CATEGORY_MODE, "CW"},
      {IDC_CABRILLO_CATEGORY_OVERLAY, "NONE"},  // in no list entry: shown as it is
      {IDC_CABRILLO_CATEGORY_POWER, "HIGH POWER"},
      {IDC_CABRILLO_CATEGORY_STATION, "FIXED"},
      {IDC_CABRILLO_CATEGORY_TRANSMITTER, "ONE"},
      {IDC_CABRILLO_NAME, "Hans Becker"},
      {IDC_CABRILLO_ADDRESS, "Hauptstrasse 5"},
      {IDC_CABRILLO_ADDRESS_CITY, "Koeln"},
      {IDC_CABRILLO_ADDRESS_ST_PROV, "NRW"},
      {IDC_CABRILLO_ADDRESS_POSTALCODE, "50667"},
      {IDC_CABRILLO_ADDRESS_COUNTRY, "Germany"},
      {IDC_CABRILLO_OPERATORS, "DL1ABC DL2XYZ"},
      {IDC_CABRILLO_CLUB, "DARC"},
      {IDC_CABRILLO_SOAPBOX, "First line\r\nSecond line"},
      {IDC_CABRILLO_EMAIL, "dl1abc@example.org"}};
  EXPECT_EQ(seen.texts, expectedTexts);
  const std::map<int, int> expectedSelections = {
      {IDC_CABRILLO_CATEGORY_OPERATOR, 0},     {IDC_CABRILLO_LOCATION, 0},
      {IDC_CABRILLO_CATEGORY_BAND, 0},         {IDC_CABRILLO_CATEGORY_ASSISTED, 1},
      {IDC_CABRILLO_CATEGORY_OVERLAY, CB_ERR}, {IDC_CABRILLO_CATEGORY_POWER, 0},
      {IDC_CABRILLO_CATEGORY_STATION, 1},      {IDC_CABRILLO_CATEGORY_TRANSMITTER, 0}};
  EXPECT_EQ(seen.selections, expectedSelections);

  std::vector<std::string> locations = {"DX", "--/--"};
  for (const char* code :
       {"AL", "AK", "AZ", "AR", "CA",  "CO", "CT", "DE", "FL", "GA", "ID", "IL", "IN",
        "IA", "KS", "KY", "LA", "ME",  "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NV",
        "NH", "NJ", "NM", "NY", "NC",  "ND", "OH", "OK", "OR", "PA", "RI", "SC", "SD",
        "TN", "TX", "UT", "VT", "VA",  "WA", "WV", "WI", "WY", "NB", "NS", "QC", "ON",
        "MB", "SK", "AB", "BC", "NWT", "NF", "LB", "NU", "YT", "PEI"}) {
    locations.push_back(code);
  }
  const std::map<int, std::vector<std::string>> expectedLists = {
      {IDC_CABRILLO_CATEGORY_OPERATOR, {"SINGLE OPERATOR", "MULTI-ONE", "CHECKLOG"}},
      {IDC_CABRILLO_LOCATION, locations},
      {IDC_CABRILLO_CATEGORY_BAND, {"ALL BANDS", "80M", "40M", "20M", "15M", "10M"}},
      {IDC_CABRILLO_CATEGORY_ASSISTED, {"ASSISTED", "NON-ASSISTED"}},
      {IDC_CABRILLO_CATEGORY_OVERLAY, {"12-HOURS", "24-HOURS", "6-HOURS", "ON3"}},
      {IDC_CABRILLO_CATEGORY_POWER, {"HIGH POWER", "LOW POWER", "QRP"}},
      {IDC_CABRILLO_CATEGORY_STATION,
       {"EXPEDITION", "FIXED", "HQ", "MOBILE", "PORTABLE", "ROVER", "SCHOOL"}},
      {IDC_CABRILLO_CATEGORY_TRANSMITTER, {"ONE", "TWO", "UNLIMITED"}}};
  EXPECT_EQ(seen.lists, expectedLists);

  // Assisted, station and transmitter are disabled, the location hidden; the rest is usable.
  for (const auto& [id, enabled] : seen.enabled) {
    const bool fixed = id == IDC_CABRILLO_CATEGORY_ASSISTED ||
                       id == IDC_CABRILLO_CATEGORY_STATION ||
                       id == IDC_CABRILLO_CATEGORY_TRANSMITTER;
    EXPECT_EQ(enabled, !fixed) << "control " << id;
    EXPECT_EQ(seen.visible.at(id), id != IDC_CABRILLO_LOCATION) << "control " << id;
  }
  const std::map<std::string, bool> expectedLabelEnabled = {{"CONTEST", true},
                                                            {"LOCATION", true},
                                                            {"CATEGORY-ASSISTED", false},
                                                            {"CATEGORY-STATION", false},
                                                            {"CATEGORY-TRANSMITTER", false},
                                                            {"CATEGORY-POWER", true},
                                                            {"SOAPBOX", true},
                                                            {"E-MAIL", true}};
  EXPECT_EQ(seen.labelEnabled, expectedLabelEnabled);
  for (const auto& [label, visible] : seen.labelVisible) {
    EXPECT_EQ(visible, label != "LOCATION") << label;
  }

  // Cancel: nothing of the header is written, and the export writes the header as loaded.
  EXPECT_EQ(settingsEntries(scratch.readFile(kSettingsFile)),
            withStart(settingsEntries(kLoadedSettings)));
  int exportDone = 0;
  const OutputSeen output = fetchResult(dll, exportDone);
  EXPECT_EQ(output.message, "File produced: DL1ABC_P.cbr");
  EXPECT_EQ(output.owner, nullptr);  // the test host has no active window
  EXPECT_TRUE(output.informationIcon);
  EXPECT_FALSE(output.cancelButton);
  EXPECT_EQ(exportDone, -1);
  EXPECT_EQ(scratch.readFile("DL1ABC_P.cbr"), kLoadedHeaderFile);
}

TEST(CabrilloDialog, OkSavesTheEditsInWriteOrderAndTheExportWritesThem) {
  ScratchFolder scratch;
  scratch.writeFile(kSettingsFile, "[Settings]\r\nMode=SSB\r\nClaimed=77\r\n");
  StatsLibrary dll;

  CabrilloSeen seen;
  ASSERT_NO_FATAL_FAILURE(startExport(dll, "DL1ABC/P", [&](HWND dialog) {
    seen = look(dialog);
    typeText(dialog, IDC_CABRILLO_CONTEST, "ZRV-TEST");
    typeText(dialog, IDC_CABRILLO_CALLSIGN, "DL1ABC/M");
    typeText(dialog, IDC_CABRILLO_CLAIMED, "999999");  // shown only: what is typed there is dropped
    selectEntry(dialog, IDC_CABRILLO_CATEGORY_OPERATOR, "multi");
    typeText(dialog, IDC_CABRILLO_CATEGORY_BAND, "160M");  // not in the list: taken as typed
    selectEntry(dialog, IDC_CABRILLO_CATEGORY_OVERLAY, "24");
    selectEntry(dialog, IDC_CABRILLO_CATEGORY_POWER, "low");
    typeText(dialog, IDC_CABRILLO_NAME, "Anna Schmidt");
    typeText(dialog, IDC_CABRILLO_ADDRESS, "Ring 3");
    typeText(dialog, IDC_CABRILLO_ADDRESS_CITY, "Bonn");
    typeText(dialog, IDC_CABRILLO_ADDRESS_ST_PROV, "NRW");
    typeText(dialog, IDC_CABRILLO_ADDRESS_POSTALCODE, "53111");
    typeText(dialog, IDC_CABRILLO_ADDRESS_COUNTRY, "Germany");
    typeText(dialog, IDC_CABRILLO_OPERATORS, "DL1ABC DL3QQ");
    typeText(dialog, IDC_CABRILLO_CLUB, "ZRV Friends");
    typeText(dialog, IDC_CABRILLO_SOAPBOX, "Line one\r\nLine two\r\nLine three");
    typeText(dialog, IDC_CABRILLO_EMAIL, "anna@example.org");
    pressButton(dialog, IDOK);
  }));

  // Loaded: the operators default to the passed callsign; the SSB leg; the stored claimed score.
  EXPECT_EQ(seen.texts[IDC_CABRILLO_OPERATORS], "DL1ABC/P");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_CONTEST], "ZRV-DX-SSB");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_CATEGORY_MODE], "SSB");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_CLAIMED], "77");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_NAME], "");
  EXPECT_EQ(seen.texts[IDC_CABRILLO_SOAPBOX], "");

  EXPECT_EQ(settingsEntries(scratch.readFile(kSettingsFile)),
            withStart({{"Mode", "SSB"},
                       {"Claimed", "77"},
                       {"Operators", "DL1ABC DL3QQ"},
                       {"Name", "Anna Schmidt"},
                       {"Address", "Ring 3"},
                       {"Address_City", "Bonn"},
                       {"Address_St_Prov", "NRW"},
                       {"Address_PostalCode", "53111"},
                       {"Address_Country", "Germany"},
                       {"Category", "MULTI-ONE"},
                       {"Category_Overlay", "24-HOURS"},
                       {"Contest", "ZRV-TEST"},
                       {"Email", "anna@example.org"},
                       {"Club", "ZRV Friends"},
                       {"SoapBox", "Line one<CR><LF>Line two<CR><LF>Line three"}}));

  // A Belgian station (10 points, province and prefix) and a French one (3 points, EU country):
  // 13 points times 3 multipliers.
  const Qso log[] = {
      {"ON4AAA", "20m", "ON", "ON4", "SSB", "001", "12 AN", 14200000,
       oleTime(k2024_03_02 + 0.5625)},
      {"F5XYZ", "40m", "F", "F5", "CW", "002", "5", 7012345, oleTime(k2024_03_02 + 0.625)}};
  for (const Qso& qso : log) ASSERT_EQ(dll.add(qso), 1) << qso.call;
  int exportDone = 0;
  const OutputSeen output = fetchResult(dll, exportDone);
  EXPECT_EQ(output.message, "File produced: DL1ABC_P.cbr");  // named after the passed callsign
  EXPECT_EQ(exportDone, -1);
  EXPECT_EQ(
      scratch.readFile("DL1ABC_P.cbr"),
      "START-OF-LOG: 2.0\r\n"
      "CONTEST: ZRV-DX-SSB\r\n"
      "CALLSIGN: DL1ABC/M\r\n"
      "CATEGORY-OPERATOR: MULTI-ONE 160M LOW POWER\r\n"
      "OPERATORS: DL1ABC DL3QQ\r\n"
      "CLAIMED-SCORE: 39\r\n"
      "NAME: Anna Schmidt\r\n"
      "EMAIL: anna@example.org\r\n"
      "ADDRESS: Ring 3\r\n"
      "ADDRESS: Bonn\r\n"
      "ADDRESS: NRW\r\n"
      "ADDRESS: 53111\r\n"
      "ADDRESS: Germany\r\n"
      "SOAPBOX: Line one\r\n"
      "SOAPBOX: Line two\r\n"
      "SOAPBOX: Line three\r\n"
      "QSO: 14200 PH 2024-03-02 1330 DL1ABC/M      59  0001 --     ON4AAA        59  0012 AN\r\n"
      "QSO:  7012 CW 2024-03-02 1500 DL1ABC/M      59  0002 --     F5XYZ         59  0005 --\r\n"
      "END-OF-LOG:\r\n");
}

// A top-level window of the test's thread, made the active window as a host's main window is.
class ActiveHostWindow {
 public:
  ActiveHostWindow()
      : window_(CreateWindowExA(0, "STATIC", "Host window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300,
                                300, 200, 100, nullptr, nullptr, GetModuleHandleA(nullptr),
                                nullptr)) {
    SetForegroundWindow(window_);
    SetActiveWindow(window_);
  }
  ~ActiveHostWindow() {
    if (window_) DestroyWindow(window_);
  }
  ActiveHostWindow(const ActiveHostWindow&) = delete;
  ActiveHostWindow& operator=(const ActiveHostWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

TEST(CabrilloDialog, EscapeAndTheCloseBoxCancelAndTheOutputBoxBelongsToTheActiveWindow) {
  ScratchFolder scratch;
  scratch.writeFile(kSettingsFile, kLoadedSettings);
  StatsLibrary dll;

  ASSERT_NO_FATAL_FAILURE(startExport(dll, "DL1ABC/P", [&](HWND dialog) {
    typeText(dialog, IDC_CABRILLO_NAME, "Somebody Else");
    typeText(dialog, IDC_CABRILLO_SOAPBOX, "Another soapbox");
    pressEscape(dialog);
  }));
  EXPECT_EQ(settingsEntries(scratch.readFile(kSettingsFile)),
            withStart(settingsEntries(kLoadedSettings)));

  ASSERT_NO_FATAL_FAILURE(startExport(dll, "DL1ABC/P", [&](HWND dialog) {
    typeText(dialog, IDC_CABRILLO_OPERATORS, "NOBODY");
    PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }));
  EXPECT_EQ(settingsEntries(scratch.readFile(kSettingsFile)),
            withStart(settingsEntries(kLoadedSettings)));

  ActiveHostWindow host;
  ASSERT_NE(host.get(), nullptr);
  ASSERT_EQ(GetActiveWindow(), host.get());
  int exportDone = 0;
  const OutputSeen output = fetchResult(dll, exportDone);
  EXPECT_EQ(output.owner, host.get());
  EXPECT_EQ(scratch.readFile("DL1ABC_P.cbr"), kLoadedHeaderFile);
}

}  // namespace
}  // namespace stats_test
