# Installs the build into a fresh prefix and checks the layout a Debian
# package gets: programs in bin/, data under share/, the desktop's files, the
# manual pages, the completion and the licence; nothing under lib/ and no
# Results folder to write into.
#   cmake -DBUILD=... -DPREFIX=... -P install_layout.cmake

file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "install failed (${status}):\n${errors}")
endif()

set(expected
  bin/tavo12f
  bin/tavo12f-cli
  bin/tavo12f-render
  share/tavo12f/Data/ivanova.cry
  share/tavo12f/Data/kuznetsova.txt
  share/tavo12f/help/index.html
  share/tavo12f/help/TAVO.12F.hhc
  share/tavo12f/help/TAVO.12F.hhk
  share/tavo12f/help/chart.png
  share/applications/tavo12f.desktop
  share/mime/packages/tavo12f.xml
  share/icons/hicolor/scalable/apps/tavo12f.svg
  share/icons/hicolor/16x16/apps/tavo12f.png
  share/icons/hicolor/48x48/apps/tavo12f.png
  share/icons/hicolor/256x256/apps/tavo12f.png
  share/man/man1/tavo12f.1.gz
  share/man/man1/tavo12f-cli.1.gz
  share/bash-completion/completions/tavo12f-cli
  share/doc/tavo12f/copyright)
foreach(path IN LISTS expected)
  if(NOT EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
foreach(path lib share/tavo12f/Results share/tavo12f/Data/CMakeLists.txt)
  if(EXISTS "${PREFIX}/${path}")
    message(FATAL_ERROR "installed, but should not be: ${path}")
  endif()
endforeach()

# The programs are in bin/ once each, as files rather than links.
file(GLOB_RECURSE programs LIST_DIRECTORIES false "${PREFIX}/*tavo12f-cli" "${PREFIX}/*tavo12f-render"
     "${PREFIX}/*tavo12f")
list(FILTER programs EXCLUDE REGEX "/share/")
list(LENGTH programs count)
if(NOT count EQUAL 3 OR IS_SYMLINK "${PREFIX}/bin/tavo12f")
  message(FATAL_ERROR "expected bin/tavo12f, bin/tavo12f-cli and bin/tavo12f-render once each, got: ${programs}")
endif()

# A 48-pixel PNG is 48 × 48 (IHDR width and height, big-endian).
file(READ "${PREFIX}/share/icons/hicolor/48x48/apps/tavo12f.png" png LIMIT 24 HEX)
if(NOT png MATCHES "^89504e470d0a1a0a0000000d494844520000003000000030$")
  message(FATAL_ERROR "the 48-pixel icon is no 48 x 48 PNG: ${png}")
endif()

# The desktop entry opens files with the program and names the result files' type.
file(READ "${PREFIX}/share/applications/tavo12f.desktop" entry)
file(READ "${PREFIX}/share/mime/packages/tavo12f.xml" mime)
string(REGEX MATCH "application/x-tavo12f-result" entry_type "${entry}")
string(REGEX MATCH "type=\"application/x-tavo12f-result\"" mime_type "${mime}")
if(NOT entry MATCHES "\nExec=tavo12f %F\n" OR NOT entry MATCHES "\nIcon=tavo12f\n" OR NOT entry_type OR NOT mime_type
   OR NOT mime MATCHES "<glob pattern=\"\\*\\.cry\"/>")
  message(FATAL_ERROR "the desktop entry and the MIME type do not fit together")
endif()

# The installed programs answer without a display: the window's --version,
# the companion's report of an installed sample and its picture of it.
execute_process(COMMAND "${PREFIX}/bin/tavo12f" --version OUTPUT_VARIABLE version RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT version MATCHES "^tavo12f \\(TAVO.12Fmod.An\\) [0-9.]+\n$")
  message(FATAL_ERROR "tavo12f --version said (${status}): ${version}")
endif()
execute_process(COMMAND "${PREFIX}/bin/tavo12f-cli" report --encoding utf-8 "${PREFIX}/share/tavo12f/Data/ivanova.cry"
                OUTPUT_VARIABLE report RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT report MATCHES "Иванова")
  message(FATAL_ERROR "the installed companion did not read an installed sample (${status})")
endif()
execute_process(COMMAND "${PREFIX}/bin/tavo12f-cli" render -o "${PREFIX}/ivanova.png"
                        "${PREFIX}/share/tavo12f/Data/ivanova.cry" RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT EXISTS "${PREFIX}/ivanova.png")
  message(FATAL_ERROR "the installed companion did not draw an installed sample (${status})")
endif()
message(STATUS "installed layout in ${PREFIX} is complete")
