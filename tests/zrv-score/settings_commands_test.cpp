// The settings commands against the plug-in core: from the same starting file, a command must leave
// the file byte for byte as the core leaves it when its dialog (faked) closes with OK after the
// same edits.
#include "tools/zrv-score/settings_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/plugin/stats_plugin.h"
#include "core/settings/profile.h"
#include "core/settings/settings_keys.h"
#include "tests/support/fakes.h"
#include "tests/support/scratch_folder.h"

namespace {

using stats::CabrilloState;

constexpr char kIniFile[] = "Plugins/ZRV.ini";

// A file the operator has had for a while: a comment, other sections around, keys spelled in
// other case and blanks around a value.
constexpr char kExistingFile[] =
    "; written by hand\r\n"
    "[Other]\r\n"
    "Mode=SSB\r\n"
    "\r\n"
    "[Settings]\r\n"
    "mode = CW\r\n"
    "Multiplier=1\r\n"
    "Province=BR\r\n"
    "Operators=ON4AA ON4BB\r\n"
    "name=Old Name\r\n"
    "SoapBox=old<CR><LF>text\r\n"
    "Category=MULTI-ONE\r\n"
    "dxcc_x=120\r\n"
    "\r\n"
    "[Later]\r\n"
    "key=value\r\n";

struct Result {
  int status = 0;
  std::string out;
  std::string err;
};

using Command = std::function<int(std::span<const std::string>, std::ostream&, std::ostream&)>;

Result run(const Command& command, const std::vector<std::string>& arguments) {
  std::ostringstream out, err;
  const int status = command(arguments, out, err);
  return {status, out.str(), err.str()};
}

// Runs `work` in a scratch folder of its own that starts with `startingFile` (nullptr: none) and
// returns the settings file it leaves.
std::string fileAfter(const char* startingFile, const std::function<void()>& work,
                      bool pluginsFolder = true) {
  stats_test::ScratchFolder scratch({.pluginsFolder = pluginsFolder});
  if (startingFile) scratch.writeFile(kIniFile, startingFile);
  work();
  return scratch.readFile(kIniFile);
}

// The plug-in's store for its file, without the "Start" writes of an export's contest start: they
// keep the live windows from opening and are not among the header dialog's writes.
class DialogWritesOnly final : public stats_test::ReadThroughStore {
 public:
  std::string read(std::string_view section, std::string_view key,
                   std::string_view defaultValue) override {
    return store_->read(section, key, defaultValue);
  }
  bool write(std::string_view section, std::string_view key, std::string_view value) override {
    return key == stats::keys::kStart || store_->write(section, key, value);
  }

 private:
  std::unique_ptr<stats::ProfileStore> store_ =
      stats::makePlatformProfileStore(std::string(stats::kIniPath));
};

struct SetupCase {
  const char* name;
  const char* startingFile;
  std::optional<int> multiplier;
  std::optional<std::string> mode;
  std::optional<std::string> province;
  bool pluginsFolder = true;  // for the command; the plug-in never creates the folder
};

TEST(SettingsCommands, SetupWritesWhatTheSetupDialogWrites) {
  const SetupCase cases[] = {
      {"no file yet", nullptr, 1, "CW", "AN"},
      {"no Plugins folder yet", nullptr, {}, {}, {}, false},
      {"existing file, only the province", kExistingFile, {}, {}, "lg"},
      {"existing file, multiplier and mode", kExistingFile, 0, "SSB", {}},
  };
  for (const SetupCase& test : cases) {
    SCOPED_TRACE(test.name);
    const std::string expected = fileAfter(test.startingFile, [&] {
      auto ui = std::make_unique<stats_test::FakeUserInterface>();
      ui->onSetup = [&](stats::SetupValues& values) {
        if (test.multiplier) values.useMultiplierWindow = *test.multiplier;
        if (test.mode) values.mode = *test.mode;
        if (test.province) values.province = *test.province;
        return true;
      };
      stats::StatsPlugin(stats::makePlatformProfileStore(std::string(stats::kIniPath)),
                         std::move(ui), stats::makePlatformFileReplace())
          .setup();
    });
    std::vector<std::string> arguments;
    if (test.multiplier)
      arguments.insert(arguments.end(), {"--multiplier", std::to_string(*test.multiplier)});
    if (test.mode) arguments.insert(arguments.end(), {"--mode", *test.mode});
    if (test.province) arguments.insert(arguments.end(), {"--province", *test.province});
    const std::string actual = fileAfter(
        test.startingFile, [&] { EXPECT_EQ(run(zrv_score::runSetupCommand, arguments).status, 0); },
        test.pluginsFolder);
    EXPECT_EQ(actual, expected);
  }
}

struct HeaderEdit {
  const char* option;
  std::string CabrilloState::*member;
  std::string argument;
  std::string dialogText;  // what the operator types into the dialog for the same value
};

struct HeaderCase {
  const char* name;
  const char* startingFile;
  const char* call;  // given to the command as --call; nullptr: not given
  std::vector<HeaderEdit> edits;
};

TEST(SettingsCommands, HeaderWritesWhatTheHeaderDialogWrites) {
  const HeaderCase cases[] = {
      {"no file yet",
       nullptr,
       "ON4ABC",
       {{"--name", &CabrilloState::name, "Ann", "Ann"},
        {"--soapbox", &CabrilloState::soapbox, R"(first\nsecond \\n)", "first\r\nsecond \\n"}}},
      {"existing file, some options",
       kExistingFile,
       nullptr,
       {{"--city", &CabrilloState::addressCity, "Gent", "Gent"},
        {"--overlay", &CabrilloState::categoryOverlay, "ON3", "ON3"}}},
      {"soapbox with real line breaks",
       kExistingFile,
       nullptr,
       {{"--soapbox", &CabrilloState::soapbox, "one\ntwo\r\nthree\n", "one\r\ntwo\r\nthree\r\n"}}},
      {"every option",
       "[Settings]\r\nMode=CW\r\n",
       "DL1XYZ",
       {{"--operators", &CabrilloState::operators, "DL1XYZ DL2XYZ", "DL1XYZ DL2XYZ"},
        {"--name", &CabrilloState::name, "Bert", "Bert"},
        {"--address", &CabrilloState::address, "Hauptstr. 1", "Hauptstr. 1"},
        {"--city", &CabrilloState::addressCity, "Bonn", "Bonn"},
        {"--state", &CabrilloState::addressStProv, "NRW", "NRW"},
        {"--postal-code", &CabrilloState::addressPostalCode, "53111", "53111"},
        {"--country", &CabrilloState::addressCountry, "Germany", "Germany"},
        {"--email", &CabrilloState::email, "b@example.org", "b@example.org"},
        {"--club", &CabrilloState::club, "RC Bonn", "RC Bonn"},
        {"--soapbox", &CabrilloState::soapbox, "73", "73"},
        {"--contest", &CabrilloState::contest, "ZRV-TEST", "ZRV-TEST"},
        {"--category", &CabrilloState::categoryOperator, "CHECKLOG", "CHECKLOG"},
        {"--overlay", &CabrilloState::categoryOverlay, "6-HOURS", "6-HOURS"}}},
  };
  for (const HeaderCase& test : cases) {
    SCOPED_TRACE(test.name);
    const std::string expected = fileAfter(test.startingFile, [&] {
      auto ui = std::make_unique<stats_test::FakeUserInterface>();
      ui->onCabrillo = [&](CabrilloState& header) {
        for (const HeaderEdit& edit : test.edits) header.*edit.member = edit.dialogText;
        return true;
      };
      // Without --call the callsign must not reach the file: the plug-in gets one of its own.
      stats::StatsPlugin(std::make_unique<DialogWritesOnly>(), std::move(ui),
                         stats::makePlatformFileReplace())
          .resetStats(1, test.call ? test.call : "K9ZZZ", "DL");
    });
    std::vector<std::string> arguments;
    if (test.call) arguments.insert(arguments.end(), {"--call", test.call});
    for (const HeaderEdit& edit : test.edits) {
      arguments.insert(arguments.end(), {edit.option, edit.argument});
    }
    const std::string actual = fileAfter(test.startingFile, [&] {
      EXPECT_EQ(run(zrv_score::runHeaderCommand, arguments).status, 0);
    });
    EXPECT_EQ(actual, expected);
  }
}

TEST(SettingsCommands, BadArgumentsWriteNothing) {
  constexpr char kFile[] = "[Settings]\r\nName=Ann\r\n";
  const struct {
    Command command;
    std::vector<std::string> arguments;
  } cases[] = {
      {zrv_score::runSetupCommand, {"--multiplier", "2"}},
      {zrv_score::runSetupCommand, {"--mode"}},
      {zrv_score::runSetupCommand, {"--mode", "--province", "AN"}},
      {zrv_score::runSetupCommand, {"--colour", "red"}},
      {zrv_score::runSetupCommand, {"CW"}},
      {zrv_score::runSetupCommand, {"--province", "AN", "--province=BR"}},
      {zrv_score::runSetupCommand, {"--province", "A\nN"}},
      {zrv_score::runHeaderCommand, {"--nickname", "x"}},
      {zrv_score::runHeaderCommand, {"--operators", "ON4AA", "--name", "A\r\nB"}},
      {zrv_score::runHeaderCommand, {"--name", "Bert"}},  // no operators and no callsign
      {zrv_score::runSettingsCommand, {"--all"}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(::testing::PrintToString(test.arguments));
    const std::string file = fileAfter(kFile, [&] {
      const Result result = run(test.command, test.arguments);
      EXPECT_EQ(result.status, 2);
      EXPECT_NE(result.err.find("--help"), std::string::npos) << result.err;
    });
    EXPECT_EQ(file, kFile);
  }
}

TEST(SettingsCommands, FailedWriteIsReported) {
  stats_test::ScratchFolder scratch({.pluginsFolder = false});
  scratch.writeFile("Plugins", "a file where the folder should be");
  const Result result = run(zrv_score::runSetupCommand, {"--mode", "CW"});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("could not write Plugins/ZRV.ini: "), std::string::npos) << result.err;
}

TEST(SettingsCommands, SettingsListsEveryKeyInTheDeclaredOrder) {
  stats_test::ScratchFolder scratch;
  scratch.writeFile(kIniFile, "[Settings]\r\nmode = CW\r\nProvince=\r\nSoapBox=a<CR><LF>b\r\n");
  const Result result = run(zrv_score::runSettingsCommand, {});
  EXPECT_EQ(result.status, 0);
  const std::filesystem::path path = std::filesystem::current_path() / "Plugins" / "ZRV.ini";
  EXPECT_EQ(result.out, "Settings file: " + path.string() +
                            "\n"
                            "Multiplier=(not set)\nProvince=\nMode=CW\nStart=(not set)\n"
                            "BELGIUM=(not set)\nClaimed=(not set)\nOperators=(not set)\n"
                            "Name=(not set)\nAddress=(not set)\nAddress_City=(not set)\n"
                            "Address_St_Prov=(not set)\nAddress_PostalCode=(not set)\n"
                            "Address_Country=(not set)\nEmail=(not set)\nClub=(not set)\n"
                            "SoapBox=a<CR><LF>b\nContest=(not set)\nCategory=(not set)\n"
                            "Category_Overlay=(not set)\ncont_x=(not set)\ncont_y=(not set)\n"
                            "dxcc_x=(not set)\ndxcc_y=(not set)\nstat_x=(not set)\n"
                            "stat_y=(not set)\n");
}

}  // namespace
