# pelk_generate(<out-var> TABLE <file.tsv|file.xlsx|file.ods> NAME <FsmName>
#               [SHEET <name|number>] [KIND NRA78K0|FASM96|C|FCC907S]
#               [CONTEXT <file>] [CHECK] [TEST [TEST_SCENARIOS <file>...]])
#
# Adds a custom command that runs pelk on TABLE and writes the machine
# <FsmName>fsm.c/.h (kinds C and FCC907S) or <FsmName>fsm.asm/.inc (kinds
# NRA78K0, the default, and FASM96) into the current binary directory.
# The command re-runs when the table or the pelk executable changes (and
# when the arguments change). <out-var> receives the full paths of the two
# files, source first: list it among the sources of a target to have the
# machine generated before that target is compiled.
#
# CONTEXT is the file name that the generated source includes for the
# action routines, written into the #include line as given; make it
# reachable through the include path of the target that compiles the source.
#
# A TABLE named .xlsx, .xlsm or .ods is a workbook: `pelk-table export`
# writes its sheet as <FsmName>fsm.tsv into the current binary directory
# when the workbook (or pelk-table) changes, and pelk reads that file, so
# the generated machine never lags behind the sheet. SHEET picks the sheet
# by name or by number (from 1); without it, the one sheet that holds a
# table is taken. pelk's own messages then name the exported file, whose
# line N is row N of the sheet.
#
# CHECK runs `pelk-table check` on the table (for the same KIND and NAME)
# before pelk: an error found fails the build, and every finding, warning or
# error, reaches the build log as FILE:LINE:COLUMN: severity: message, the
# form compilers use, so IDEs and CI jump to the cell.
#
# TEST (kinds C and FCC907S, with CONTEXT) adds the conformance test of the
# machine: `pelk-table test` writes <FsmName>fsm_test.c and, under the same
# name as CONTEXT, a context header that only declares the actions, into
# the folder <FsmName>fsm_conformance of the current binary directory; the
# generated machine is copied beside them, so that its #include finds that
# header first. Both are built into the executable <FsmName>fsm_test, which
# is registered with CTest under the same name (call enable_testing() or
# include(CTest) first; nothing is added when BUILD_TESTING is OFF). In a
# cross build CTest runs it through CMAKE_CROSSCOMPILING_EMULATOR where one
# is set. The test writes TAP and exits with 0 only when every cell passed;
# set compile definitions on the target for its hooks (PELKTEST_PUTCHAR,
# PELKTEST_END, PELKTEST_HOOKS). TEST_SCENARIOS are scenario files in the
# format of `pelk-table run`, each one more test.
#
# The executables are the targets Pelk::pelk and Pelk::pelk-table (imported
# by find_package(Pelk) or, inside the pelk build itself, aliases of the
# pelk and pelk-table targets).

function(pelk_generate out_var)
  cmake_parse_arguments(PARSE_ARGV 1 ARG "CHECK;TEST" "TABLE;NAME;KIND;CONTEXT;SHEET" "TEST_SCENARIOS")
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "pelk_generate: unexpected arguments: ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if(NOT ARG_TABLE)
    message(FATAL_ERROR "pelk_generate: TABLE <file.tsv> is required")
  endif()
  if(NOT ARG_NAME)
    message(FATAL_ERROR "pelk_generate: NAME <FsmName> is required")
  endif()
  if(NOT TARGET Pelk::pelk)
    message(FATAL_ERROR "pelk_generate: the target Pelk::pelk is missing (call find_package(Pelk) first)")
  endif()
  if(ARG_CHECK AND NOT TARGET Pelk::pelk-table)
    message(FATAL_ERROR "pelk_generate: CHECK needs the target Pelk::pelk-table (call find_package(Pelk) first)")
  endif()
  set(workbook FALSE)
  if(ARG_TABLE MATCHES "\\.([xX][lL][sS][xXmM]|[oO][dD][sS])$")
    set(workbook TRUE)
    if(NOT TARGET Pelk::pelk-table)
      message(FATAL_ERROR "pelk_generate: a workbook TABLE needs the target Pelk::pelk-table (call find_package(Pelk) first)")
    endif()
  elseif(DEFINED ARG_SHEET)
    message(FATAL_ERROR "pelk_generate: SHEET is for a workbook TABLE (.xlsx, .xlsm, .ods), not '${ARG_TABLE}'")
  endif()
  set(sheet_option)
  if(DEFINED ARG_SHEET)
    set(sheet_option "--sheet=${ARG_SHEET}")
  endif()

  # The targets as pelk -a knows them: name, source and include extension.
  # A test holds this list equal to pelk's own table of targets.
  set(targets "NRA78K0 .asm .inc" "FASM96 .asm .inc" "C .c .h" "FCC907S .c .h")
  if(NOT ARG_KIND)
    set(ARG_KIND NRA78K0)
  endif()
  string(TOUPPER "${ARG_KIND}" kind)
  set(extensions)
  set(names)
  foreach(target IN LISTS targets)
    string(REPLACE " " ";" target "${target}")
    list(GET target 0 name)
    list(APPEND names ${name})
    if(kind STREQUAL name)
      list(SUBLIST target 1 2 extensions)
    endif()
  endforeach()
  if(NOT extensions)
    list(JOIN names ", " names)
    message(FATAL_ERROR "pelk_generate: KIND must be one of ${names}, not '${ARG_KIND}'")
  endif()

  # pelk takes every argument that begins with '/' for an option, so the
  # table is handed over relative to the directory pelk runs in.
  # Both ends are resolved first, since a ".." in the relative path is
  # followed from the real directory, not through a symbolic link.
  get_filename_component(table "${ARG_TABLE}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
  # A workbook is exported beside the generated files, and pelk reads that.
  set(pelk_input "${table}")
  if(workbook)
    set(pelk_input "${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}fsm.tsv")
    add_custom_command(
      OUTPUT "${pelk_input}"
      COMMAND Pelk::pelk-table export "${table}" ${sheet_option} -o "${pelk_input}"
      DEPENDS "${table}" Pelk::pelk-table
      COMMENT "Exporting ${ARG_NAME}fsm.tsv from ${ARG_TABLE}"
      VERBATIM)
  endif()
  get_filename_component(real_table "${pelk_input}" REALPATH)
  get_filename_component(real_binary_dir "${CMAKE_CURRENT_BINARY_DIR}" REALPATH)
  file(RELATIVE_PATH table_argument "${real_binary_dir}" "${real_table}")
  if(IS_ABSOLUTE "${table_argument}")
    message(FATAL_ERROR "pelk_generate: ${table} cannot be reached from ${CMAKE_CURRENT_BINARY_DIR} by a relative path")
  endif()
  if(NOT table_argument MATCHES "^\\.\\.?/")
    set(table_argument "./${table_argument}")
  endif()

  set(arguments "-n${ARG_NAME}" "-a${kind}")
  if(ARG_CONTEXT)
    list(APPEND arguments "-i${ARG_CONTEXT}")
  endif()

  set(outputs)
  set(names)
  foreach(extension ${extensions})
    list(APPEND outputs "${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}fsm${extension}")
    list(APPEND names "${ARG_NAME}fsm${extension}")
  endforeach()
  list(JOIN names " and " names)

  # The check names the table by its full path, so the log's locations are
  # found from anywhere.
  set(check_command)
  set(check_depends)
  if(ARG_CHECK)
    set(check_command COMMAND Pelk::pelk-table check "-a${kind}" "-n${ARG_NAME}" ${sheet_option} "${table}")
    set(check_depends Pelk::pelk-table)
  endif()

  add_custom_command(
    OUTPUT ${outputs}
    ${check_command}
    COMMAND Pelk::pelk ${arguments} "${table_argument}"
    DEPENDS "${pelk_input}" "${table}" Pelk::pelk ${check_depends}
    WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
    COMMENT "Generating ${names} from ${table_argument}"
    VERBATIM)
  set(${out_var} ${outputs} PARENT_SCOPE)

  if(ARG_TEST_SCENARIOS AND NOT ARG_TEST)
    message(FATAL_ERROR "pelk_generate: TEST_SCENARIOS belong to TEST")
  endif()
  if(NOT ARG_TEST OR (DEFINED BUILD_TESTING AND NOT BUILD_TESTING))
    return()
  endif()
  if(NOT kind MATCHES "^(C|FCC907S)$")
    message(FATAL_ERROR "pelk_generate: TEST runs a machine generated as C (KIND C or FCC907S), not ${kind}")
  endif()
  if(NOT ARG_CONTEXT)
    message(FATAL_ERROR "pelk_generate: TEST needs CONTEXT: the machine under test is compiled against a "
                        "context header of that name that declares its actions")
  endif()
  if(NOT TARGET Pelk::pelk-table)
    message(FATAL_ERROR "pelk_generate: TEST needs the target Pelk::pelk-table (call find_package(Pelk) first)")
  endif()
  set(test_name "${ARG_NAME}fsm_test")
  set(test_dir "${CMAKE_CURRENT_BINARY_DIR}/${ARG_NAME}fsm_conformance")
  set(test_source "${test_dir}/${test_name}.c")
  set(test_context "${test_dir}/${ARG_CONTEXT}")
  list(GET outputs 0 machine_source)
  set(test_machine "${test_dir}/${ARG_NAME}fsm.c")
  get_filename_component(test_context_dir "${test_context}" DIRECTORY)
  set(scenario_options)
  set(scenarios)
  foreach(scenario IN LISTS ARG_TEST_SCENARIOS)
    get_filename_component(scenario "${scenario}" ABSOLUTE BASE_DIR "${CMAKE_CURRENT_SOURCE_DIR}")
    list(APPEND scenario_options --scenario "${scenario}")
    list(APPEND scenarios "${scenario}")
  endforeach()
  add_custom_command(
    OUTPUT "${test_source}" "${test_context}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${test_dir}" "${test_context_dir}"
    COMMAND Pelk::pelk-table test "${table}" ${sheet_option} "-a${kind}" "-n${ARG_NAME}" -o "${test_source}"
            --actions-header "${test_context}" ${scenario_options}
    DEPENDS "${table}" Pelk::pelk-table ${scenarios}
    COMMENT "Writing the conformance test ${test_name}.c of ${ARG_NAME}fsm"
    VERBATIM)
  add_custom_command(
    OUTPUT "${test_machine}"
    COMMAND ${CMAKE_COMMAND} -E copy "${machine_source}" "${test_machine}"
    DEPENDS "${machine_source}"
    COMMENT "Copying ${ARG_NAME}fsm.c beside its conformance test"
    VERBATIM)
  add_executable(${test_name} "${test_source}" "${test_machine}" "${test_context}")
  target_include_directories(${test_name} PRIVATE "${test_dir}")
  add_test(NAME ${test_name} COMMAND ${test_name})
endfunction()
