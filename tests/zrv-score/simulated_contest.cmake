# A small simulated contest checked end to end: the generator's logs, the same bytes on every
# platform, checked by zrv-score check, every verdict the one the generator's truth gives.
#
#   cmake -DTOOL=... -DLIBRARY=... -DCOUNTRY_FILE=... -DWORK=... -DSIMULATOR=... [-DLAUNCHER=wine]
#         -P simulated_contest.cmake
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
include(${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake)

execute_process(COMMAND ${LAUNCHER} "${SIMULATOR}" make contest --stations 60 --qsos 120 --seed 11
                WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE status)
file(SHA256 "${WORK}/contest/truth.csv" truth)
set(run "zrv-contest-sim make")
expect("the truth's digest" "${status} ${truth}"
       "^0 6f0f5452298189f6be0d8d23e2751f458d29b7b0d64880f9a01be773d238b230$")

zrv_score(0 check contest/logs --out contest/check)
execute_process(COMMAND ${LAUNCHER} "${SIMULATOR}" score contest/truth.csv contest/check/qsos.csv
                WORKING_DIRECTORY "${WORK}" OUTPUT_VARIABLE accuracy)
string(REPLACE "\r\n" "\n" accuracy "${accuracy}")
# Every kind of error injected and each found with its right verdict: no share below 100 %.
expect("the accuracy" "${accuracy}" "busted-call: [1-9]" "busted-exchange: [1-9]" "dupe: [1-9]"
       "nil: [1-9]" "no-log: [1-9]" "!verdict \\([0-9][0-9]?\\."
       "correct QSOs marked as errors: 0 of [1-9]")
