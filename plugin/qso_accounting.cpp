#include "plugin/qso_accounting.h"

#include "plugin/multipliers.h"

namespace stats {
namespace {

bool isAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char asciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string zeros(size_t count) {
  return std::string(count, '0');
}

// A Belgian exchange (serial number and province): the serial padded to four digits, one blank,
// the province as received. Lengths with no four-digit form are kept as received.
std::string normaliseBelgianExchange(std::string_view received) {
  const size_t length = received.size();
  const std::string_view province = received.substr(length - 2);
  if (received[length - 3] == ' ') {
    if (length >= 4 && length <= 6) return zeros(7 - length) + std::string(received);
    return std::string(received);
  }
  if (length >= 3 && length <= 6) {
    const std::string_view serial = received.substr(0, length - 2);
    return zeros(6 - length) + std::string(serial) + " " + std::string(province);
  }
  return std::string(received);  // a serial of five or more digits written together
}

// A serial number without province, padded to four digits and followed by " --".
std::string normaliseSerialOnly(std::string_view received) {
  const size_t length = received.size();
  return zeros(length < 4 ? 4 - length : 0) + std::string(received) + " --";
}

}  // namespace

bool acceptableQso(const QsoArguments& qso) {
  return (qso.mode == "SSB" || qso.mode == "CW") && !qso.receivedExchange.empty() &&
         !qso.sentSerial.empty();
}

std::string buildSentExchange(std::string_view sentSerial, bool belgianStation,
                              std::string_view ownProvince) {
  std::string sent =
      sentSerial.size() == 3 ? "0" + std::string(sentSerial) : std::string(sentSerial);
  sent += ' ';
  sent += belgianStation ? ownProvince : std::string_view("--");
  return sent;
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
  record.sentExch = buildSentExchange(qso.sentSerial, belgianStation, ownProvince);
  if (!belgianStation && isEuropeanUnion(qso.dxccPrefix)) record.euCountry = qso.dxccPrefix;

  const std::string_view received = qso.receivedExchange;
  const size_t length = received.size();
  if (length >= 2 && isAsciiLetter(received[length - 1]) && isAsciiLetter(received[length - 2])) {
    record.rcvdExch = received;
    if (length != 2 && qso.dxccPrefix == kBelgiumPrefix) {
      record.rcvdExch = normaliseBelgianExchange(received);
      record.onPrefix = qso.callPrefix;
      record.province = {asciiUpper(received[length - 2]), asciiUpper(received[length - 1])};
    }
  } else {
    record.rcvdExch = normaliseSerialOnly(received);
  }

  record.country = qso.dxccPrefix;
  record.freqKHz = static_cast<int32_t>(qso.frequencyHz / 1000u);
  return record;
}

int addQso(ContestState& state, const QsoArguments& qso) {
  if (!acceptableQso(qso)) return 0;
  // The band is listed before the duplicate test, so a repeated QSO still lists its band.
  addBandIfNew(state.bandList, qso.band);
  state.qsoLog.appendIfNotIdentical(buildRecord(qso, state.belgianStation != 0, state.ownProvince));
  return 1;
}

int removeQso(ContestState& state, const QsoArguments& qso) {
  if (!acceptableQso(qso)) return 0;
  const CInfo record = buildRecord(qso, state.belgianStation != 0, state.ownProvince);
  if (!state.qsoLog.removeFirstIdentical(record)) {
    state.qsoLog.removeFirstByCallModeBand(qso.call, qso.mode, qso.band);
  }
  return 1;
}

}  // namespace stats
