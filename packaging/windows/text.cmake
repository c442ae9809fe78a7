# Makes one text file of the Windows package, at build time. Its lines end in
# CR LF, which every Windows editor shows as lines.
#
#   cmake -DIN=FILE -DOUT=FILE -P text.cmake
#       the same text
#   cmake -DMAN=PAGE -DOUT=FILE [-DDROP=SECTION|...] -P text.cmake
#       a manual page rendered by man as plain ASCII, 78 columns, neither
#       hyphenated nor justified, without the named sections (.SH titles)
cmake_minimum_required(VERSION 3.25)

if(DEFINED MAN)
    # The sections that are left out: from their .SH to the next one. The
    # page is cut as one string: its text has semicolons, which a CMake list
    # of lines would split.
    file(READ "${MAN}" page)
    string(REPLACE "|" ";" DROP "${DROP}")
    foreach(title IN LISTS DROP)
        foreach(heading IN ITEMS "\n.SH ${title}\n" "\n.SH \"${title}\"\n")
            string(FIND "${page}" "${heading}" start)
            if(start EQUAL -1)
                continue()
            endif()
            math(EXPR start "${start} + 1")
            string(SUBSTRING "${page}" 0 ${start} before)
            string(SUBSTRING "${page}" ${start} -1 rest)
            string(SUBSTRING "${rest}" 1 -1 rest)
            string(FIND "${rest}" "\n.SH " next)
            if(next EQUAL -1)
                set(page "${before}")
            else()
                math(EXPR next "${next} + 1")
                string(SUBSTRING "${rest}" ${next} -1 rest)
                set(page "${before}${rest}")
            endif()
        endforeach()
    endforeach()
    set(filtered "${OUT}.roff")
    file(WRITE "${filtered}" "${page}")
    execute_process(
        COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 MANWIDTH=78 --unset=MANOPT --unset=MANPAGER
                man --warnings -E ascii --nh --nj -l "${filtered}"
        OUTPUT_VARIABLE text
        ERROR_VARIABLE warnings
        RESULT_VARIABLE status)
    file(REMOVE "${filtered}")
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
        message(FATAL_ERROR "man could not render ${MAN} (${status}): ${warnings}")
    endif()
else()
    file(READ "${IN}" text)
endif()

string(REPLACE "\r\n" "\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE "${OUT}" "${text}")
