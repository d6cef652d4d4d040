# Turns text files of the source tree into a C++ header of NUL-terminated
# unsigned char arrays, so that a program carries them without reading them at run
# time. The page of pelk-table html is kept this way as its own HTML, CSS
# and JavaScript files.
#
#   pelk_add_page_assets(<target>)   generates pelk-table/html/page_assets.h
#                                    for target from pelk-table/html/page*
#
# Run as a script (cmake -DEMBED_OUT=<header> "-DEMBED_FILES=<name>=<file>|..."
# -P PelkEmbed.cmake) it writes the header. A name given more than once is
# one array: its files one after the other, in the order given.

if(CMAKE_SCRIPT_MODE_FILE AND DEFINED EMBED_OUT)
  set(text "// Generated from the files named below by cmake/PelkEmbed.cmake; do not edit.\n#pragma once\n")
  string(REPLACE "|" ";" pairs "${EMBED_FILES}")
  set(names "")
  foreach(pair ${pairs})
    string(REGEX REPLACE "=.*$" "" name "${pair}")
    string(REGEX REPLACE "^[^=]*=" "" file "${pair}")
    file(READ "${file}" hex HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
    # One line of bytes per line of the file.
    string(REPLACE "0x0a," "0x0a,\n" bytes "${bytes}")
    get_filename_component(base "${file}" NAME)
    list(FIND names ${name} known)
    if(known EQUAL -1)
      list(APPEND names ${name})
      set(bytes_${name} "")
    endif()
    string(APPEND bytes_${name} "// ${base}\n${bytes}")
  endforeach()
  foreach(name ${names})
    string(APPEND text "\nstatic const unsigned char ${name}[] = {\n${bytes_${name}}0x00};\n")
  endforeach()
  file(WRITE "${EMBED_OUT}" "${text}")
  return()
endif()

set(PELK_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_FILE})

function(pelk_add_page_assets target)
  set(dir ${PELK_ROOT}/pelk-table/html)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_assets)
  set(header ${out_dir}/pelk-table/html/page_assets.h)
  # The marks of html --compare come from pelk-table/diff.
  set(diff_dir ${PELK_ROOT}/pelk-table/diff)
  # The page's script, one array in this order: each file uses those before
  # it, and page.js joins them.
  set(scripts page_dom.js page_matrix.js page_findings.js page_viewport.js page_diagram.js page_simulator.js page.js)
  set(files "kPageTemplate=${dir}/page_template.html|kPageCss=${dir}/page.css|kPageLogic=${dir}/page_logic.js")
  set(inputs ${dir}/page_template.html ${dir}/page.css ${dir}/page_logic.js)
  foreach(script ${scripts})
    string(APPEND files "|kPageJs=${dir}/${script}")
    list(APPEND inputs ${dir}/${script})
  endforeach()
  string(APPEND files "|kPageChangesCss=${diff_dir}/page_changes.css|kPageChangesJs=${diff_dir}/page_changes.js")
  list(APPEND inputs ${diff_dir}/page_changes.css ${diff_dir}/page_changes.js)
  add_custom_command(
    OUTPUT ${header}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}/pelk-table/html
    COMMAND ${CMAKE_COMMAND} -DEMBED_OUT=${header} "-DEMBED_FILES=${files}" -P ${PELK_EMBED_SCRIPT}
    DEPENDS ${inputs} ${PELK_EMBED_SCRIPT}
    COMMENT "Embedding the page of pelk-table html"
    VERBATIM)
  target_sources(${target} PRIVATE ${header})
  target_include_directories(${target} PRIVATE ${out_dir})
endfunction()
