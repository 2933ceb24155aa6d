# What a release holds besides the programs, and the Debian package
# (scripts/package.sh makes both packages).
#
# The programs look for their data beside their own executable (the build
# tree, the Windows zip) and then in ../share/tms9900-toolchain/ (the
# installed tree), so data files install into TMS_DATA_DIR; the README, the
# examples and the manual pages (cmake/manuals.cmake) go to the
# documentation folder and the manual sections.
set(TMS_PACKAGE_NAME tms9900-toolchain)
set(TMS_DOC_DIR share/doc/${TMS_PACKAGE_NAME})
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${TMS_DOC_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${TMS_DOC_DIR}/examples)
include(cmake/manuals.cmake)

if(CMAKE_CROSSCOMPILING)
  # The Windows zip (laid out by scripts/package.sh) carries the licence;
  # the Debian package has its copyright file instead.
  install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${TMS_DOC_DIR})
  return()
endif()

install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION ${TMS_DOC_DIR})
doc_step(gzip ${CMAKE_SOURCE_DIR}/packaging/changelog ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_target(debian_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${CMAKE_BINARY_DIR}/changelog.Debian.gz DESTINATION ${TMS_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/lintian-overrides DESTINATION share/lintian/overrides
        RENAME ${TMS_PACKAGE_NAME})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TMS_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TMS9900 toolchain maintainers <maintainers@users.noreply.c-seed-cfd7dcf4.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Cross-assembler, linker and desktop tools for the TMS9900 (TI-99/4A, Geneve)")
# One line each, as the control file shows them (at most 80 characters).
set(CPACK_PACKAGE_DESCRIPTION [[
A cross-assembler and a linker for the TMS9900 processors of the TI-99/4A
and Geneve home computers, and three desktop utilities that ship with them:
 - tarn assembles TMS9900 source into tagged object files and list files;
 - fell links object and program files into program files and cartridge
   ROM images, with map and error files;
 - dok builds a small window of buttons, lists and fields from an INI file
   and runs its scripts (also headless, for scripts and tests);
 - morfex replaces text in a file, in place;
 - pinmaker makes shortcuts and freedesktop launchers.
Manual pages, bash completions and examples are included.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# dok's libraries (wxWidgets, GTK, SDL) become the package's dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)

# The changelog's latest entry names the package's version.
file(STRINGS ${CMAKE_SOURCE_DIR}/packaging/changelog latest LIMIT_COUNT 1)
set(debian_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")
if(NOT latest MATCHES "^${TMS_PACKAGE_NAME} \\(${debian_version}\\) ")
  message(FATAL_ERROR "packaging/changelog: the latest entry is not for version ${debian_version}: ${latest}")
endif()
