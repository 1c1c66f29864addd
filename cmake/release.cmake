# The shipped files' release shape (included once the Stats target exists):
# - each function and datum of the plug-in's code gets a section of its own, and the linker drops
#   the sections that nothing reaches from the exports (in the DLLs that is little: the linker
#   script keeps all unwind data, and with it every function that has some);
# - Release builds of the DLLs optimise the plug-in's own code for size: its work per call is
#   small, and at -O3 that code is about two and a half times as large (enough to put the 32-bit
#   DLL over 400 KB). libStats.so keeps -O3;
# - the plug-in's own code is compiled with debug information (which changes no code); after each
#   link that information moves into <file>.debug beside the file, and the file is stripped and
#   names its .debug file in a debug link (the file name only, which debuggers look for beside the
#   file or in a debug folder);
# - the DLLs carry a version resource made from the project version.
get_property(stats_release_layers GLOBAL PROPERTY STATS_LAYERS)
foreach(stats_release_target Stats ${stats_release_layers})
  target_compile_options(${stats_release_target} PRIVATE -g -ffunction-sections -fdata-sections)
  if(WIN32)
    target_compile_options(${stats_release_target} PRIVATE $<$<CONFIG:Release>:-Os>)
  endif()
endforeach()
target_link_options(Stats PRIVATE -Wl,--gc-sections)

# The toolchain's own objcopy and strip: the mingw triple's for the DLLs, the native ones here.
foreach(stats_release_tool CMAKE_OBJCOPY CMAKE_STRIP)
  if(NOT ${stats_release_tool})
    message(FATAL_ERROR "${stats_release_tool} is not set: Stats cannot be stripped")
  endif()
endforeach()
add_custom_command(TARGET Stats POST_BUILD
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE:Stats> $<TARGET_FILE:Stats>.debug
  COMMAND ${CMAKE_STRIP} --strip-all $<TARGET_FILE:Stats>
  COMMAND ${CMAKE_OBJCOPY} --add-gnu-debuglink=$<TARGET_FILE:Stats>.debug $<TARGET_FILE:Stats>
  COMMENT "Stripping $<TARGET_FILE_NAME:Stats>; its debug information goes beside it, into .debug"
  VERBATIM)
set_property(TARGET Stats APPEND PROPERTY ADDITIONAL_CLEAN_FILES $<TARGET_FILE:Stats>.debug)

if(WIN32)
  # version.h for stats.rc's VERSIONINFO, in the build tree.
  if(PROJECT_VERSION_TWEAK STREQUAL "")
    set(STATS_VERSION_TWEAK 0)
  else()
    set(STATS_VERSION_TWEAK ${PROJECT_VERSION_TWEAK})
  endif()
  configure_file(${PROJECT_SOURCE_DIR}/resources/version.h.in
                 ${PROJECT_BINARY_DIR}/generated/version.h @ONLY)
  target_include_directories(Stats PRIVATE ${PROJECT_BINARY_DIR}/generated)
  # windres reports no included files to Ninja: name the generated header as a dependency.
  get_target_property(stats_release_sources Stats SOURCES)
  list(FILTER stats_release_sources INCLUDE REGEX "\\.rc$")
  set_property(SOURCE ${stats_release_sources} APPEND PROPERTY
               OBJECT_DEPENDS ${PROJECT_BINARY_DIR}/generated/version.h)
endif()
