# The libFuzzer targets (scripts/fuzz builds and runs them; included only with STATS_FUZZ=ON, in a
# build folder of its own). The plug-in and the readers are compiled here once more with the
# fuzzer's instrumentation, from the very source lists of the shipped targets:
# - fuzz_exports: the ten entry points in-process over the core and the POSIX settings file, as
#   libStats.so has them, with a user interface of its own in place of the headless one: its
#   dialogs close with OK or are cancelled as the input says (fuzz_user_interface.h);
# - fuzz_settings: the POSIX settings store and the plug-in's settings access;
# - fuzz_adif, fuzz_country: zrv-score's ADIF reader and country-file parser.
# - fuzz_cabrillo: the cross-check's reader of submitted Cabrillo logs and the check itself.
# With STATS_FUZZ_COVERAGE=ON the same targets carry source-based coverage instead of the
# sanitizers, to measure what a corpus reaches.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
  message(FATAL_ERROR "STATS_FUZZ needs clang and its libFuzzer (CMAKE_CXX_COMPILER=clang++)")
endif()
option(STATS_FUZZ_COVERAGE "Fuzz targets with coverage instrumentation, without sanitizers" OFF)

if(STATS_FUZZ_COVERAGE)
  set(stats_fuzz_compile -fsanitize=fuzzer-no-link -fprofile-instr-generate -fcoverage-mapping)
  set(stats_fuzz_link -fsanitize=fuzzer -fprofile-instr-generate)
else()
  set(stats_fuzz_compile -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
      -fno-omit-frame-pointer)
  set(stats_fuzz_link -fsanitize=fuzzer,address,undefined)
endif()
# clang does not know some of GCC's warning names the sources silence.
list(APPEND stats_fuzz_compile -g -Wno-unknown-warning-option)

# The plug-in as libStats.so is made of it.
get_property(stats_fuzz_core_sources GLOBAL PROPERTY STATS_CORE_SOURCES)
get_target_property(stats_fuzz_platform_sources stats_platform SOURCES)
get_target_property(stats_fuzz_library_sources Stats SOURCES)
set(stats_fuzz_plugin_sources)
foreach(source IN LISTS stats_fuzz_core_sources stats_fuzz_platform_sources
                        stats_fuzz_library_sources)
  if(NOT IS_ABSOLUTE ${source})
    set(source ${CMAKE_SOURCE_DIR}/${source})
  endif()
  list(APPEND stats_fuzz_plugin_sources ${source})
endforeach()
list(REMOVE_ITEM stats_fuzz_plugin_sources
     ${CMAKE_SOURCE_DIR}/platform/posix/user_interface.cpp)
list(APPEND stats_fuzz_plugin_sources ${CMAKE_CURRENT_LIST_DIR}/fuzz_user_interface.cpp)
# The shipped targets themselves are not built in this configuration.
get_property(stats_fuzz_layers GLOBAL PROPERTY STATS_LAYERS)
set_target_properties(${stats_fuzz_layers} Stats PROPERTIES EXCLUDE_FROM_ALL TRUE)
add_library(fuzz_plugin STATIC ${stats_fuzz_plugin_sources})
target_include_directories(fuzz_plugin PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(fuzz_plugin PUBLIC STATS_BUILDING_PLUGIN)

add_library(fuzz_readers STATIC
  ${CMAKE_SOURCE_DIR}/tools/zrv-score/adif_qso.cpp
  ${CMAKE_SOURCE_DIR}/tools/zrv-score/adif_reader.cpp
  ${CMAKE_SOURCE_DIR}/tools/zrv-score/band_plan.cpp
  ${CMAKE_SOURCE_DIR}/tools/zrv-score/call_prefix.cpp
  ${CMAKE_SOURCE_DIR}/tools/zrv-score/country_file.cpp
  ${CMAKE_SOURCE_DIR}/tools/zrv-score/cross_check.cpp
  ${CMAKE_SOURCE_DIR}/tools/zrv-score/submitted_log.cpp
  ${CMAKE_SOURCE_DIR}/core/log/ole_date_time.cpp)
target_include_directories(fuzz_readers PUBLIC ${CMAKE_SOURCE_DIR})

add_library(fuzz_support STATIC ${CMAKE_CURRENT_LIST_DIR}/fuzz_support.cpp
            ${CMAKE_SOURCE_DIR}/tests/support/trace_capture.cpp)
target_include_directories(fuzz_support PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(fuzz_support PUBLIC fuzz_plugin)

foreach(stats_fuzz_library fuzz_plugin fuzz_readers fuzz_support)
  target_compile_options(${stats_fuzz_library} PRIVATE ${stats_fuzz_compile})
endforeach()

# Each target's regression inputs and seeds are replayed by a test: a crash, a timeout or a
# sanitizer report fails it.
set(STATS_FUZZ_TARGETS exports settings adif country cabrillo)
foreach(target IN LISTS STATS_FUZZ_TARGETS)
  add_executable(fuzz_${target} ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzzer.cpp)
  target_compile_options(fuzz_${target} PRIVATE ${stats_fuzz_compile})
  target_link_options(fuzz_${target} PRIVATE ${stats_fuzz_link})
  add_test(NAME fuzz_${target}_regressions
    COMMAND ${CMAKE_COMMAND} -DFUZZER=$<TARGET_FILE:fuzz_${target}>
      "-DFOLDERS=${CMAKE_CURRENT_LIST_DIR}/regressions/${target};${CMAKE_CURRENT_LIST_DIR}/seeds/${target}"
      -P ${CMAKE_CURRENT_LIST_DIR}/replay.cmake)
  set_tests_properties(fuzz_${target}_regressions PROPERTIES LABELS fuzz TIMEOUT 300)
endforeach()
target_link_libraries(fuzz_exports PRIVATE fuzz_plugin fuzz_support)
target_link_libraries(fuzz_settings PRIVATE fuzz_plugin fuzz_support)
target_link_libraries(fuzz_adif PRIVATE fuzz_readers)
target_link_libraries(fuzz_country PRIVATE fuzz_readers)
target_link_libraries(fuzz_cabrillo PRIVATE fuzz_readers)
