# The Debian package: both programs with their desktop entries, icons,
# AppStream metadata and manual pages, built by CPack from a release build
# (the `package` presets). Its dependencies come from the binaries through
# dpkg-shlibdeps.

include(GNUInstallDirs)

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
offsets those sections give. Every result is a whole number of millimetres.")
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

include(CPack)
