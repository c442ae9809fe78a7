# The Debian package: both programs with their desktop entries, icons,
# AppStream metadata and manual pages, built by CPack from a release build
# (the `package` presets), and the web edition with the nginx snippet that
# serves it. Its dependencies come from the binaries through dpkg-shlibdeps.

include(GNUInstallDirs)
include(ExternalProject)

set(OFFSET_PACKAGE_NAME offset-calculators)
set(OFFSET_PACKAGE_MAINTAINER
    "Offset calculator maintainers <maintainers@users.noreply.c-seed-29a8eefd.example>"
    CACHE STRING "The Maintainer field of the Debian package")
set(OFFSET_PACKAGE_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${OFFSET_PACKAGE_NAME})

# Debian wants the licence named, not repeated: the GPL is in every system's
# /usr/share/common-licenses.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${OFFSET_PACKAGE_DOCDIR})

# The changelog, compressed the way Debian does it (gzip -9n: no name, no
# time stamp, so two builds give the same bytes).
find_program(OFFSET_GZIP gzip REQUIRED)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog @ONLY)
add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
    COMMAND ${OFFSET_GZIP} -9nc ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog
            > ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
    DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog
    VERBATIM)
add_custom_target(package_changelog ALL
                  DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz
        DESTINATION ${OFFSET_PACKAGE_DOCDIR})

# The web edition needs the core compiled by emscripten, a toolchain of its
# own, so it is a build of this same source tree beside this one. Only the
# package preset asks for it: the other builds of the programs need no
# emscripten.
option(OFFSET_PACKAGE_WEB_EDITION "Build the web edition into the package (needs emscripten)" OFF)
if(OFFSET_PACKAGE_WEB_EDITION)
    set(OFFSET_EMSCRIPTEN_TOOLCHAIN
        /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
        CACHE FILEPATH "Emscripten's CMake toolchain, for the package's web edition")
    if(NOT EXISTS "${OFFSET_EMSCRIPTEN_TOOLCHAIN}")
        message(FATAL_ERROR "The web edition in the package needs emscripten "
            "(${OFFSET_EMSCRIPTEN_TOOLCHAIN} is missing): apt-get install emscripten node-acorn")
    endif()
    set(web_build ${CMAKE_CURRENT_BINARY_DIR}/web-edition)
    ExternalProject_Add(web_edition
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        BINARY_DIR ${web_build}
        CMAKE_ARGS -DCMAKE_TOOLCHAIN_FILE=${OFFSET_EMSCRIPTEN_TOOLCHAIN}
                   -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DOFFSET_BUILD_GUI=OFF
                   -DOFFSET_WARNINGS_AS_ERRORS=${OFFSET_WARNINGS_AS_ERRORS}
        # Its own build knows what is out of date.
        BUILD_ALWAYS ON
        INSTALL_COMMAND "")
    # The site with its gzip copies, and the snippet a firm includes in its
    # own nginx server block (README.md).
    install(DIRECTORY ${web_build}/web/app/site/
            DESTINATION ${CMAKE_INSTALL_DATADIR}/offsetcalculators/web)
    install(FILES ${PROJECT_SOURCE_DIR}/web/server/site.conf
            DESTINATION ${CMAKE_INSTALL_DATADIR}/offsetcalculators/nginx)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides
            DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${OFFSET_PACKAGE_NAME})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${OFFSET_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${OFFSET_PACKAGE_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "offset calculators for flue-gas pipe runs")
set(CPACK_PACKAGE_DESCRIPTION
"Two small desktop calculators, in Dutch, for installers of flue-gas pipe
systems. They answer how to bridge a horizontal offset (versleping) in a
flue run with two equal bends and a straight sloped pipe between them.

 * twinoffset: the concentric 100/150 system, bends of 15, 30, 43 and
   87 degrees; prints a short text report.
 * solooffset: the single-wall system, bends of 15, 30, 45 and 90 degrees
   in diameters of 125 to 450 mm; prints an image of its window.
 * offsetcalc: both on the command line, and a planner that shows, for a
   measured offset, every angle beside the whole-section combinations
   nearest to it, and charts of the offsets whole sections give.

From the angle and the offset, each gives the bend dimensions A and B, the
length of straight pipe between the bends and the vertical height used;
from the angle and the numbers of 1000, 500 and 250 mm sections, the
offsets those sections give. Every result is a whole number of millimetres.

The package also holds the web edition, both calculators on one page for a
phone, for a web server to serve: /usr/share/offsetcalculators/web, with a
configuration snippet for nginx in /usr/share/offsetcalculators/nginx.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its window-system plugins at run time, so no library dependency
# names them; without them the programs cannot open a window.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# The windows were laid out with the metrics of Liberation Sans and Serif.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
# Only to serve the web edition.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "nginx")

include(CPack)
