# The layers of the plug-in: each folder is one library that links only the layers below it, and
# its sources include only headers of its own folder and of those layers. stats_layer() makes the
# library and records what the folder may include; every build checks the includes of every layer
# (cmake/check_layer_includes.cmake), so an include that reaches up fails the build.
#
#   stats_layer(NAME FOLDER folder [SOURCES file...] [LINKS layer... ] [SYSTEM library...])
#
# A layer without SOURCES is an interface library (headers only). LINKS names lower layers;
# SYSTEM names libraries that are no layer (user32, ...).
set_property(GLOBAL PROPERTY STATS_LAYERS "")
set_property(GLOBAL PROPERTY STATS_CORE_SOURCES "")
add_custom_target(stats_layer_includes
  COMMAND ${CMAKE_COMMAND} -DRULES=${CMAKE_BINARY_DIR}/stats_layer_rules.txt
          -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/check_layer_includes.cmake
  COMMENT "Checking that every layer includes only its own folder and the layers below it"
  VERBATIM)

# Records what `folder`, the folder of target `name`, may include: its own headers and those of the
# layers it links, and theirs.
function(stats_layer_rule name folder)
  set(allowed ${folder})
  foreach(lower IN LISTS ARGN)
    get_property(lower_allowed GLOBAL PROPERTY STATS_LAYER_ALLOWED_${lower} SET)
    if(NOT lower_allowed)
      message(FATAL_ERROR "${name} links ${lower}, which is no layer defined before it")
    endif()
    get_property(lower_allowed GLOBAL PROPERTY STATS_LAYER_ALLOWED_${lower})
    list(APPEND allowed ${lower_allowed})
  endforeach()
  list(REMOVE_DUPLICATES allowed)
  set_property(GLOBAL PROPERTY STATS_LAYER_ALLOWED_${name} ${allowed})
  string(REPLACE ";" "," allowed_text "${allowed}")
  file(APPEND ${CMAKE_BINARY_DIR}/stats_layer_rules.txt "${folder}=${allowed_text}\n")
endfunction()

function(stats_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 layer "" "FOLDER" "SOURCES;LINKS;SYSTEM")
  stats_layer_rule(${name} ${layer_FOLDER} ${layer_LINKS})

  if(layer_SOURCES)
    list(TRANSFORM layer_SOURCES PREPEND ${CMAKE_SOURCE_DIR}/${layer_FOLDER}/)
    add_library(${name} STATIC ${layer_SOURCES})
    target_link_libraries(${name} PUBLIC ${layer_LINKS} ${layer_SYSTEM})
    add_dependencies(${name} stats_layer_includes)
    set(scope PUBLIC)
    set_property(GLOBAL APPEND PROPERTY STATS_LAYERS ${name})
    if(layer_FOLDER MATCHES "^core/")
      set_property(GLOBAL APPEND PROPERTY STATS_CORE_SOURCES ${layer_SOURCES})
    endif()
  else()
    add_library(${name} INTERFACE)
    target_link_libraries(${name} INTERFACE ${layer_LINKS} ${layer_SYSTEM})
    set(scope INTERFACE)
  endif()
  target_include_directories(${name} ${scope} ${CMAKE_SOURCE_DIR})
  target_compile_definitions(${name} ${scope} STATS_BUILDING_PLUGIN)
endfunction()

file(WRITE ${CMAKE_BINARY_DIR}/stats_layer_rules.txt "")
