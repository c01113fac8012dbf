# Cross-building for 64-bit Windows with Debian's mingw-w64 (posix threads).
# Give the Qt for Windows folder on the command line:
#   -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_PREFIX_PATH=<qt6-mingw>
#   -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TAVO_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TAVO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TAVO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TAVO_MINGW_TRIPLE}-windres)

# The toolchain file is read again for every try_compile; keep the prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES CMAKE_PREFIX_PATH)
set(CMAKE_FIND_ROOT_PATH /usr/${TAVO_MINGW_TRIPLE} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Which DLLs an executable needs, read from its import table at install time.
set(CMAKE_GET_RUNTIME_DEPENDENCIES_PLATFORM windows+pe)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_TOOL objdump)
set(CMAKE_GET_RUNTIME_DEPENDENCIES_COMMAND ${TAVO_MINGW_TRIPLE}-objdump)

# Tests and test discovery run the .exe files under Wine.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  find_program(TAVO_WINE NAMES wine wine64)
  if(TAVO_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${TAVO_WINE})
  endif()
endif()
