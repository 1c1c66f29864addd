# Runs a fuzz target once over every file in the given folders (cmake -P, from the fuzz tests):
# -DFUZZER=<target binary> -DFOLDERS=<folder;folder...>. Fails when the target fails on any file.
set(inputs)
foreach(folder IN LISTS FOLDERS)
  file(GLOB found LIST_DIRECTORIES false "${folder}/*")
  list(APPEND inputs ${found})
endforeach()
list(LENGTH inputs count)
if(count EQUAL 0)
  message(STATUS "no inputs in ${FOLDERS}")
  return()
endif()
# Given files rather than folders, libFuzzer runs each once and writes nothing.
execute_process(COMMAND ${FUZZER} -timeout=30 ${inputs} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${FUZZER} failed on one of ${count} inputs (${result})")
endif()
message(STATUS "${count} inputs replayed")
