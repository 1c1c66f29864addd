# zrv-score on what other programs' logs hold, each on a small log written here: tags outside
# records, FREQ in kHz, BAND without FREQ, bands outside the contest, both legs in one log, a
# record repeated, one with no exchange, newest first, a period, the own call that is no call, and
# the stations of two runs in one folder.
#
#   cmake -DTOOL=... -DLIBRARY=... -DCOUNTRY_FILE=... -DWORK=... [-DLAUNCHER=wine]
#         -P behaviour.cmake
file(REMOVE_RECURSE "${WORK}")
# No Plugins folder: the first run that writes the settings must make it.
file(MAKE_DIRECTORY "${WORK}")

# One record: CALL, date and time, BAND, FREQ, MODE, STX, SRX; an empty value is left out.
function(record out call date time band freq mode sent received)
  set(text "<STATION_CALLSIGN:6>DL1ABC ")
  foreach(field CALL:call QSO_DATE:date TIME_ON:time BAND:band FREQ:freq MODE:mode STX:sent
                SRX_STRING:received)
    string(REPLACE ":" ";" pair "${field}")
    list(GET pair 0 tag)
    list(GET pair 1 variable)
    set(value "${${variable}}")
    if(NOT value STREQUAL "")
      string(LENGTH "${value}" length)
      string(APPEND text "<${tag}:${length}>${value} ")
    endif()
  endforeach()
  set(${out} "${${out}}${text}<EOR>\n" PARENT_SCOPE)
endfunction()

# Newest first, as logbook sites export: the Cabrillo file must come out in time order.
set(log "exported newest first\n<EOH>\n")
record(log S51AB 20260309 1206 10m 28.030 CW 53 12)           # outside 7 to 8 March
record(log I2ABC 20260307 1205 20m 14.200 SSB 52 11)          # the other leg
record(log EA3AB 20260307 1204 15m 21.030 CW 51 9)
record(log EA3AB 20260307 1204 15m 21.030 CW 51 9)            # the same record again
record(log EA3AB 20260307 1204 15m 21.030 CW 51 "")           # no exchange received
record(log F5XYZ 20260307 1203 "" 10.120 CW 50 4)             # 30 m, from FREQ
record(log F5XYZ 20260307 1202 2m 144.050 CW 49 3)            # 2 m, from BAND
record(log G4CLN 20260307 1201 20m 14025 CW 48 7)             # FREQ in kHz
record(log OT4AA 20260307 1200 40m "" CW 47 LG)               # BAND alone
string(APPEND log "<APP_LoTW_EOF>\n<EOF>\n")
file(WRITE "${WORK}/mixed.adi" "${log}")
file(WRITE "${WORK}/swallowed.adi"
     "<STATION_CALLSIGN:7>M0NOM <<CALL:5>G4CLN <QSO_DATE:8>20260307 <TIME_ON:4>1201 "
     "<BAND:3>20m <MODE:2>CW <SRX:1>7 <EOR>\n")
file(WRITE "${WORK}/unreadable.adi"
     "<STATION_CALLSIGN:6>M0NOMA <CALL:5>G4CLN <QSO_DATE:7>2026030 <TIME_ON:4>1201 <BAND:3>20m "
     "<MODE:2>CW <SRX:1>7 <EOR>\n<CALL:5>G4CLN <QSO_DATE:8>20260307 <TIME_ON:4>1201 <BAND:3>20m "
     "<MODE:2>CW <SRX:1>7 <EOR>\n")

include(${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake)

# Both legs, each from its own start, and every record left out counted by its cause.
zrv_score(0 mixed.adi)
expect("the output" "${out}"
  "DL1ABC \\(DL\\), CW leg.*9 records read, 4 scored; left out: other leg 1, outside the "
  "contest's bands 2, no exchange received 1, exact duplicate record 1\n1 QSO had a BAND and no "
  "FREQ.*DL1ABC \\(DL\\), SSB leg.*9 records read, 1 scored; left out: other leg 8"
  "!skipped")
expect("the errors" "${err}" "1 record gives a FREQ that is not in MHz"
  "more than a contest weekend: give the contest period with --from and --to" "!skipped")
if(NOT EXISTS "${WORK}/Plugins/ZRV.ini")
  message(FATAL_ERROR "${run} made no Plugins/ZRV.ini")
endif()

# A Cabrillo file is one leg's.
zrv_score(2 mixed.adi --cabrillo)
expect("the errors" "${err}" "give --mode CW or --mode SSB with --cabrillo")

zrv_score(0 mixed.adi --mode CW --from 2026-03-07 --to 2026-03-08 --cabrillo --verbose)
expect("the output" "${out}" "3 scored.*outside the period 1")
expect("the errors" "${err}" "record 6 left out of the CW leg: outside the contest's bands \\(10120 kHz\\)"
  "!contest weekend")
file(READ "${WORK}/DL1ABC.cbr" cabrillo)
expect("DL1ABC.cbr" "${cabrillo}" "CONTEST: ZRV-DX-CW\n"
  "QSO:  7000 CW 2026-03-07 1200 DL1ABC        599 0047 --     OT4AA         599 LG *\n"
  "QSO: 14025 CW 2026-03-07 1201 DL1ABC        599 0048 --     G4CLN         599 0007 --\n"
  "QSO: 21030 CW 2026-03-07 1204 DL1ABC        599 0051 --     EA3AB         599 0009 --\n"
  "END-OF-LOG" "!S51AB" "!I2ABC")

zrv_score(0 mixed.adi --mode CW --cabrillo --cabrillo-version 3.0)
file(READ "${WORK}/DL1ABC.cbr" cabrillo)
expect("DL1ABC.cbr" "${cabrillo}" "^START-OF-LOG: 3.0\nCREATED-BY: zrv-score "
  "CATEGORY-MODE: CW\n" "QSO: 14025 CW 2026-03-07 1201 DL1ABC")

# A Belgian station without its province: the score, and no file.
zrv_score(1 mixed.adi --call ON4ABC --mode CW --cabrillo)
expect("the output" "${out}" "Score: ")
expect("the errors" "${err}" "zrv-score setup --province XX")
if(EXISTS "${WORK}/ON4ABC.cbr")
  message(FATAL_ERROR "${run} wrote ON4ABC.cbr")
endif()

# A Belgian run, then one outside Belgium in the same folder: each gets its own side.
execute_process(COMMAND ${LAUNCHER} "${TOOL}" setup --province LG WORKING_DIRECTORY "${WORK}"
                OUTPUT_QUIET RESULT_VARIABLE status)
zrv_score(0 mixed.adi --call ON4ABC --mode CW --cabrillo)
file(READ "${WORK}/ON4ABC.cbr" cabrillo)
expect("ON4ABC.cbr" "${cabrillo}" "CATEGORY-OPERATOR: [^\n]* NONE\n")
zrv_score(0 mixed.adi --call DL1ABC --mode CW --cabrillo)
file(READ "${WORK}/DL1ABC.cbr" cabrillo)
expect("DL1ABC.cbr" "${cabrillo}" "CATEGORY-OPERATOR: [^\n]*POWER\n")

# An own call that is no call never names a file.
zrv_score(1 swallowed.adi --cabrillo)
expect("the errors" "${err}" "'M0NOM <', is not a callsign.*--call")
zrv_score(1 mixed.adi --call "M0NOM <" --cabrillo)
expect("the errors" "${err}" "--call 'M0NOM <' is not a callsign")
zrv_score(1 unreadable.adi)
expect("the errors" "${err}" "the log's only STATION_CALLSIGN is in record 1, which could not be read")
file(GLOB stray "${WORK}/M0NOM*")
if(stray)
  message(FATAL_ERROR "files named after no call: ${stray}")
endif()

zrv_score(1 .)
expect("the errors" "${err}" "is a folder, not a log file")

zrv_score(0 mixed.adi --mode SSB --html report.html)
file(READ "${WORK}/report.html" page)
expect("report.html" "${page}" "<html" "I2ABC|SSB")
message("zrv-score behaves on every log")
