# Assembles the web edition in one folder:
# - app.js: the page's scripts and the core's loader as one minified module
#   (esbuild bundles them from a staged copy, laid out as the sources import
#   each other);
# - index.html: the page with its style and its first script inline, and the
#   content security policy that allows exactly those two, by their hashes;
# - the core's .wasm, the manifest, icons, diagrams and screenshots as they are;
# - sw.js, the service worker, whose version is taken from the content of
#   every other file: any change gives a new cache name, so a visitor's next
#   visit replaces the old;
# - beside each text file its gzip copy.
# Run as cmake -DPLAN=<site-plan.cmake> -P assemble.cmake.

cmake_minimum_required(VERSION 3.25)
include("${PLAN}")

# Runs esbuild with these arguments; its output into the named variable,
# without the line end it closes with.
function(run_esbuild output)
    execute_process(COMMAND "${esbuild}" ${ARGN} --log-level=warning
        OUTPUT_VARIABLE text ERROR_VARIABLE problems RESULT_VARIABLE failed)
    if(failed OR NOT problems STREQUAL "")
        message(FATAL_ERROR "esbuild ${ARGN}:\n${problems}")
    endif()
    string(REGEX REPLACE "\n$" "" text "${text}")
    set(${output} "${text}" PARENT_SCOPE)
endfunction()

# The policy's form of a text's digest: its SHA-256 in base64.
function(policy_hash text output)
    string(SHA256 hex "${text}")
    set(alphabet "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/")
    set(base64 "")
    string(LENGTH "${hex}" length)
    foreach(at RANGE 0 ${length} 6)
        string(SUBSTRING "${hex}" ${at} 6 group)
        string(LENGTH "${group}" group_length)
        if(group_length EQUAL 0)
            break()
        endif()
        # Three bytes give four characters; fewer are padded with zero bits
        # and the characters they do not reach become "=".
        math(EXPR kept "(${group_length} * 4 + 5) / 6")
        string(SUBSTRING "${group}000000" 0 6 group)
        math(EXPR value "0x${group}")
        foreach(shift 18 12 6 0)
            if(kept GREATER 0)
                math(EXPR index "(${value} >> ${shift}) & 63")
                string(SUBSTRING "${alphabet}" ${index} 1 character)
                math(EXPR kept "${kept} - 1")
            else()
                set(character "=")
            endif()
            string(APPEND base64 "${character}")
        endforeach()
    endforeach()
    set(${output} "sha256-${base64}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE "${site_dir}" "${stage_dir}")
set(site_files)
foreach(kind IN ITEMS page resource core)
    foreach(file IN LISTS ${kind}_files)
        get_filename_component(folder "${site_dir}/${file}" DIRECTORY)
        file(COPY "${${kind}_dir}/${file}" DESTINATION "${folder}")
        list(APPEND site_files "${file}")
    endforeach()
endforeach()

foreach(file IN LISTS script_files)
    get_filename_component(folder "${stage_dir}/${file}" DIRECTORY)
    file(COPY "${page_dir}/${file}" DESTINATION "${folder}")
endforeach()
foreach(file IN LISTS core_scripts)
    file(COPY "${core_dir}/${file}" DESTINATION "${stage_dir}")
endforeach()
run_esbuild(ignored "${stage_dir}/js/main.js" --bundle --format=esm --target=es2022 --minify
    --charset=utf8 --legal-comments=none "--outfile=${site_dir}/app.js")
list(APPEND site_files app.js)

run_esbuild(OFFSET_WEB_STYLE "${page_dir}/app.css" --minify --charset=utf8)
run_esbuild(OFFSET_WEB_START "${page_dir}/js/start.js" --minify --charset=utf8)
policy_hash("${OFFSET_WEB_STYLE}" style_hash)
policy_hash("${OFFSET_WEB_START}" start_hash)
string(JOIN "; " OFFSET_WEB_POLICY
    "default-src 'none'"
    "script-src 'self' 'wasm-unsafe-eval' '${start_hash}'"
    "style-src '${style_hash}'"
    "img-src 'self' data:"
    "connect-src 'self'"
    "manifest-src 'self'"
    "worker-src 'self'"
    "base-uri 'none'"
    "form-action 'none'")
# The page as sent: without its comments, which are for whoever edits it,
# and without the indentation of its lines; then the inline parts and the
# policy go in.
file(READ "${page_dir}/index.html.in" page)
while(TRUE)
    string(FIND "${page}" "<!--" start)
    if(start EQUAL -1)
        break()
    endif()
    string(SUBSTRING "${page}" ${start} -1 rest)
    string(FIND "${rest}" "-->" length)
    if(length EQUAL -1)
        message(FATAL_ERROR "index.html.in: a comment that does not end")
    endif()
    string(SUBSTRING "${page}" 0 ${start} before)
    math(EXPR after_start "${length} + 3")
    string(SUBSTRING "${rest}" ${after_start} -1 after)
    set(page "${before}${after}")
endwhile()
string(REGEX REPLACE "\n[ \t]*" "\n" page "${page}")
string(REGEX REPLACE "\n\n+" "\n" page "${page}")
string(CONFIGURE "${page}" page @ONLY)
file(WRITE "${site_dir}/index.html" "${page}")
list(APPEND site_files index.html)

list(SORT site_files)
set(digests "")
foreach(file IN LISTS site_files)
    file(SHA256 "${site_dir}/${file}" digest)
    string(APPEND digests "${file} ${digest}\n")
endforeach()
string(SHA256 content_digest "${digests}")
string(SUBSTRING "${content_digest}" 0 12 content_digest)

set(OFFSET_WEB_VERSION "${project_version}-${content_digest}")
# What the page needs without a network, stored by the service worker: the
# start address too, which the browser asks for as the folder itself. The
# install screenshots are shown by the browser's install prompt, which needs
# the network anyway; a visit does not fetch them for nothing.
set(OFFSET_WEB_FILES "'./'")
foreach(file IN LISTS site_files)
    if(NOT file MATCHES "^images/screenshot-")
        string(APPEND OFFSET_WEB_FILES ", '${file}'")
    endif()
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
