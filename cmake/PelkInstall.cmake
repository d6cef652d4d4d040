# Install rules, the CMake package Pelk, the pkg-config file kerrow.pc and the
# Debian package. Included by the top-level CMakeLists.txt after the pelk and
# Kerrow targets exist.
#
# Install tree:
#   bin/pelk                    the generator
#   lib/libKerrow.so            the splitter (pelk loads it from ../lib)
#   include/Kerrow.h            the splitter's C interface
#   lib/pkgconfig/kerrow.pc     pkg-config file of the splitter
#   lib/cmake/Pelk/             find_package(Pelk): Pelk::pelk, Pelk::Kerrow,
#                               pelk_generate()
#   share/man/man1/pelk.1       manual page
#   share/doc/pelk/examples/    example table, CMake and Make projects

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# pelk finds the splitter in ../lib relative to its own directory, so the
# library goes to lib even where the platform's usual directory is another
# (lib64, lib/<multiarch>).
set(PELK_INSTALL_LIBDIR lib)
set(PELK_INSTALL_CMAKEDIR ${PELK_INSTALL_LIBDIR}/cmake/Pelk)

# Inside this build, pelk_generate() runs the pelk built here.
add_executable(Pelk::pelk ALIAS pelk)
add_library(Pelk::Kerrow ALIAS Kerrow)
include(${CMAKE_CURRENT_LIST_DIR}/PelkGenerate.cmake)

# Users of the installed library find its header in include/.
set_property(TARGET Kerrow PROPERTY INTERFACE_INCLUDE_DIRECTORIES
  "$<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/splitter>"
  "$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>")
set_property(TARGET Kerrow PROPERTY PUBLIC_HEADER ${PROJECT_SOURCE_DIR}/splitter/Kerrow.h)

install(TARGETS pelk Kerrow EXPORT PelkTargets
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  LIBRARY DESTINATION ${PELK_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${PELK_INSTALL_LIBDIR}
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

install(FILES ${PROJECT_SOURCE_DIR}/doc/pelk.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

set(CPACK_PACKAGE_NAME pelk)
set(CPACK_PACKAGE_VENDOR "pelk developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "State transition table compiler for small microcontrollers")
set(CPACK_PACKAGE_DESCRIPTION
  "pelk reads a state transition table (a TSV file) and writes a table-driven\nstate machine as RA78K0 or ASM96 assembler, ANSI C or FCC907S C source.\nIncludes the splitter library Kerrow, a CMake package with pelk_generate()\nand a pkg-config file.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "pelk developers <pelk@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libgcc-s1, libstdc++6")
if(NOT CPACK_GENERATOR)
  if(WIN32)
    set(CPACK_GENERATOR ZIP)
  else()
    set(CPACK_GENERATOR DEB TGZ)
  endif()
endif()
include(CPack)
