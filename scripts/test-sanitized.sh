#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test there: a leak, a bad access or undefined behaviour fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# Light optimisation and line tables only: the reports keep their lines and
# the build stays short; the benchmarks are left out.
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_CXX_FLAGS="-O1 -g1" \
      -DVT_SANITIZE=ON -DVT_BENCH=OFF >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
# libxkbcommon-x11 hands strndup strings shorter than the length it gives;
# the interceptor would report that system library, not this program.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:intercept_strndup=0
export LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 900
