# Checks that the shared library exports exactly the eight functions.
# Usage: cmake -DNM=<nm> -DLIB=<library> -P check_exports.cmake
execute_process(COMMAND ${NM} -D --defined-only ${LIB}
  OUTPUT_VARIABLE out RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "${NM} failed on ${LIB}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${out}")
set(names)
foreach(line ${lines})
  string(REGEX REPLACE "^.* ([^ ]+)$" "\\1" name "${line}")
  string(REGEX REPLACE "@.*$" "" name "${name}")
  list(APPEND names ${name})
endforeach()
list(SORT names)
set(expected FreeAllRecords GetErrorMessage GetFirstTsvRecord GetKerrowVersion
  GetNextTsvRecord GetTsvRecordCount GetTsvRecordTop Kerrow)
list(SORT expected)
if(NOT names STREQUAL expected)
  message(FATAL_ERROR "exports are [${names}], expected [${expected}]")
endif()
