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

# Which DLLs an executable needs is read from its import table: with
# MinGW's objdump (the cross build's toolchain file names it already), with
# dumpbin under MSVC, CMake's default.
if(MINGW AND NOT CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
  set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${CMAKE_OBJDUMP})
endif()
set(tavo_dependency_settings "")
foreach(setting PLATFORM TOOL COMMAND)
  if(CMAKE_GET_RUNTIME_DEPENDENCIES_${setting})
    string(APPEND tavo_dependency_settings
           "set(CMAKE_GET_RUNTIME_DEPENDENCIES_${setting} \"${CMAKE_GET_RUNTIME_DEPENDENCIES_${setting}}\")\n")
  endif()
endforeach()

# giflib travels too where it is a DLL (vcpkg's x64-windows builds one, into
# the bin folder beside its lib folder).
set(tavo_dll_dirs "${tavo_qt_bin}" "${tavo_compiler_bin}")
list(GET GIF_LIBRARIES 0 tavo_gif_library)
if(tavo_gif_library)
  get_filename_component(tavo_gif_dir "${tavo_gif_library}" DIRECTORY)
  list(APPEND tavo_dll_dirs "${tavo_gif_dir}" "${tavo_gif_dir}/../bin")
endif()

# MSVC's runtime (msvcp140.dll, vcruntime140*.dll) beside the executables,
# so the folder runs where the Visual C++ Redistributable is not installed.
if(MSVC)
  set(CMAKE_INSTALL_SYSTEM_RUNTIME_DESTINATION ${TAVO_PROGRAM_DIR})
  include(InstallRequiredSystemLibraries)
endif()

# The DLLs of the executables and of the plugins.
list(JOIN tavo_plugins " " tavo_plugin_list)
install(CODE "
  set(TAVO_RUNTIME_EXECUTABLES \"$<TARGET_FILE:tavo12f>\" \"$<TARGET_FILE:tavo12f-cli>\" \"$<TARGET_FILE:tavo12f-render>\" ${tavo_plugin_list})
  set(TAVO_RUNTIME_DIRECTORIES \"${tavo_dll_dirs}\")
  set(TAVO_RUNTIME_DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${TAVO_PROGRAM_DIR}\")
  ${tavo_dependency_settings}
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/windows_runtime.cmake)
