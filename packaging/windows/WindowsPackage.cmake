# The Windows packages: Redaviv-<version>-win64.zip and Redaviv-<version>-win64-setup.exe
# (NSIS), each with the two programs in bin/, the README, and the licence texts of what
# is linked in with where its sources are.
set(REDAVIV_QT_SOURCE_VERSION "unknown" CACHE STRING "Version of the qt6-base source package Qt was built from")
set(REDAVIV_MINGW_VERSION "unknown" CACHE STRING "Version of the MinGW-w64 compiler package")
set(REDAVIV_REVISION "unknown" CACHE STRING "Revision of the Redaviv sources")

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
configure_file(windows/SOURCES.txt.in ${CMAKE_CURRENT_BINARY_DIR}/SOURCES.txt @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/SOURCES.txt DESTINATION .)
# The static Qt keeps the licence texts of its sources beside its libraries.
if(NOT EXISTS ${QT6_INSTALL_PREFIX}/licenses/qtbase/LICENSES/LGPL-3.0-only.txt)
  message(FATAL_ERROR "No licence texts in the Qt at ${QT6_INSTALL_PREFIX} (licenses/): build it with scripts/windows")
endif()
install(DIRECTORY ${QT6_INSTALL_PREFIX}/licenses/ DESTINATION licenses/qt)
foreach(package mingw-w64-x86-64-dev gcc-mingw-w64-base)
  install(FILES /usr/share/doc/${package}/copyright DESTINATION licenses/mingw-w64
          RENAME ${package}.txt)
endforeach()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_VENDOR Redaviv)
set(CPACK_PACKAGE_FILE_NAME Redaviv-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Redaviv)
# The installer's own name ends in -setup (set per generator as CPack runs).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/CPackOptions.cmake)
# A Start-menu entry for the window; bin/ (redaviv-cli.exe) on the system PATH, chosen by
# default on the installer's options page; an uninstaller that undoes both.
set(CPACK_PACKAGE_EXECUTABLES redaviv Redaviv)
# A 64-bit installer for 64-bit programs (and one that a 64-bit-only Wine runs).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_PACKAGE_NAME Redaviv)
set(CPACK_NSIS_DISPLAY_NAME "Redaviv ${PROJECT_VERSION}")
set(CPACK_NSIS_INSTALLED_ICON_NAME bin/redaviv.exe)
set(CPACK_NSIS_MODIFY_PATH ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The options page of the installer comes from here (CPack looks in the module path).
list(APPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
