// Resource ids of Stats.dll: dialog templates, their controls and the two window icons.
// Included by stats.rc and by the Win32 dialog code.
#ifndef STATS_RESOURCE_H
#define STATS_RESOURCE_H

// Dialog templates.
#define IDD_CABRILLO 101
#define IDD_SETUP 104
#define IDD_MULTIPLIER 105
#define IDD_PROVINCE 114
#define IDD_EUROPEAN_UNION 115

// Icons.
#define IDI_STATS 113
#define IDI_EUROPEAN_UNION 120

// Raw resource type of the combo-box lists that belong to a dialog template (same id as the
// template): records of {WORD control id, WORD message, DWORD length, bytes}, ended by WORD 0.
#define RT_DIALOG_INIT 240
// The record message that adds its bytes (a NUL-terminated text) to a combo box's list.
#define DIALOG_INIT_COMBO_ADD_STRING 0x0403

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif

// Setup dialog (104).
#define IDC_SETUP_PROVINCE 1000
#define IDC_SETUP_MODE 1001
#define IDC_SETUP_USE_MULTIPLIER 1015

// Cabrillo header dialog (101).
#define IDC_CABRILLO_SOAPBOX 1001
#define IDC_CABRILLO_ADDRESS 1002
#define IDC_CABRILLO_ADDRESS_CITY 1003
#define IDC_CABRILLO_EMAIL 1004
#define IDC_CABRILLO_CLUB 1005
#define IDC_CABRILLO_OPERATORS 1006
#define IDC_CABRILLO_NAME 1007
#define IDC_CABRILLO_CLAIMED 1008
#define IDC_CABRILLO_CONTEST 1009
#define IDC_CABRILLO_CALLSIGN 1010
#define IDC_CABRILLO_ADDRESS_ST_PROV 1011
#define IDC_CABRILLO_ADDRESS_POSTALCODE 1012
#define IDC_CABRILLO_CATEGORY_OPERATOR 1013
#define IDC_CABRILLO_CATEGORY_BAND 1014
#define IDC_CABRILLO_ADDRESS_COUNTRY 1015
#define IDC_CABRILLO_CATEGORY_ASSISTED 1016
#define IDC_CABRILLO_CATEGORY_MODE 1020
#define IDC_CABRILLO_CATEGORY_POWER 1021
#define IDC_CABRILLO_CATEGORY_TRANSMITTER 1022
#define IDC_CABRILLO_CATEGORY_OVERLAY 1023
#define IDC_CABRILLO_LOCATION 1024
#define IDC_CABRILLO_CATEGORY_STATION 1025

// Live window (105): the owner-drawn info panel.
#define IDC_MULTIPLIER_PANEL 1016

// Province window (114): one check box per Belgian province.
#define IDC_PROVINCE_AN 1015
#define IDC_PROVINCE_BR 1018
#define IDC_PROVINCE_BW 1021
#define IDC_PROVINCE_HT 1022
#define IDC_PROVINCE_LB 1023
#define IDC_PROVINCE_LG 1024
#define IDC_PROVINCE_NM 1025
#define IDC_PROVINCE_LU 1026
#define IDC_PROVINCE_OV 1027
#define IDC_PROVINCE_VB 1028
#define IDC_PROVINCE_WV 1029

// European-Union window (115): one check box per country, ids 1016 to 1063.
#define IDC_EU_FIRST 1016
#define IDC_EU_LAST 1063

#endif  // STATS_RESOURCE_H
