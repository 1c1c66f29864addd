// The settings file of the plug-in: its name, its one section and every key in it. Every read and
// write of a setting names its key through these constants.
#pragma once

#include <string_view>

namespace stats {

inline constexpr std::string_view kIniPath = "Plugins\\ZRV.ini";
inline constexpr std::string_view kIniSection = "Settings";

namespace keys {

// The setup dialog's three values.
inline constexpr std::string_view kMultiplier = "Multiplier";  // 1: the live window is wanted
inline constexpr std::string_view kProvince = "Province";      // own province (Belgian station)
inline constexpr std::string_view kMode = "Mode";              // the leg worked: "CW" or "SSB"

// Kept by the plug-in itself.
inline constexpr std::string_view kStart = "Start";      // alternation of live-window starts
inline constexpr std::string_view kBelgium = "BELGIUM";  // "1" once the own station was Belgian
inline constexpr std::string_view kClaimed = "Claimed";  // the last claimed score

// The Cabrillo header, as last confirmed in its dialog.
inline constexpr std::string_view kOperators = "Operators";
inline constexpr std::string_view kName = "Name";
inline constexpr std::string_view kAddress = "Address";
inline constexpr std::string_view kAddressCity = "Address_City";
inline constexpr std::string_view kAddressStProv = "Address_St_Prov";
inline constexpr std::string_view kAddressPostalCode = "Address_PostalCode";
inline constexpr std::string_view kAddressCountry = "Address_Country";
inline constexpr std::string_view kEmail = "Email";
inline constexpr std::string_view kClub = "Club";
inline constexpr std::string_view kSoapBox = "SoapBox";
// The header dialog's choices: written, never read back.
inline constexpr std::string_view kContest = "Contest";
inline constexpr std::string_view kCategory = "Category";
inline constexpr std::string_view kCategoryOverlay = "Category_Overlay";

// Positions of the live windows.
inline constexpr std::string_view kContX = "cont_x";
inline constexpr std::string_view kContY = "cont_y";
inline constexpr std::string_view kDxccX = "dxcc_x";
inline constexpr std::string_view kDxccY = "dxcc_y";
inline constexpr std::string_view kStatX = "stat_x";
inline constexpr std::string_view kStatY = "stat_y";

}  // namespace keys
}  // namespace stats
