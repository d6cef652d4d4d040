# Install rules, the CMake package Pelk, the pkg-config file kerrow.pc and the
# Debian package. Included by the top-level CMakeLists.txt after the pelk and
# Kerrow targets exist.
#
# Install tree:
#   bin/pelk                    the generator
#   bin/pelk-table              the table checker (our code linked in
#                               statically; needs no library of ours)
#   lib/pelk/libKerrow.so       the splitter, pelk's private plug-in (pelk
#                               loads it from ../lib/pelk)
#   include/Kerrow.h            the splitter's C interface
#   lib/pkgconfig/kerrow.pc     pkg-config file of the splitter
#   lib/cmake/Pelk/             find_package(Pelk): Pelk::pelk, Pelk::pelk-table,
#                               Pelk::Kerrow, pelk_generate()
#   share/man/man1/pelk.1.gz    manual pages (and pelk-table.1.gz)
#   share/doc/pelk/             LICENSE, and the examples: table, CMake and
#                               Make projects
# On Linux also what Debian asks of a package:
#   share/doc/pelk/copyright    the license in Debian's machine-readable form
#   share/doc/pelk/changelog.gz
#   share/lintian/overrides/pelk
# On Windows the DLL lies beside pelk.exe in bin/, and LICENSE is also at the
# top of the ZIP.

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# pelk finds the splitter in ../lib/pelk relative to its own directory, so
# the library goes to lib/pelk even where the platform's usual directory is
# another (lib64, lib/<multiarch>). It is pelk's plug-in, not a system
# library: no SONAME, nothing for ldconfig (see CONTRIBUTING.md).
set(PELK_INSTALL_LIBDIR lib)
set(PELK_INSTALL_PLUGINDIR ${PELK_INSTALL_LIBDIR}/pelk)
set(PELK_INSTALL_CMAKEDIR ${PELK_INSTALL_LIBDIR}/cmake/Pelk)

# Inside this build, pelk_generate() runs the pelk built here.
add_executable(Pelk::pelk ALIAS pelk)
add_executable(Pelk::pelk-table ALIAS pelk-table)
add_library(Pelk::Kerrow ALIAS Kerrow)
include(${CMAKE_CURRENT_LIST_DIR}/PelkGenerate.cmake)

# Users of the installed library find its header in include/.
set_property(TARGET Kerrow PROPERTY INTERFACE_INCLUDE_DIRECTORIES
  "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/splitter>"
  "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>")
set_property(TARGET Kerrow PROPERTY PUBLIC_HEADER ${PROJECT_SOURCE_DIR}/splitter/Kerrow.h)

install(TARGETS pelk pelk-table Kerrow EXPORT PelkTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${PELK_INSTALL_PLUGINDIR}
  ARCHIVE DESTINATION ${PELK_INSTALL_PLUGINDIR}
  PUBLIC_HEADER DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

# The library's version is the one its header announces.
file(STRINGS ${PROJECT_SOURCE_DIR}/splitter/Kerrow.h KERROW_VERSION_LINE
  REGEX "^#define KERROW_VERSION \"[^\"]*\"")
string(REGEX REPLACE ".*\"([^\"]*)\".*" "\\1" KERROW_VERSION "${KERROW_VERSION_LINE}")
if(NOT KERROW_VERSION)
  message(FATAL_ERROR "no KERROW_VERSION in splitter/Kerrow.h")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/kerrow.pc.in ${PROJECT_BINARY_DIR}/kerrow.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/kerrow.pc DESTINATION ${PELK_INSTALL_LIBDIR}/pkgconfig)

install(EXPORT PelkTargets NAMESPACE Pelk:: DESTINATION ${PELK_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/PelkConfig.cmake.in
  ${PROJECT_BINARY_DIR}/PelkConfig.cmake
  INSTALL_DESTINATION ${PELK_INSTALL_CMAKEDIR})
# A firmware build is usually a cross build for a small target, so the
# package does not insist on the host's pointer size.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PelkConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion
  ARCH_INDEPENDENT)
install(FILES
  ${PROJECT_BINARY_DIR}/PelkConfig.cmake
  ${PROJECT_BINARY_DIR}/PelkConfigVersion.cmake
  ${CMAKE_CURRENT_LIST_DIR}/PelkGenerate.cmake
  DESTINATION ${PELK_INSTALL_CMAKEDIR})

# Manual pages, from doc/ with the project's version filled in, installed
# compressed as Debian wants them (gzip -9n: no name, no time stamp, so the
# same page gives the same bytes). Another page is one more name in this list.
set(PELK_MAN_PAGES pelk.1 pelk-table.1)
find_program(PELK_GZIP gzip)
set(PELK_DOC_OUTPUTS)
foreach(page ${PELK_MAN_PAGES})
  string(REGEX REPLACE ".*\\.([1-9])$" "\\1" section ${page})
  set(source ${PROJECT_BINARY_DIR}/man/${page}.in)
  configure_file(${PROJECT_SOURCE_DIR}/doc/${page} ${source} @ONLY)
  if(PELK_GZIP)
    set(compressed ${PROJECT_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${compressed}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/man
      COMMAND ${CMAKE_COMMAND} -E copy ${source} ${PROJECT_BINARY_DIR}/man/${page}
      COMMAND ${PELK_GZIP} -9nf ${PROJECT_BINARY_DIR}/man/${page}
      DEPENDS ${source}
      COMMENT "Compressing the manual page ${page}"
      VERBATIM)
    list(APPEND PELK_DOC_OUTPUTS ${compressed})
    install(FILES ${compressed} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section})
  else()
    message(STATUS "No gzip: ${page} is installed uncompressed")
    install(FILES ${source} DESTINATION ${CMAKE_INSTALL_MANDIR}/man${section} RENAME ${page})
  endif()
endforeach()

install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# The license goes with every package: the install tree, the .deb and the ZIP,
# where it also lies at the top beside bin/.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR})
if(WIN32)
  install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION .)
endif()

set(PELK_MAINTAINER "The pelk developers <pelk-maintainers@users.noreply.github.com>")

# What Debian asks of a package beyond the files themselves: the license in
# the machine-readable copyright format, a changelog and the reasons for the
# checker's remarks that do not apply to pelk (cmake/debian/).
if(UNIX AND NOT APPLE)
  # The copyright file carries the holder and the text of LICENSE.
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/LICENSE)
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
  string(REGEX MATCH "Copyright \\(c\\) ([^\n]*)" found "${license}")
  set(PELK_COPYRIGHT ${CMAKE_MATCH_1})
  string(FIND "${license}" "Permission is hereby granted" start)
  if(NOT PELK_COPYRIGHT OR start EQUAL -1)
    message(FATAL_ERROR "LICENSE lacks its copyright line or its permission text")
  endif()
  string(SUBSTRING "${license}" ${start} -1 license)
  string(STRIP "${license}" license)
  # Each line of a field's text is indented by one blank; an empty one is " .".
  string(REGEX REPLACE "\n\n" "\n.\n" license "${license}")
  string(REPLACE "\n" "\n " PELK_LICENSE_TEXT "${license}")
  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/copyright.in
    ${PROJECT_BINARY_DIR}/debian/copyright @ONLY)

  configure_file(${CMAKE_CURRENT_LIST_DIR}/debian/changelog.in
    ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
  if(NOT PELK_GZIP)
    message(FATAL_ERROR "gzip is needed to compress the changelog")
  endif()
  set(changelog ${PROJECT_BINARY_DIR}/debian/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${PELK_GZIP} -9nc ${PROJECT_BINARY_DIR}/debian/changelog > ${changelog}
    DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog
    COMMENT "Compressing the changelog")
  list(APPEND PELK_DOC_OUTPUTS ${changelog})

  install(FILES ${PROJECT_BINARY_DIR}/debian/copyright ${changelog}
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES ${CMAKE_CURRENT_LIST_DIR}/debian/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/lintian/overrides RENAME pelk)
endif()
add_custom_target(pelk_docs ALL DEPENDS ${PELK_DOC_OUTPUTS})

set(CPACK_PACKAGE_NAME pelk)
set(CPACK_PACKAGE_VENDOR "The pelk developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "State transition table compiler for small microcontrollers")
set(CPACK_PACKAGE_DESCRIPTION
  "pelk reads a state transition table (a TSV file) and writes a table-driven\nstate machine as RA78K0 or ASM96 assembler, ANSI C or FCC907S C source.\npelk-table checks such a table and reports every mistake in the form\ncompilers use, as JSON or as SARIF.\nIncludes the splitter library Kerrow, a CMake package with pelk_generate()\nand a pkg-config file.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
# The .deb installs into /usr; the Windows ZIP unpacks to bin/, lib/, share/.
if(NOT WIN32)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
endif()
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${PELK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
# pelk-table built with Graphviz renders SVG through its libraries.
if(PELK_TABLE_GRAPHVIZ_FOUND)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", libgvc6, libcgraph6")
endif()
if(NOT CPACK_GENERATOR)
  if(WIN32)
    set(CPACK_GENERATOR ZIP)
  else()
    set(CPACK_GENERATOR DEB TGZ)
  endif()
endif()
include(CPack)
