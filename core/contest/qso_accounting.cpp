#include "core/contest/qso_accounting.h"

#include "core/rules/contest_rules.h"

namespace stats {

bool acceptableQso(const QsoArguments& qso) {
  return isContestMode(qso.mode) && !qso.receivedExchange.empty() && !qso.sentSerial.empty();
}

CInfo buildRecord(const QsoArguments& qso, bool belgianStation, std::string_view ownProvince) {
  CInfo record;
  record.time = qso.qsoTime;
  record.call = qso.call;
  record.band = qso.band;
  record.mode = qso.mode;
  record.hostText30 = qso.hostText30;
  record.hostText11 = qso.hostText11;
  record.hostText10 = qso.hostText10;
  record.sentExch = sentExchange(qso.sentSerial, belgianStation, ownProvince);
  if (countsMultiplier(belgianStation, MultiplierKind::euCountry) &&
      isEuropeanUnion(qso.dxccPrefix)) {
    record.euCountry = qso.dxccPrefix;
  }
  // A Belgian station's province and prefix are kept whichever side the own station is on.
  ReceivedExchange received = receivedExchange(qso.receivedExchange, qso.dxccPrefix);
  record.rcvdExch = std::move(received.text);
  if (!received.province.empty()) {
    record.onPrefix = qso.callPrefix;
    record.province = std::move(received.province);
  }
  record.country = qso.dxccPrefix;
  record.freqKHz = static_cast<int32_t>(qso.frequencyHz / 1000u);
  return record;
}
int addQso(ContestState& state, const QsoArguments& qso) {
  if (!acceptableQso(qso)) return 0;
  // The band is listed before the duplicate test, so a repeated QSO still lists its band.
  addBandIfNew(state.bandList, qso.band);
  state.qsoLog->appendIfNotIdentical(
      buildRecord(qso, state.belgianStation != 0, state.ownProvince));
  return 1;
}

int removeQso(ContestState& state, const QsoArguments& qso) {
  if (!acceptableQso(qso)) return 0;
  const CInfo record = buildRecord(qso, state.belgianStation != 0, state.ownProvince);
  if (!state.qsoLog->removeFirstIdentical(record)) {
    state.qsoLog->removeFirstByCallModeBand(qso.call, qso.mode, qso.band);
  }
  return 1;
}

}  // namespace stats
