#include "cabrillo/cabrillo_header.h"

namespace stats {
namespace {

bool isWhiteSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

std::string ReplaceAll(std::string_view text, std::string_view searched,
                       std::string_view replacement) {
  if (searched.empty()) return std::string(text);
  std::string result;
  size_t start = 0;
  for (size_t found = text.find(searched); found != std::string_view::npos;
       found = text.find(searched, start)) {
    result.append(text.substr(start, found - start));
    result.append(replacement);
    start = found + searched.size();
  }
  result.append(text.substr(start));
  return result;
}

std::string soapboxStoredToDisplay(std::string_view stored) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", "\r"), "<LF>", "\n");
}

std::string soapboxDisplayToStored(std::string_view display) {
  return ReplaceAll(ReplaceAll(display, "\r", "<CR>"), "\n", "<LF>");
}

std::string soapboxStoredToFile(std::string_view stored) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", "\r\nSOAPBOX: "), "<LF>", "");
}

std::string cabrilloFileBase(std::string_view callsign) {
  const std::string replaced = ReplaceAll(ReplaceAll(callsign, "/", "_"), "\\", "_");
  size_t first = 0, last = replaced.size();
  while (first < last && isWhiteSpace(replaced[first])) ++first;
  while (last > first && isWhiteSpace(replaced[last - 1])) --last;
  return first == last ? "NOCALL" : replaced.substr(first, last - first);
}

int loadCabrilloHeader(CabrilloState& state, const Settings& settings, std::string_view callsign) {
  state.ownCall = callsign;
  state.fileBase = cabrilloFileBase(callsign);
  state.operators = settings.readText("Operators", callsign);
  state.name = settings.readText("Name");
  state.address = settings.readText("Address");
  state.addressCity = settings.readText("Address_City");
  state.addressStProv = settings.readText("Address_St_Prov");
  state.addressPostalCode = settings.readText("Address_PostalCode");
  state.addressCountry = settings.readText("Address_Country");
  state.claimed = settings.readText("Claimed");
  const int cwMode = settings.readText("Mode") == "CW" ? 1 : 0;
  state.contest = cwMode ? "ZRV-DX-CW" : "ZRV-DX-SSB";
  state.categoryOperator = "SINGLE OPERATOR";
  state.categoryOverlay = "NONE";
  state.categoryMode = cwMode ? "CW" : "SSB";
  state.categoryBand = "ALL BANDS";
  state.categoryPower = "HIGH POWER";
  state.categoryTransmitter = "ONE";
  state.location = "DX";
  state.categoryStation = "FIXED";
  state.categoryAssisted = "NON-ASSISTED";
  state.email = settings.readText("Email");
  state.club = settings.readText("Club");
  state.soapbox = soapboxStoredToDisplay(settings.readText("SoapBox"));
  return cwMode;
}

void copyCabrilloDialogResult(CabrilloState& state, const CabrilloState& edited) {
  // The claimed score is only shown in the dialog; what was typed there is discarded.
  std::string claimed = std::move(state.claimed);
  std::vector<std::string> qsoLines = std::move(state.qsoLines);
  std::string fileBase = std::move(state.fileBase);
  state = edited;
  state.claimed = std::move(claimed);
  state.qsoLines = std::move(qsoLines);
  state.fileBase = std::move(fileBase);
}

void saveConfirmedCabrilloHeader(CabrilloState& state, const Settings& settings) {
  state.soapbox = soapboxDisplayToStored(state.soapbox);
  settings.writeText("Operators", state.operators);
  settings.writeText("Name", state.name);
  settings.writeText("Address", state.address);
  settings.writeText("Address_City", state.addressCity);
  settings.writeText("Address_St_Prov", state.addressStProv);
  settings.writeText("Address_PostalCode", state.addressPostalCode);
  settings.writeText("Address_Country", state.addressCountry);
  settings.writeText("Category", state.categoryOperator);
  settings.writeText("Category_Overlay", state.categoryOverlay);
  settings.writeText("Contest", state.contest);
  settings.writeText("Email", state.email);
  settings.writeText("Club", state.club);
  settings.writeText("SoapBox", state.soapbox);
  state.soapbox = soapboxStoredToFile(state.soapbox);
  state.qsoLines.clear();
}

void keepCancelledCabrilloHeader(CabrilloState& state) {
  state.soapbox = soapboxStoredToFile(soapboxDisplayToStored(state.soapbox));
}

}  // namespace stats
