# The Windows package's files, staged in <build>/windows-package for
# packaging/windows/pack.sh, which signs them when asked and makes the MSI
# (wixl) and the portable zip: the three programs stripped, the licence, the
# manual pages as plain text, the icon, the zip's read-me and the installer's
# WiX source, the last two made from packaging/windows/*.in with the project's
# version. Included by win32/CMakeLists.txt, so the programs and their icon
# are known; does nothing unless OFFSET_WINDOWS_PACKAGE is on, which
# scripts/package.sh windows turns on.
option(OFFSET_WINDOWS_PACKAGE "Stage the files of the Windows installer and zip" OFF)
if(NOT OFFSET_WINDOWS_PACKAGE)
    return()
endif()

set(OFFSET_WINDOWS_MANUFACTURER "Offset calculator maintainers" CACHE STRING
    "The publisher Windows shows for the installed programs")
set(OFFSET_PACKAGE_URL "" CACHE STRING
    "The project's address (written into XML as given): the installed programs' link in Windows' list, and in their signatures")

find_program(OFFSET_MAN man REQUIRED DOC "man, to render the manual pages as text (Debian: man-db)")
set(packaging ${PROJECT_SOURCE_DIR}/packaging/windows)
set(stage ${CMAKE_BINARY_DIR}/windows-package)
set(text_script ${packaging}/text.cmake)
set(staged "")

# The installer's source, and what pack.sh reads beside it.
if(OFFSET_PACKAGE_URL)
    set(OFFSET_WINDOWS_URL_PROPERTY
        "    <Property Id=\"ARPURLINFOABOUT\" Value=\"${OFFSET_PACKAGE_URL}\"/>")
else()
    set(OFFSET_WINDOWS_URL_PROPERTY "")
endif()
configure_file(${packaging}/offset-calculators.wxs.in ${stage}/offset-calculators.wxs @ONLY)
file(WRITE ${stage}/version "${PROJECT_VERSION}\n")
file(WRITE ${stage}/url "${OFFSET_PACKAGE_URL}\n")

# The programs without their symbols (offsetcalc is linked with them).
foreach(program IN ITEMS twinoffset solooffset offsetcalc)
    add_custom_command(OUTPUT ${stage}/${program}.exe
                       COMMAND ${CMAKE_STRIP} --strip-all -o ${stage}/${program}.exe
                               $<TARGET_FILE:${program}>
                       DEPENDS ${program}
                       VERBATIM)
    list(APPEND staged ${stage}/${program}.exe)
endforeach()

# The icon win32/CMakeLists.txt makes for the programs.
if(NOT icon)
    message(FATAL_ERROR "WindowsPackaging.cmake is included from win32/CMakeLists.txt, after the icon")
endif()
add_custom_command(OUTPUT ${stage}/offsetcalc.ico
                   COMMAND ${CMAKE_COMMAND} -E copy ${icon} ${stage}/offsetcalc.ico
                   DEPENDS ${icon}
                   VERBATIM)
list(APPEND staged ${stage}/offsetcalc.ico)

configure_file(${packaging}/README.txt.in ${CMAKE_CURRENT_BINARY_DIR}/README.txt @ONLY)
foreach(text IN ITEMS ${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_CURRENT_BINARY_DIR}/README.txt)
    cmake_path(GET text STEM name)
    add_custom_command(OUTPUT ${stage}/${name}.txt
                       COMMAND ${CMAKE_COMMAND} -DIN=${text} -DOUT=${stage}/${name}.txt
                               -P ${text_script}
                       DEPENDS ${text} ${text_script}
                       VERBATIM)
    list(APPEND staged ${stage}/${name}.txt)
endforeach()

# The manual pages, English and Dutch. Those of the windows leave out what
# only the Linux programs have: the command line with Qt's options, and the
# screen readers' part, which is about AT-SPI; the rest (the calculations,
# printing, every message) is the same on Windows. offsetcalc's is whole.
foreach(lang IN ITEMS en nl)
    if(lang STREQUAL "en")
        set(source_dir ${PROJECT_SOURCE_DIR}/man)
        set(linux_only "SYNOPSIS|OPTIONS|SCREEN READERS")
    else()
        set(source_dir ${PROJECT_SOURCE_DIR}/man/nl)
        set(linux_only "OVERZICHT|OPTIES|SCHERMLEZERS")
    endif()
    foreach(program IN ITEMS twinoffset solooffset offsetcalc)
        set(page ${CMAKE_CURRENT_BINARY_DIR}/manual/${lang}/${program}.1)
        configure_file(${source_dir}/${program}.1.in ${page} @ONLY)
        set(drop "")
        if(NOT program STREQUAL "offsetcalc")
            set(drop ${linux_only})
        endif()
        set(text ${stage}/manual/${program}-${lang}.txt)
        add_custom_command(OUTPUT ${text}
                           COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/manual
                           COMMAND ${CMAKE_COMMAND} -DMAN=${page} -DOUT=${text} "-DDROP=${drop}"
                                   -P ${text_script}
                           DEPENDS ${page} ${text_script}
                           VERBATIM)
        list(APPEND staged ${text})
    endforeach()
endforeach()

add_custom_target(windows_package_files ALL DEPENDS ${staged})
