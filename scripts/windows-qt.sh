#!/usr/bin/env bash
# Builds Qt for Windows (MinGW-w64) from Debian's own qt6-base source, once:
# the result is cached under /var/cache/vestrada/ keyed by the Qt version and
# the flags, and this script only prints its folder when the cache is there.
# Usage: scripts/windows-qt.sh [--check]   (--check: print the folder or exit 1)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dpkg-query -W qt6-base-dev >/dev/null 2>&1 || bash scripts/install-deps.sh >&2
debver=$(dpkg-query -W -f='${Version}' qt6-base-dev)   # e.g. 6.4.2+dfsg-10
qtver=${debver%%[+-]*}
flags=(-DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_printsupport=OFF
       -DFEATURE_vulkan=OFF -DFEATURE_tabletevent=OFF -DFEATURE_system_zlib=OFF
       -DFEATURE_system_pcre2=OFF -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF
       -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF -DFEATURE_sql_sqlite=OFF
       -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DBUILD_SHARED_LIBS=ON
       -DCMAKE_BUILD_TYPE=Release)
key=$(printf '%s\n' "$qtver" "${flags[@]}" "$(cat cmake/mingw-w64.cmake)" | sha256sum | cut -c1-12)
prefix=/var/cache/vestrada/qt-$qtver-mingw-$key
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"; exit 0
fi
[ "${1:-}" = --check ] && exit 1

bash scripts/install-deps.sh g++-mingw-w64-x86-64-posix mingw-w64-tools dpkg-dev >&2
work=/var/cache/vestrada/qt-src-$qtver
mkdir -p "$work"
if [ ! -d "$work/src" ]; then
  # A deb-src entry for this one command, without touching the system's sources.
  lists=$work/apt-lists; mkdir -p "$lists/partial" "$work/apt-cache/archives/partial"
  printf 'deb-src http://deb.debian.org/debian bookworm main\n' > "$work/sources.list"
  apt=(-o Dir::Etc::sourcelist="$work/sources.list" -o Dir::Etc::sourceparts=/dev/null
       -o Dir::State::Lists="$lists" -o Dir::Cache="$work/apt-cache")
  apt-get "${apt[@]}" update -qq >&2
  (cd "$work" && rm -rf dl && mkdir dl && cd dl && apt-get "${apt[@]}" source --download-only "qt6-base=$debver" >&2 \
     && dpkg-source -x --no-check ./*.dsc ../src >&2)
fi
build=$work/build-$key
mkdir -p "$build"
cmake -S "$work/src" -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_INSTALL_PREFIX="$prefix" "${flags[@]}" >&2
cmake --build "$build" -j"$(nproc)" >&2
cmake --install "$build" >&2
touch "$prefix/.complete"
rm -rf "$build"   # the installed Qt is all that is kept
echo "$prefix"
