# The shipped files' release shape (included once the Stats target exists), on every platform:
# - Release builds optimise the plug-in's own code for size: its work per logged QSO is small, and
#   at -O3 that code is about two and a half times as large (enough to put the 32-bit DLL over
#   400 KB);
# - each function and datum of Stats and of the static libraries it is built from gets a section
#   of its own, and the linker drops the sections that nothing reaches from the exports. (In the
#   DLLs that is little: the linker script keeps all unwind data, .eh_frame or .pdata, and with it
#   every function that has some; it also keeps the resources, initialisers and TLS callbacks.)
# - the plug-in's own code is compiled with debug information (which changes no code); after each
#   link that information moves into <file>.debug beside the file, and the file is stripped and
#   names its .debug file in a debug link (the file name only, which debuggers look for beside the
#   file or in a debug folder);
# - the DLLs carry a version resource made from the project version.

# Stats and every static or object library of this project that it links, however deep.
set(stats_release_targets Stats)
set(stats_release_index 0)
list(LENGTH stats_release_targets stats_release_count)
while(stats_release_index LESS stats_release_count)
  list(GET stats_release_targets ${stats_release_index} stats_release_target)
  get_target_property(stats_release_links ${stats_release_target} LINK_LIBRARIES)
  foreach(stats_release_link IN LISTS stats_release_links)
    if(TARGET "${stats_release_link}" AND NOT stats_release_link IN_LIST stats_release_targets)
      get_target_property(stats_release_type ${stats_release_link} TYPE)
      get_target_property(stats_release_imported ${stats_release_link} IMPORTED)
      if(stats_release_type MATCHES "^(STATIC|OBJECT)_LIBRARY$" AND NOT stats_release_imported)
        list(APPEND stats_release_targets ${stats_release_link})
      endif()
    endif()
  endforeach()
  math(EXPR stats_release_index "${stats_release_index} + 1")
  list(LENGTH stats_release_targets stats_release_count)
endwhile()
foreach(stats_release_target IN LISTS stats_release_targets)
  target_compile_options(${stats_release_target} PRIVATE
    -g -ffunction-sections -fdata-sections $<$<CONFIG:Release>:-Os>)
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
