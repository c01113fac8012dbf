# The Windows program folder and its zip: the executables, the DLLs they import
# (read from their import tables), the Qt plugins Qt loads at run time, the
# help file, Data\ and Results\. `cmake --install <build> --prefix <folder>`
# lays the folder out; it runs as it is, from wherever it is copied.

# Qt's DLLs, and for MinGW the compiler's runtime, are looked for in Qt's own
# bin folder and beside the compiler.
get_target_property(tavo_qt_core_dll Qt6::Core LOCATION)
get_filename_component(tavo_qt_bin "${tavo_qt_core_dll}" DIRECTORY)
get_filename_component(tavo_compiler_bin "${CMAKE_CXX_COMPILER}" DIRECTORY)

install(RUNTIME_DEPENDENCY_SET tavo_runtime
  DESTINATION ${TAVO_PROGRAM_DIR}
  DIRECTORIES "${tavo_qt_bin}" "${tavo_compiler_bin}"
  # Qt's and the compiler's DLLs travel with the program; the system's own
  # (kernel32, user32, the C runtime, ...) are always there.
  PRE_INCLUDE_REGEXES "^qt6" "^lib(stdc\\+\\+|gcc_s|winpthread)" "^(msvcp|vcruntime)[0-9]"
  PRE_EXCLUDE_REGEXES ".*"
)

# Plugins Qt loads by name: the real windowing platform and the native style.
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION ${TAVO_PROGRAM_DIR}/platforms)
if(TARGET Qt6::QWindowsVistaStylePlugin)
  install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION ${TAVO_PROGRAM_DIR}/styles)
endif()
