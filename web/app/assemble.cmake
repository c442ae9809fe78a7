# Copies the files of the web edition into one folder and writes its service
# worker, whose version is taken from the content of every other file: any
# change gives a new cache name, so a visitor's next visit replaces the old.
# Run as cmake -DPLAN=<site-plan.cmake> -P assemble.cmake.

cmake_minimum_required(VERSION 3.25)
include("${PLAN}")

file(REMOVE_RECURSE "${site_dir}")
set(site_files)
foreach(kind IN ITEMS page resource core)
    foreach(file IN LISTS ${kind}_files)
        get_filename_component(folder "${site_dir}/${file}" DIRECTORY)
        file(COPY "${${kind}_dir}/${file}" DESTINATION "${folder}")
        list(APPEND site_files "${file}")
    endforeach()
endforeach()

list(SORT site_files)
set(digests "")
foreach(file IN LISTS site_files)
    file(SHA256 "${site_dir}/${file}" digest)
    string(APPEND digests "${file} ${digest}\n")
endforeach()
string(SHA256 content_digest "${digests}")
string(SUBSTRING "${content_digest}" 0 12 content_digest)

set(OFFSET_WEB_VERSION "${project_version}-${content_digest}")
# The start address too, which the browser asks for as the folder itself.
set(OFFSET_WEB_FILES "'./'")
foreach(file IN LISTS site_files)
    string(APPEND OFFSET_WEB_FILES ", '${file}'")
endforeach()
configure_file("${CMAKE_CURRENT_LIST_DIR}/sw.js.in" "${site_dir}/sw.js" @ONLY)

# The compressed copies a server sends as they are (nginx's gzip_static),
# made once here rather than on every request. -n stores no name or time, so
# two builds give the same bytes; the copy keeps its file's modification
# time. A copy that saves nothing is dropped: the file itself is sent.
list(APPEND site_files sw.js)
foreach(file IN LISTS site_files)
    get_filename_component(extension "${file}" LAST_EXT)
    if(NOT extension IN_LIST compressed_extensions)
        continue()
    endif()
    set(path "${site_dir}/${file}")
    execute_process(COMMAND "${gzip}" -9 -n -k -f "${path}" RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip could not compress ${path}")
    endif()
    file(SIZE "${path}" size)
    file(SIZE "${path}.gz" compressed_size)
    if(compressed_size GREATER_EQUAL size)
        file(REMOVE "${path}.gz")
    endif()
endforeach()
