# Helpers for the project's targets: every folder is one library, and its
# warnings are its own.

# The compiler's warnings, as errors nowhere, on one target.
function(tavo_target_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
    # GCC 12 warns of overlapping copies inside std::string's own operator+
    # at -O2 (GCC bug 105329), which the Windows release build meets.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
      target_compile_options(${target} PRIVATE -Wno-restrict)
    endif()
  endif()
endfunction()

# tavo_add_library(<name> <sources and headers of this folder>...)
#
# A static library for the folder of the calling CMakeLists.txt. Its headers
# are published under a folder of the build tree that holds only them (each
# as a one-line header that includes the real one), as "<folder>/<header>".
# A target therefore sees the headers of the libraries it links and no
# others: an include that runs the wrong way between the layers does not
# compile.
function(tavo_add_library name)
  add_library(${name} STATIC ${ARGN})
  tavo_target_warnings(${name})
  cmake_path(RELATIVE_PATH CMAKE_CURRENT_SOURCE_DIR BASE_DIRECTORY ${PROJECT_SOURCE_DIR} OUTPUT_VARIABLE folder)
  set(root ${CMAKE_BINARY_DIR}/include/${name})
  foreach(file IN LISTS ARGN)
    if(file MATCHES "\\.h$")
      file(CONFIGURE OUTPUT ${root}/${folder}/${file}
           CONTENT "#include \"${CMAKE_CURRENT_SOURCE_DIR}/${file}\"\n")
    endif()
  endforeach()
  target_include_directories(${name} PUBLIC ${root})
endfunction()
