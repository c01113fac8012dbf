# The Windows program folder and its zip: the executables, the DLLs they import
# (read from their import tables), the Qt plugins Qt loads at run time, the
# help file, Data\ and Results\. `cmake --install <build> --prefix <folder>`
# lays the folder out; it runs as it is, from wherever it is copied.

# Qt's DLLs, and for MinGW the compiler's runtime, are looked for in Qt's own
# bin folder and beside the compiler.
get_target_property(tavo_qt_core_dll Qt6::Core LOCATION)
get_filename_component(tavo_qt_bin "${tavo_qt_core_dll}" DIRECTORY)
get_filename_component(tavo_compiler_bin "${CMAKE_CXX_COMPILER}" DIRECTORY)

# Plugins Qt loads by name: the real windowing platform, the native style,
# and the offscreen platform that the companion draws its pictures on.
set(tavo_plugins $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> $<TARGET_FILE:Qt6::QOffscreenIntegrationPlugin>)
install(FILES ${tavo_plugins} DESTINATION ${TAVO_PROGRAM_DIR}/platforms)
if(TARGET Qt6::QWindowsVistaStylePlugin)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${TAVO_PROGRAM_DIR}/styles)
  list(APPEND tavo_plugins $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin>)
endif()

# The DLLs of the executables and of the plugins.
list(JOIN tavo_plugins " " tavo_plugin_list)
install(CODE "
  set(TAVO_RUNTIME_EXECUTABLES \"$<TARGET_FILE:tavo12f>\" \"$<TARGET_FILE:tavo12f-cli>\" \"$<TARGET_FILE:tavo12f-render>\" ${tavo_plugin_list})
  set(TAVO_RUNTIME_DIRECTORIES \"${tavo_qt_bin}\" \"${tavo_compiler_bin}\")
  set(TAVO_RUNTIME_DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${TAVO_PROGRAM_DIR}\")
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM \"${CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM}\")
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL \"${CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL}\")
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND \"${CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND}\")
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/windows_runtime.cmake)

