# The splitter library, built the same way by the main, fuzz and bench
# projects. Include it with PELK_ROOT set to the source tree; then call
#
#   kerrow_add_library([COMPILE_OPTIONS <option>...])
#
# which adds
#   kerrow_objects  the splitter's objects (hidden symbols, position-independent)
#   kerrow_static   the same objects as an archive, for programs that scan
#                   tables in-process and take only what they use
#   Kerrow          the shared library exporting exactly the eight functions
# Tests may link kerrow_objects to reach the internal hooks.

set(KERROW_ROOT ${PELK_ROOT}/splitter)
include(${CMAKE_CURRENT_LIST_DIR}/PelkSources.cmake)

function(kerrow_add_library)
  cmake_parse_arguments(PARSE_ARGV 0 ARG "" "" "COMPILE_OPTIONS")
  pelk_sources(sources splitter)

  add_library(kerrow_objects OBJECT ${sources})
  target_include_directories(kerrow_objects PUBLIC ${KERROW_ROOT})
  target_compile_definitions(kerrow_objects PRIVATE KERROW_BUILDING)
  target_compile_options(kerrow_objects PRIVATE ${ARG_COMPILE_OPTIONS})
  set_target_properties(kerrow_objects PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    C_VISIBILITY_PRESET hidden
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)

  add_library(kerrow_static STATIC $<TARGET_OBJECTS:kerrow_objects>)
  target_include_directories(kerrow_static PUBLIC ${KERROW_ROOT})

  add_library(Kerrow SHARED $<TARGET_OBJECTS:kerrow_objects>)
  target_include_directories(Kerrow PUBLIC ${KERROW_ROOT})
  if(WIN32)
    # Undecorated names, also for the standard-call functions of 32-bit
    # Windows; the program asks for "Kerrow.dll", without the lib prefix.
    # MinGW exports the standard-call functions as Name@N unless told to drop
    # the suffix; the bare names of the .def file bind to those functions by
    # the (intended, so silenced) stdcall fixup.
    target_sources(Kerrow PRIVATE ${KERROW_ROOT}/kerrow.def)
    set_target_properties(Kerrow PROPERTIES PREFIX "" IMPORT_PREFIX "")
    if(MINGW)
      target_link_options(Kerrow PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
    endif()
  elseif(NOT APPLE)
    # Exactly the eight functions, nothing of the C++ runtime the code pulls in.
    target_link_options(Kerrow PRIVATE -Wl,--version-script=${KERROW_ROOT}/kerrow.map)
    set_target_properties(Kerrow PROPERTIES LINK_DEPENDS ${KERROW_ROOT}/kerrow.map)
  endif()
endfunction()

# The version of pelk, for the projects that build parts of it without being
# the pelk project itself: read from the one project() line of the top level.
function(pelk_read_version out_var)
  file(STRINGS ${PELK_ROOT}/CMakeLists.txt line REGEX "^project\\(pelk VERSION [0-9.]+")
  string(REGEX REPLACE ".*VERSION ([0-9.]+).*" "\\1" version "${line}")
  set(${out_var} ${version} PARENT_SCOPE)
endfunction()
