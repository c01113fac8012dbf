# tavo_header_only(<package> <target> <header folder>)
#
# A header-only library that Debian installs for the build machine (CLI11,
# nlohmann-json). A native build takes its CMake package. A cross build
# finds no package inside its target's root, and the host's /usr/include
# must not become an include folder of the cross compiler (its C library
# headers are not the target's): the library's own header folder is linked
# into a folder of the build tree that holds nothing else, and <target> is
# made to point there.
function(tavo_header_only package target folder)
  if(TARGET ${target})
    return()
  endif()
  # GLOBAL: the tests use the library too.
  if(NOT CMAKE_CROSSCOMPILING)
    find_package(${package} CONFIG REQUIRED GLOBAL)
    return()
  endif()
  find_package(${package} CONFIG QUIET GLOBAL)
  if(TARGET ${target})
    return()
  endif()
  find_path(TAVO_HOST_${package}_INCLUDE ${folder} PATHS /usr/include /usr/local/include
            NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
  if(NOT TAVO_HOST_${package}_INCLUDE)
    message(FATAL_ERROR "${package}: ${folder} not found for the target nor on the build machine")
  endif()
  set(staged ${CMAKE_BINARY_DIR}/header-only/${package})
  cmake_path(GET folder PARENT_PATH parent)
  file(MAKE_DIRECTORY ${staged}/${parent})
  file(CREATE_LINK ${TAVO_HOST_${package}_INCLUDE}/${folder} ${staged}/${folder} SYMBOLIC COPY_ON_ERROR)
  add_library(${target} INTERFACE IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${staged})
  message(STATUS "${package}: the build machine's headers, from ${TAVO_HOST_${package}_INCLUDE}/${folder}")
endfunction()
