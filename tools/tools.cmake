# The command-line host, zrv-score: its portable parts (the ADIF reader, the country file) and
# their tests.
include(${CMAKE_CURRENT_LIST_DIR}/zrv-score/adif.cmake OPTIONAL)
include(${CMAKE_CURRENT_LIST_DIR}/zrv-score/country.cmake OPTIONAL)
