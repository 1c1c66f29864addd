// Callsigns as logged: which part of "OH0/DL1ABC" or "DL1ABC/P" is the station's call, which tells
// where it operates, and the call's prefix by the WPX rules.
#pragma once

#include <string>
#include <string_view>

namespace zrv_score {

// The call in upper case (ASCII letters only), without surrounding blanks.
std::string normalizedCall(std::string_view call);

// A callsign taken apart at its slashes, in upper case.
struct CallParts {
  // The station's own call: the part that looks like a full call (letters and digits with a letter
  // after a digit); if several do, the one with the most letters after its last digit, the later
  // one when even ("VP2E/K1A"). The first part when none does.
  std::string call;
  // The part that tells where the station operates: "OH0" in "OH0/DL1ABC" and "DL1ABC/OH0", "ON"
  // in "ON/DL1ABC". Empty when there is none.
  std::string location;
  // A single-digit suffix that moves the call to another call area: '4' in "W1ABC/4"; '\0' if none.
  char areaDigit = '\0';
  // "/MM" (maritime mobile) or "/AM" (aeronautical mobile): the station is in no country.
  bool maritimeOrAir = false;
};

// Splits a call. Suffixes that say how the station operates (/P, /M, /A, /E, /J, /QRP, /LH, ...)
// are dropped; /MM and /AM set maritimeOrAir. They count only after the first part: "M/DL1ABC" is
// DL1ABC operating in England, whose prefixes include M.
CallParts splitCall(std::string_view call);

// The prefix of a call by the WPX rules: the letters and digits up to the call's last digit
// ("ON4ABC" -> "ON4", "HG19ABC" -> "HG19"); a call without a digit gets "0" after its first two
// letters ("RAEM" -> "RA0"); a location part is the prefix ("KH6/K1ABC" -> "KH6"), with "0" after
// its first two letters when it has no digit ("ON/DL1ABC" -> "ON0"); an area digit replaces the
// call's ("W1ABC/4" -> "W4"). Empty for an empty call.
std::string wpxPrefix(std::string_view call);

}  // namespace zrv_score
