# Stats.dll: the core with the kernel32 settings file, traces through OutputDebugStringA and the
# Win32 user interface. The C and C++ runtimes are linked statically, so the DLL imports system
# DLLs only.
add_library(stats_platform STATIC
  plugin/win32/diagnostics.cpp
  plugin/win32/dll_main.cpp
  plugin/win32/profile_store.cpp
  windows/win32/cabrillo_dialog.cpp
  windows/win32/check_box_windows.cpp
  windows/win32/dialog_lists.cpp
  windows/win32/gdi_canvas.cpp
  windows/win32/host_application.cpp
  windows/win32/info_panel_drawing.cpp
  windows/win32/live_windows.cpp
  windows/win32/mem_dc.cpp
  windows/win32/modal_dialog.cpp
  windows/win32/module_handle.cpp
  windows/win32/multiplier_window.cpp
  windows/win32/output_message.cpp
  windows/win32/pumping_wait.cpp
  windows/win32/setup_dialog.cpp
  windows/win32/user_interface.cpp
  windows/win32/window_placement.cpp
  windows/win32/window_text.cpp
)
target_link_libraries(stats_platform PUBLIC stats_core user32 gdi32 ole32 oleaut32 uuid)

# The export table (plain names and decorated aliases) is generated from plugin/exports.list.
# The terminate handler is linked as an object, not from the archive: it must be there before the
# C++ runtime's own is looked for.
add_library(Stats SHARED
  plugin/exports.cpp
  plugin/application.cpp
  plugin/application_store.cpp
  plugin/win32/terminate_handler.cpp
  resources/stats.rc
  ${STATS_GENERATED_DIR}/exports.def)
target_link_libraries(Stats PRIVATE stats_platform)
set_target_properties(Stats PROPERTIES PREFIX "" OUTPUT_NAME Stats)
target_link_options(Stats PRIVATE -static -static-libgcc -static-libstdc++)
