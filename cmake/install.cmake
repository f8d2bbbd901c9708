# Installation and the Debian package.
#
#   cmake --install build --prefix /usr     the program and its files
#   cd build && cpack -G DEB                vestrada_<version>_<arch>.deb
#
# The program finds its sounds and help in share/vestrada/ relative to its
# own bin/ folder, so any prefix works (the install test uses a temporary one).
include(GNUInstallDirs)

set(VT_PKG ${CMAKE_SOURCE_DIR}/packaging)
set(VT_PKG_OUT ${CMAKE_BINARY_DIR}/packaging)
set(VT_APP_ID org.vestrada.vestrada)
set(VT_MAINTAINER "Vestrada maintainers <maintainers@vestrada.example>"
    CACHE STRING "Maintainer named in the package and its changelog")
set(VT_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/vestrada)
# Dates of the release entries; SOURCE_DATE_EPOCH makes them reproducible.
string(TIMESTAMP VT_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP VT_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)

file(RELATIVE_PATH VT_DATA_FROM_BIN ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_FULL_DATADIR}/vestrada)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/base/appdirs.cpp DIRECTORY ${CMAKE_SOURCE_DIR}/src
             APPEND PROPERTY
             COMPILE_DEFINITIONS VESTRADA_DATA_FROM_BIN="${VT_DATA_FROM_BIN}")

# Files made from templates; man page and changelog gzipped without a time
# stamp, as Debian wants them.
configure_file(${VT_PKG}/${VT_APP_ID}.metainfo.xml.in ${VT_PKG_OUT}/${VT_APP_ID}.metainfo.xml @ONLY)
configure_file(${VT_PKG}/vestrada.1 ${VT_PKG_OUT}/vestrada.1 @ONLY)
configure_file(${VT_PKG}/changelog.in ${VT_PKG_OUT}/changelog @ONLY)
find_program(VT_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${VT_PKG_OUT}/vestrada.1.gz ${VT_PKG_OUT}/changelog.gz
  COMMAND ${VT_GZIP} -9nkf vestrada.1 changelog
  WORKING_DIRECTORY ${VT_PKG_OUT}
  DEPENDS ${VT_PKG_OUT}/vestrada.1 ${VT_PKG_OUT}/changelog
  COMMENT "Compressing the man page and the changelog")
add_custom_target(vt_package_files ALL DEPENDS ${VT_PKG_OUT}/vestrada.1.gz ${VT_PKG_OUT}/changelog.gz)

# vestrada runs the modes without a window and starts vestrada-window beside it.
install(TARGETS vestrada vestrada-window RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/resources/snd1.wav ${CMAKE_SOURCE_DIR}/resources/snd2.wav
              ${CMAKE_SOURCE_DIR}/resources/snd3.wav ${CMAKE_SOURCE_DIR}/resources/snd4.wav
              ${CMAKE_SOURCE_DIR}/resources/Help.htm
        DESTINATION ${CMAKE_INSTALL_DATADIR}/vestrada)
# The menu's entry; the program's own Send-to entry is the per-user
# vestrada.desktop, so this one has another name and does not hide it.
install(FILES ${VT_PKG}/${VT_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VT_PKG_OUT}/${VT_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VT_PKG}/icons/vestrada.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
set(VT_ICON_SIZES 16 24 32 48 64 128 256)
foreach(s ${VT_ICON_SIZES})
  install(FILES ${VT_PKG}/icons/vestrada-${s}.png RENAME vestrada.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${s}x${s}/apps)
endforeach()
install(FILES ${VT_PKG_OUT}/vestrada.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# Where bash-completion looks for a command's completions on demand.
install(FILES ${VT_PKG}/vestrada.bash-completion RENAME vestrada
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${VT_PKG}/copyright ${VT_PKG_OUT}/changelog.gz DESTINATION ${VT_DOCDIR})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vestrada)
set(CPACK_PACKAGE_VENDOR Vestrada)
set(CPACK_PACKAGE_CONTACT ${VT_MAINTAINER})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "find files by modification date")
set(CPACK_PACKAGE_DESCRIPTION
    "Vestrada finds files and folders by their modification date, with a name\n"
    "mask, size, attributes, kind, extensions, depth and a result limit, fills\n"
    "a result table with them and then works on the selected rows. The texts\n"
    "of the program are Russian.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Russian texts (stock buttons, choosers), loaded at start; the
# shared-library scan adds the libraries after it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-translations-l10n")
# Plugins Qt loads at run time, which the shared-library scan cannot see:
# Wayland without XWayland, the SVG icon, the desktop's file choosers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, libqt6svg6, qt6-gtk-platformtheme")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

# The install test installs the built tree into a temporary prefix.
get_property(VT_INSTALL_TEST_PROGRAM GLOBAL PROPERTY VT_TEST_PROGRAM_tst_core_install)
if(VT_INSTALL_TEST_PROGRAM)
  set_property(SOURCE ${CMAKE_SOURCE_DIR}/tests/install/tst_core_install.cpp DIRECTORY ${CMAKE_SOURCE_DIR}/tests
    APPEND PROPERTY COMPILE_DEFINITIONS
    VT_CMAKE_COMMAND="${CMAKE_COMMAND}" VT_BUILD_DIR="${CMAKE_BINARY_DIR}"
    VT_SOURCE_DIR="${CMAKE_SOURCE_DIR}" VT_APP_ID="${VT_APP_ID}"
    VT_VERSION="${PROJECT_VERSION}" VT_BINDIR="${CMAKE_INSTALL_BINDIR}"
    VT_DATADIR="${CMAKE_INSTALL_DATADIR}" VT_MANDIR="${CMAKE_INSTALL_MANDIR}"
    VT_BUILD_EXE="$<TARGET_FILE:vestrada>")
  add_dependencies(${VT_INSTALL_TEST_PROGRAM} vestrada vt_package_files)
endif()
