# The Windows build: cross-built with MinGW-w64 against the Qt that
# scripts/windows-qt.sh builds, its tests run under Wine. scripts/windows.sh
# configures it:
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=<Qt>/lib/cmake/Qt6/qt.toolchain.cmake
#         -DQT_CHAINLOAD_TOOLCHAIN_FILE=<this tree>/cmake/mingw-w64.cmake

# Where Windows finds the DLLs the programs need: the Qt libraries and the
# compiler's runtime.
get_target_property(VT_QTCORE_DLL Qt6::Core IMPORTED_LOCATION_RELEASE)
get_filename_component(VT_QT_BIN ${VT_QTCORE_DLL} DIRECTORY)
get_filename_component(VT_QT_PREFIX ${VT_QT_BIN} DIRECTORY)
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE VT_LIBSTDCXX OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(VT_GCC_DLLS ${VT_LIBSTDCXX} DIRECTORY)
set(VT_MINGW_DLLS ${VT_GCC_DLLS}/libstdc++-6.dll ${VT_GCC_DLLS}/libgcc_s_seh-1.dll
    /usr/${VT_MINGW}/lib/libwinpthread-1.dll)

# Tests (and whatever CMake runs of the built programs) go through Wine, in
# a prefix of this build folder unless WINEPREFIX says otherwise.
find_program(VT_WINE wine)
if(VT_WINE)
  set(VT_WINE_PATH "Z:${VT_QT_BIN};Z:${VT_GCC_DLLS};Z:/usr/${VT_MINGW}/lib")
  configure_file(${CMAKE_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run.sh @ONLY
                 FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                 WORLD_READ WORLD_EXECUTE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run.sh)
endif()
