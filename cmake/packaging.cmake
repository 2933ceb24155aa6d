# What a release holds besides the programs, and the Debian package
# (scripts/package.sh makes both packages).
#
# The programs look for their data beside their own executable (tarn reads
# tarn.ini there, dok its language modules), so those files install into
# bin/ with them; the README and the examples, the example tarn.ini among
# them, go to the documentation folder.
set(TMS_PACKAGE_NAME tms9900-toolchain)
set(TMS_DOC_DIR share/doc/${TMS_PACKAGE_NAME})
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${TMS_DOC_DIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/ DESTINATION ${TMS_DOC_DIR}/examples)

if(CMAKE_CROSSCOMPILING)
  return()  # the Windows zip is laid out by scripts/package.sh
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TMS_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "TMS9900 toolchain maintainers <maintainers@users.noreply.c-seed-cfd7dcf4.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Cross-assembler, linker and desktop tools for the TMS9900 (TI-99/4A, Geneve)")
set(CPACK_PACKAGE_DESCRIPTION "tarn assembles TMS9900 source into tagged object files, \
fell links them into program files and cartridge images; dok builds small button bars \
from INI files, morfex replaces text in files and pinmaker makes shortcuts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# dok's libraries (wxWidgets, GTK, SDL) become the package's dependencies.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
