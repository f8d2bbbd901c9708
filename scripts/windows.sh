#!/usr/bin/env bash
# The Windows program, built here: installs what is missing, reuses (or
# builds, once, about 35 minutes) the Qt for Windows of scripts/windows-qt.sh,
# cross-builds the program and its tests with MinGW-w64 into build-win/, runs
# the tests under Wine (the tests without windows on Qt's offscreen plugin,
# the window walkthrough on Qt's windows plugin under Xvfb) and makes
#   build-win/vestrada-<version>-setup.exe   the NSIS installer
#   build-win/vestrada-<version>-win64.zip   the same folder to unpack and run
# Usage: scripts/windows.sh [--no-tests]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=$root/build-win
bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 nsis zip >&2
qt=$(bash scripts/windows-qt.sh)

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
  -DQT_CHAINLOAD_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake"
cmake --build "$build" -j"$(nproc)"

# The tests run in this build's own Wine prefix; its wineserver (which
# would keep whatever files it inherited open) ends with the script.
export WINEPREFIX=${WINEPREFIX:-$build/wine}
trap 'wineserver -k 2>/dev/null || true' EXIT

tests=passed
if [ "${1:-}" != --no-tests ]; then
  # Every test that runs on Linux runs here too, except those of Linux-only
  # parts, which are not even built for Windows: their list, each with its
  # reason, is VT_LINUX_ONLY_TESTS in tests/CMakeLists.txt. Single cases that
  # only Linux can set up skip with VT_LINUX_ONLY (tests/testfiles.h).
  # Wine draws the windows plugin's windows on this X server. A failure
  # still leaves the installer made; the script fails at the end.
  (cd "$build" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest -j2 --output-on-failure --timeout 300) ||
    tests=failed
fi

version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
stage=$build/stage
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
# What the uninstaller removes: exactly the files installed, then their folders.
list=$build/uninstall-files.nsh
(cd "$stage" && find . -type f | sed 's|^\./||; s|/|\\|g; s|^|  Delete "$INSTDIR\\|; s|$|"|'
 cd "$stage" && find . -mindepth 1 -type d | sort -r | sed 's|^\./||; s|/|\\|g; s|^|  RMDir "$INSTDIR\\|; s|$|"|') > "$list"
setup=$build/vestrada-$version-setup.exe
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DFILELIST="$list" -DOUTFILE="$setup" \
  packaging/windows/vestrada.nsi
zipfile=$build/vestrada-$version-win64.zip
rm -f "$zipfile"
(cd "$stage" && zip -qr9 "$zipfile" .)
if [ "${1:-}" != --no-tests ]; then
  # Installs and uninstalls silently under Wine, in the tests' prefix.
  drive=$WINEPREFIX/drive_c
  rm -rf "$drive/vt-install-check"
  "$build/wine-run.sh" "$setup" /S '/D=C:\vt-install-check'
  wineserver -w
  for f in vestrada.exe Qt6Widgets.dll platforms/qwindows.dll snd1.wav Help.htm translations/qtbase_ru.qm uninstall.exe; do
    [ -f "$drive/vt-install-check/$f" ] || { echo "installer check: $f not installed" >&2; exit 1; }
  done
  menu=$(find "$drive/users" -path '*/Start Menu/Programs/Vestrada/Vestrada.lnk' 2>/dev/null | head -n1)
  [ -n "$menu" ] || { echo "installer check: no Start-menu entry" >&2; exit 1; }
  "$build/wine-run.sh" 'C:\vt-install-check\uninstall.exe' /S
  wineserver -w
  [ ! -e "$drive/vt-install-check" ] && [ ! -e "$menu" ] ||
    { echo "installer check: the uninstaller left files behind" >&2; exit 1; }
  echo "Installer check: installed and uninstalled under Wine"
fi
echo "Installer: $setup ($(du -k "$setup" | cut -f1) KiB)"
echo "Portable:  $zipfile ($(du -k "$zipfile" | cut -f1) KiB)"
if [ "$tests" = failed ]; then
  echo "Some tests failed under Wine (see above)" >&2
  exit 1
fi
