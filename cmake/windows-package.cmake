# What the Windows program is made of, installed into one folder: the
# program, its sounds and help, the Qt libraries and plugins, Qt's Russian
# texts and the MinGW runtime. scripts/windows.sh installs it into a staging
# folder and makes the NSIS installer and the portable zip of it.
#
#   cmake --install build-win --prefix build-win/stage

# The sounds and the help lie beside the program.
set_property(SOURCE ${CMAKE_SOURCE_DIR}/src/base/appdirs.cpp DIRECTORY ${CMAKE_SOURCE_DIR}/src
             APPEND PROPERTY COMPILE_DEFINITIONS VESTRADA_DATA_FROM_BIN=".")

install(TARGETS vestrada RUNTIME DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/resources/snd1.wav ${CMAKE_SOURCE_DIR}/resources/snd2.wav
              ${CMAKE_SOURCE_DIR}/resources/snd3.wav ${CMAKE_SOURCE_DIR}/resources/snd4.wav
              ${CMAKE_SOURCE_DIR}/resources/Help.htm
              ${CMAKE_SOURCE_DIR}/packaging/windows/qt.conf
        DESTINATION .)
install(FILES ${VT_QT_BIN}/Qt6Core.dll ${VT_QT_BIN}/Qt6Gui.dll ${VT_QT_BIN}/Qt6Widgets.dll ${VT_MINGW_DLLS}
        DESTINATION .)
install(FILES ${VT_QT_PREFIX}/plugins/platforms/qwindows.dll DESTINATION platforms)
install(FILES ${VT_QT_PREFIX}/plugins/styles/qwindowsvistastyle.dll DESTINATION styles)
install(FILES ${VT_QT_PREFIX}/plugins/imageformats/qico.dll DESTINATION imageformats)
# Qt's own Russian texts (buttons of the standard dialogs), from Debian's
# qt6-translations-l10n: the same file serves every platform.
set(VT_QT_RU /usr/share/qt6/translations/qtbase_ru.qm)
if(EXISTS ${VT_QT_RU})
  install(FILES ${VT_QT_RU} DESTINATION translations)
  # The program and the tests in the build folder find them as the installed
  # program does, beside themselves: this Qt has no Russian texts of its own.
  foreach(dir src tests)
    file(COPY ${VT_QT_RU} DESTINATION ${CMAKE_BINARY_DIR}/${dir}/translations)
  endforeach()
endif()
