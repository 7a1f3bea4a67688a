# SPDX-License-Identifier: GPL-3.0-or-later
# Installing Tallisto as a desktop program, and its Debian package.
include(GNUInstallDirs)

set(TALLISTO_DATA_DIR_INSTALLED ${CMAKE_INSTALL_FULL_DATADIR}/tallisto)
# The program finds its data relative to itself first, so that an installed tree can be moved
# (a package installs under /usr, a test under a temporary prefix).
file(RELATIVE_PATH TALLISTO_DATA_DIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${TALLISTO_DATA_DIR_INSTALLED})
# The chart module, a library of the program's own alone, is found the same way.
set(TALLISTO_CHART_DIR_INSTALLED ${CMAKE_INSTALL_FULL_LIBDIR}/tallisto)
file(RELATIVE_PATH TALLISTO_CHART_DIR_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${TALLISTO_CHART_DIR_INSTALLED})

if(TARGET tallisto)
    target_compile_definitions(tallisto PRIVATE
        TALLISTO_DATA_DIR_INSTALLED="${TALLISTO_DATA_DIR_INSTALLED}"
        TALLISTO_DATA_DIR_FROM_BIN="${TALLISTO_DATA_DIR_FROM_BIN}"
        TALLISTO_CHART_DIR_INSTALLED="${TALLISTO_CHART_DIR_INSTALLED}"
        TALLISTO_CHART_DIR_FROM_BIN="${TALLISTO_CHART_DIR_FROM_BIN}")
    install(TARGETS tallisto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(TARGETS tallisto_chart LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/tallisto)
endif()

set(data ${PROJECT_SOURCE_DIR}/data)
install(FILES ${data}/graderanges.txt DESTINATION ${CMAKE_INSTALL_DATADIR}/tallisto)
install(FILES ${data}/tallisto.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/tallisto-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME tallisto.xml)
install(FILES ${data}/io.github.tallisto.Tallisto.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The licence in Debian's machine-readable format, where Debian keeps every package's.
install(FILES ${data}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tallisto)

# The manual page names the version being built and the date the metainfo gives its release;
# Debian keeps manual pages compressed.
file(STRINGS ${data}/io.github.tallisto.Tallisto.metainfo.xml release
     REGEX "<release version=\"${PROJECT_VERSION}\"")
string(REGEX REPLACE ".* date=\"([^\"]*)\".*" "\\1" TALLISTO_RELEASE_DATE "${release}")
configure_file(${data}/tallisto.1.in ${CMAKE_BINARY_DIR}/tallisto.1 @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/tallisto.1.gz
    COMMAND gzip -9nfk ${CMAKE_BINARY_DIR}/tallisto.1
    DEPENDS ${CMAKE_BINARY_DIR}/tallisto.1)
add_custom_target(tallisto_manual ALL DEPENDS ${CMAKE_BINARY_DIR}/tallisto.1.gz)
install(FILES ${CMAKE_BINARY_DIR}/tallisto.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${data}/icons/tallisto.svg DESTINATION ${icons}/scalable/apps)
foreach(size 16 32 48 64 128 256)
    install(FILES ${data}/icons/tallisto-${size}.png DESTINATION ${icons}/${size}x${size}/apps
            RENAME tallisto.png)
endforeach()

# `make package`: a .deb whose dependencies are read from the libraries the program links. The
# menu, file type and icon caches are brought up to date by the dpkg triggers of the packages
# that own them, so the package needs no scripts of its own.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tallisto)
set(CPACK_PACKAGE_VENDOR Fenwarde)
set(CPACK_PACKAGE_CONTACT "Tallisto Developers <dev@tallisto.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "work out your current grade in every subject from your marks")
set(CPACK_PACKAGE_DESCRIPTION
    "Tallisto works out your current grade in every subject from the marks received so far.
Each mark is a score, what it was out of and how much it counts towards the subject;
Tallisto keeps the totals, the weighted overall percentage and the grade under one of
four grading systems, for up to 43 subjects in one save file.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The chart module's Qt Charts, named with the version the build asks for; dpkg-shlibdeps adds
# the versions its symbols need.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6charts6 (>= 6.4)")
# "Edit graderanges.txt" hands the file to the desktop's handler through xdg-open.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS xdg-utils)
include(CPack)
