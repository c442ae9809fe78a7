# Copies the files of the web edition into one folder and writes its service
# worker, whose version is taken from the content of every other file: any
# change gives a new cache name, so a visitor's next visit replaces the old.
# Run as cmake -DPLAN=<site-plan.cmake> -P assemble.cmake.

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
