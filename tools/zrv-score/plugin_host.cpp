#include "tools/zrv-score/plugin_host.h"

namespace zrv_score {

bool PluginHost::attach(const stats_host::PluginLibrary& library, std::string& missing) {
  return library.resolve(api_, missing);
}

void PluginHost::startContest(bool exportRun, const std::string& ownCall,
                              const std::string& ownDxccPrefix) {
  COleDateTime unused{};
  api_.ResetStats0("", exportRun ? 1 : 0, ownCall.c_str(), &unused, &unused, "", "", "", "", "", "",
                   "", "", "", ownDxccPrefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "", "");
}

bool PluginHost::add(const HostQso& qso) {
  COleDateTime time = qso.time;
  COleDateTime unused{};
  return api_.AddData0("", qso.call.c_str(), &unused, &time, &unused, &unused, 0, qso.frequencyHz,
                       qso.mode.c_str(), "", "", qso.sentSerial.c_str(),
                       qso.receivedExchange.c_str(), "", "", "", "", "", "", "", "",
                       qso.callPrefix.c_str(), qso.dxccPrefix.c_str(), 0, 0, 0, 0.0, 0.0, "", "",
                       "", qso.band.c_str(), "") != 0;
}

std::string PluginHost::report() {
  int exportDone = 0;
  const char* text = api_.GetResult0(&exportDone);
  return text != nullptr ? std::string(text) : std::string();
}

std::unique_ptr<stats_host::PluginLibrary> loadPlugin(const std::string& path, PluginHost& host,
                                                      std::string_view command, std::ostream& err) {
  const std::string file =
      path.empty() ? stats_host::executableFolder() + "/" + stats_host::pluginFileName() : path;
  std::string error;
  std::unique_ptr<stats_host::PluginLibrary> library = stats_host::PluginLibrary::load(file, error);
  if (!library) {
    err << command << ": cannot load " << file << ": " << error << "\n";
    return nullptr;
  }
  std::string missing;
  if (!host.attach(*library, missing)) {
    err << command << ": " << file << " lacks the entry point " << missing << "\n";
    return nullptr;
  }
  return library;
}

}  // namespace zrv_score
