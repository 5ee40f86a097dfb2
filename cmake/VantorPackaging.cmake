# Install layout and the Debian package (`make package`).
#   bin/vantor, bin/vantor-cli
#   share/korvane/                 the maker root: units, catalogue, help pages, data-file list
#   share/applications/vantor.desktop, share/mime/packages/vantor.xml (".hqx"),
#   share/icons/hicolor/scalable/apps/vantor.svg
#   lib/python3/dist-packages/vantor/   the Python module (Debian's python3 finds it there)
#   lib/vantor/aerograph           the psychrometric chart program, linked from the maker
#                                  root as share/korvane/Aerograph/aerograph
# The programs find the maker root as <bin>/../share/korvane.

include(GNUInstallDirs)

set(VANTOR_DESKTOP_FILES vantor.desktop vantor-mime.xml vantor.svg)
set(data_excludes)
foreach(file IN LISTS VANTOR_DESKTOP_FILES)
  list(APPEND data_excludes PATTERN "${file}" EXCLUDE)
endforeach()
install(DIRECTORY "${PROJECT_SOURCE_DIR}/data/" DESTINATION "${CMAKE_INSTALL_DATADIR}/korvane" ${data_excludes})

if(TARGET vantor-cli)
  install(TARGETS vantor-cli RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
endif()
if(TARGET vantor)
  install(TARGETS vantor RUNTIME DESTINATION "${CMAKE_INSTALL_BINDIR}")
  install(FILES "${PROJECT_SOURCE_DIR}/data/vantor.desktop" DESTINATION "${CMAKE_INSTALL_DATADIR}/applications")
  install(FILES "${PROJECT_SOURCE_DIR}/data/vantor-mime.xml" DESTINATION "${CMAKE_INSTALL_DATADIR}/mime/packages"
    RENAME vantor.xml)
  install(FILES "${PROJECT_SOURCE_DIR}/data/vantor.svg"
    DESTINATION "${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps")
endif()

if(TARGET aerograph)
  # A program belongs under lib, not share; the maker root only links to it.
  install(TARGETS aerograph RUNTIME DESTINATION lib/vantor)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/korvane/Aerograph/aerograph\")
    message(STATUS \"Installing: \${link}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/korvane/Aerograph\")
    file(CREATE_LINK ../../../lib/vantor/aerograph \"\${link}\" SYMBOLIC)
  ")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantor)
set(CPACK_PACKAGE_VENDOR Korvane)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Rating and sizing of hot water heating coils")
set(CPACK_PACKAGE_DESCRIPTION "Vantor rates and sizes finned-tube hot water heating coils for air-conditioning
and ventilation plant: heating duty, leaving air and fluid states, pressure drops and reports.
The package holds the desktop program, the command-line program vantor-cli and the
Python module vantor for Debian's python3.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Korvane Vantor team <vantor@korvane.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The Python module needs python3 and numpy; the programs run without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, python3, python3-numpy")
find_program(VANTOR_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(VANTOR_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6, libstdc++6, libpugixml1v5, libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6printsupport6 (>= 6.4), libqt6network6 (>= 6.4), libqt6dbus6 (>= 6.4), libqt6concurrent6 (>= 6.4), libqt6charts6 (>= 6.4), libqt6svg6 (>= 6.4)")
endif()
include(CPack)
