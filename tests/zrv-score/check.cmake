# zrv-score check on a folder of submitted logs the script writes: the plug-in's own Cabrillo 2.0
# file, 3.0 files of other loggers in lower case, a file that is no log and two logs of one call.
#
#   cmake -DTOOL=... -DLIBRARY=... -DCOUNTRY_FILE=... -DWORK=... [-DLAUNCHER=wine] -P check.cmake
file(REMOVE_RECURSE "${WORK}")
include(${CMAKE_CURRENT_LIST_DIR}/script_helpers.cmake)

function(submitted file call)
  string(REPLACE ";" "\n" lines "${ARGN}")
  file(WRITE "${WORK}/logs/${file}"
       "START-OF-LOG: 3.0\nCONTEST: ZRV-DX-CW\nCALLSIGN: ${call}\nCATEGORY-OPERATOR: SINGLE-OP\n"
       "${lines}\nEND-OF-LOG:\n")
endfunction()
submitted(f5cc.txt f5cc "qso: 14026 cw 2024-06-01 1202 f5cc 599 11 dl1aa 599 2")
execute_process(COMMAND ${CMAKE_COMMAND} -E sleep 1)  # the log sent again, later
submitted(f5cc-2.txt F5CC "qso: 14026 cw 2024-06-01 1202 f5cc 599 12 dl1aa 599 2"
          "qso: 14030 cw 2024-06-01 1245 f5cc 599 14 on4bb 599 3 an")
submitted(dl1aa.cbr DL1AA
          "QSO: 14025 CW 2024-06-01 1200 DL1AA 599 001 -- ON4BB 599 001 AN"
          "QSO: 14026 CW 2024-06-01 1202 DL1AA 599 002 -- F5CC 599 013 --"
          "QSO:  7025 CW 2024-06-01 1210 DL1AA 599 003 -- ON4BD 599 002 AN"
          "QSO: 14027 CW 2024-06-01 1230 DL1AA 599 004 -- OE1DD 599 001 --"
          "QSO: 14028 CW 2024-06-01 1240 DL1AA 599 005 -- ON4BB 599 001 AN")
string(CONCAT belgian "START-OF-LOG: 2.0\r\nCONTEST: ZRV-DX-CW\r\nCALLSIGN: ON4BB\r\n"
       "CATEGORY-OPERATOR: SINGLE-OP\r\n"
       "QSO: 14025 CW 2024-06-01 1201 ON4BB         599 001 AN     DL1AA         599 001 --\r\n"
       "QSO:  7025 CW 2024-06-01 1210 ON4BB         599 002 AN     DL1AA         599 003 --\r\n"
       "QSO: 14030 CW 2024-06-01 1245 ON4BB         599 003 AN     F5CC          599 014 --\r\n"
       "END-OF-LOG:\r\n")
file(WRITE "${WORK}/logs/ON4BB.log" "${belgian}")
file(WRITE "${WORK}/logs/notes.txt" "not a log\n")

zrv_score(0 check logs --out results)
expect("the errors" "${err}" "notes.txt: no START-OF-LOG line: not a Cabrillo log"
       "two logs of F5CC: f5cc-2.txt and f5cc.txt; the later, f5cc-2.txt, is checked")
expect("the summary" "${out}" "Checked 3 logs, 10 QSO lines:\n  good: 6 \\(60.00 %\\)")
file(READ "${WORK}/results/qsos.csv" qsos)
expect("qsos.csv" "${qsos}"
  "^log,line,call,band,mode,time,outcome,detail\n"
  "DL1AA,5,ON4BB,20m,CW,2024-06-01 1200,good,\n"
  "DL1AA,6,F5CC,20m,CW,2024-06-01 1202,busted-exchange,12\n"
  "DL1AA,7,ON4BD,40m,CW,2024-06-01 1210,busted-call,ON4BB\n"
  "DL1AA,8,OE1DD,20m,CW,2024-06-01 1230,unique,\n"
  "DL1AA,9,ON4BB,20m,CW,2024-06-01 1240,dupe,\n"
  "ON4BB,6,DL1AA,40m,CW,2024-06-01 1210,good,\n")
# Scored through the plug-in: DL1AA keeps its QSO with ON4BB, 10 points for a province and a
# prefix; ON4BB, a Belgian station scored after the others, its three.
file(READ "${WORK}/results/results.csv" results)
expect("results.csv" "${results}"
  "rank,call,category,claimed_qsos,claimed_score,checked_qsos,checked_score,good,"
  "busted-exchange,busted-call,nil,unique,unchecked,dupe,x-qso\n"
  "\n[0-9],DL1AA,SINGLE-OP,5,[0-9]+,1,20,1,1,1,0,1,0,1,0\n" "ON4BB,SINGLE-OP,3,18,3,18,3,")
file(READ "${WORK}/results/reports/DL1AA.txt" report)
expect("DL1AA's report" "${report}" "Checked: 1 QSOs, score 20\n"
       "line 7: 2024-06-01 1210 40m CW ON4BD: busted-call \\(ON4BB\\)\n"
       "line 9: [^\n]* ON4BB: dupe\n" "!: good")
file(READ "${WORK}/results/results.html" page)
expect("results.html" "${page}" "<td>DL1AA</td><td>SINGLE-OP</td>" "!<script")
