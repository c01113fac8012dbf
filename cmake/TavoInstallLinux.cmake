# Installing on Linux by the Filesystem Hierarchy Standard, as Debian's
# packages do (paths under the prefix, /usr for the package):
#   bin/                               tavo12f, tavo12f-cli and the drawing program it
#                                      starts beside itself, tavo12f-render (their own rules)
#   share/tavo12f/                     Data/ (the samples), help/ (the pages), TAVO.12F.chm
#   share/applications/                tavo12f.desktop
#   share/icons/hicolor/*/apps/        tavo12f.png in each size, tavo12f.svg
#   share/mime/packages/               tavo12f.xml: the type of *.cry result files
#   share/man/man1/                    tavo12f.1.gz, tavo12f-cli.1.gz
#   share/bash-completion/completions/ tavo12f-cli
#   share/doc/tavo12f/                 copyright (the licence)
# The program finds share/tavo12f/ from bin/ (app/app_folder.h). There is no
# Results folder: the prefix is not the user's to write to, so Save suggests
# a folder in the user's documents.

set(tavo_data ${CMAKE_INSTALL_DATADIR}/tavo12f)
set(tavo_packaging ${PROJECT_SOURCE_DIR}/packaging)

install(TARGETS tavo12f RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/Data ${CMAKE_BINARY_DIR}/bin/help DESTINATION ${tavo_data}
        PATTERN CMakeLists.txt EXCLUDE)
if(TAVO_HELP_FILE)
  install(FILES ${TAVO_HELP_FILE} DESTINATION ${tavo_data})
endif()

# The icon files, drawn by the code that draws the window's icon.
set(icon_sizes 16 22 24 32 48 64 128 256)
set(icons ${CMAKE_BINARY_DIR}/icons)
set(icon_files ${icons}/scalable/tavo12f.svg)
foreach(size IN LISTS icon_sizes)
  list(APPEND icon_files ${icons}/${size}x${size}/tavo12f.png)
  install(FILES ${icons}/${size}x${size}/tavo12f.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${icons}/scalable/tavo12f.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
add_custom_command(
  OUTPUT ${icon_files}
  COMMAND tavo_picture_tool icons ${icons}
  DEPENDS tavo_picture_tool
  COMMENT "Drawing the icon files"
  VERBATIM)

install(FILES ${tavo_packaging}/tavo12f.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tavo_packaging}/tavo12f.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${tavo_packaging}/tavo12f-cli.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME tavo12f-cli)
# giflib linked in travels with its own copyright and licence, after ours.
set(tavo_copyright ${PROJECT_SOURCE_DIR}/LICENSE)
if(GIF_LIBRARY MATCHES "\\.a$")
  find_file(TAVO_GIFLIB_COPYRIGHT copyright PATHS /usr/share/doc/libgif-dev /usr/share/doc/libgif7 NO_DEFAULT_PATH)
  if(TAVO_GIFLIB_COPYRIGHT)
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE tavo_licence)
    file(READ ${TAVO_GIFLIB_COPYRIGHT} tavo_giflib_licence)
    set(tavo_copyright ${CMAKE_BINARY_DIR}/copyright)
    file(WRITE ${tavo_copyright}
         "${tavo_licence}\nThe programs contain giflib, linked in. Its copyright and licence:\n\n${tavo_giflib_licence}")
  endif()
endif()
install(FILES ${tavo_copyright} DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)

# Manual pages, compressed as Debian keeps them.
set(man_pages)
foreach(page tavo12f.1 tavo12f-cli.1)
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.gz)
  add_custom_command(
    OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
    COMMAND ${CMAKE_COMMAND} -E copy ${tavo_packaging}/${page} ${CMAKE_BINARY_DIR}/man/${page}
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/man/${page}
    DEPENDS ${tavo_packaging}/${page}
    VERBATIM)
  list(APPEND man_pages ${compressed})
endforeach()
install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
add_custom_target(tavo12f_desktop_files ALL DEPENDS ${icon_files} ${man_pages})

# `make package`: a .deb whose library dependencies dpkg-shlibdeps computes.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavo12f)
set(CPACK_PACKAGE_VENDOR "TAVO.12Fmod.An")
set(CPACK_PACKAGE_CONTACT "TAVO.12Fmod.An <${TAVO_CONTACT_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "work-motivation profile viewer")
set(CPACK_PACKAGE_DESCRIPTION
    "Shows the motivational profile of one person from the encrypted result file\n"
    "of a work-motivation questionnaire (*.cry): twelve factors, each as Ideal and\n"
    "Real totals and their difference, as a bar chart, a results grid, a circular\n"
    "diagram and a text report that can be saved, as can a GIF of the chart.\n"
    "The window's interface is in Russian. tavo12f-cli reads the same files\n"
    "without a window: reports, profiles as JSON, pictures.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TAVO_CONTACT_WWW}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugins at run time, where dpkg-shlibdeps does not look.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# xdg-open for a viewer of the compiled help; the faces the window is drawn with.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, fonts-liberation")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
