// How a logged call is taken apart, and its WPX prefix.
#include "tools/zrv-score/call_prefix.h"

#include <gtest/gtest.h>

namespace {

using zrv_score::CallParts;

TEST(CallPrefix, SplitsCallLocationAreaAndMaritime) {
  struct Case {
    const char* call;
    const char* own;
    const char* location;
    char areaDigit;
    bool maritimeOrAir;
  };
  for (const Case& c : {
           Case{" dl1abc ", "DL1ABC", "", '\0', false},
           Case{"DL1ABC/P", "DL1ABC", "", '\0', false},
           Case{"DL1ABC/QRP", "DL1ABC", "", '\0', false},
           Case{"DL1ABC/M", "DL1ABC", "", '\0', false},
           Case{"M/DL1ABC", "DL1ABC", "M", '\0', false},  // operating in England
           Case{"DL1ABC/MM", "DL1ABC", "", '\0', true},
           Case{"DL1ABC/AM", "DL1ABC", "", '\0', true},
           Case{"MM/DL1ABC", "DL1ABC", "MM", '\0', false},  // operating in Scotland
           Case{"OH0/DL1ABC", "DL1ABC", "OH0", '\0', false},
           Case{"DL1ABC/OH0", "DL1ABC", "OH0", '\0', false},
           Case{"DL1ABC/ON/P", "DL1ABC", "ON", '\0', false},
           Case{"K1ABC/KH6", "K1ABC", "KH6", '\0', false},
           Case{"W1ABC/4", "W1ABC", "", '4', false},
           Case{"VP2E/K1A", "K1A", "VP2E", '\0', false},    // even: the prefix form
           Case{"W1AW/VP2E", "W1AW", "VP2E", '\0', false},  // the call has the longer suffix
           Case{"RAEM", "RAEM", "", '\0', false},
           Case{"DL1ABC/JOTA", "DL1ABC", "", '\0', false},
           Case{"/P", "", "", '\0', false},
           Case{"", "", "", '\0', false},
       }) {
    const CallParts parts = zrv_score::splitCall(c.call);
    EXPECT_EQ(parts.call, c.own) << c.call;
    EXPECT_EQ(parts.location, c.location) << c.call;
    EXPECT_EQ(parts.areaDigit, c.areaDigit) << c.call;
    EXPECT_EQ(parts.maritimeOrAir, c.maritimeOrAir) << c.call;
  }
}

TEST(CallPrefix, WpxPrefixes) {
  struct Case {
    const char* call;
    const char* prefix;
  };
  for (const Case& c : {
           Case{"ON4ABC", "ON4"},     Case{"OT6X", "OT6"},       Case{"on4abc", "ON4"},
           Case{"ON/DL1ABC", "ON0"},  Case{"DL1ABC/ON", "ON0"},  Case{"F/ON4ABC", "F0"},
           Case{"DL1ABC/P", "DL1"},   Case{"DL1ABC/M", "DL1"},   Case{"DL1ABC/MM", "DL1"},
           Case{"DL1ABC/AM", "DL1"},  Case{"DL1ABC/QRP", "DL1"}, Case{"RAEM", "RA0"},
           Case{"W1ABC/4", "W4"},     Case{"HG19ABC/3", "HG3"},  Case{"RAEM/4", "RA4"},
           Case{"KH6/K1ABC", "KH6"},  Case{"K1ABC/KH6", "KH6"},  Case{"OH0/DL1ABC", "OH0"},
           Case{"HG19ABC", "HG19"},   Case{"4U1UN", "4U1"},      Case{"2E0ABC", "2E0"},
           Case{"SX200ADL", "SX200"}, Case{"VP2E/W1ABC", "VP2"}, Case{"", ""},
       }) {
    EXPECT_EQ(zrv_score::wpxPrefix(c.call), c.prefix) << c.call;
  }
}

}  // namespace
