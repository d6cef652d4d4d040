# Which source files make up each part of the tree, for the main, fuzz and
# bench projects alike. Include it with PELK_ROOT set to the source tree.
#
#   pelk_sources(<out> <dir>...)       every .cpp of the folders but the tests
#                                      and the other platform's files
#   pelk_test_sources(<out> <dir>...)  the *_test.cpp of the folders
# Folder lists of the programs: PELK_DIRS (pelk), PELK_TABLE_DIRS (pelk-table).

set(PELK_DIRS driver table codegen codegen/ra78k0 codegen/asm96 codegen/c)
set(PELK_TABLE_DIRS pelk-table/model pelk-table/check pelk-table/report pelk-table/run pelk-table/conformance pelk-table/views pelk-table/html pelk-table/workbook pelk-table/diff pelk-table/cli)

if(WIN32)
  set(PELK_PLATFORM_SUFFIX win32)
  set(PELK_OTHER_PLATFORM_SUFFIX posix)
else()
  set(PELK_PLATFORM_SUFFIX posix)
  set(PELK_OTHER_PLATFORM_SUFFIX win32)
endif()

# Sources of one part of the tree: every .cpp but the tests and the files of
# the other platform.
function(pelk_sources out)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${PELK_ROOT}/${dir}/*.cpp)
    list(APPEND result ${found})
  endforeach()
  list(FILTER result EXCLUDE REGEX "_test\\.cpp$")
  list(FILTER result EXCLUDE REGEX "_${PELK_OTHER_PLATFORM_SUFFIX}\\.cpp$")
  set(${out} ${result} PARENT_SCOPE)
endfunction()

function(pelk_test_sources out)
  set(result)
  foreach(dir ${ARGN})
    file(GLOB found CONFIGURE_DEPENDS ${PELK_ROOT}/${dir}/*_test.cpp)
    list(APPEND result ${found})
  endforeach()
  list(FILTER result EXCLUDE REGEX "_${PELK_OTHER_PLATFORM_SUFFIX}_test\\.cpp$")
  set(${out} ${result} PARENT_SCOPE)
endfunction()
