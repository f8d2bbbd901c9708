#!/usr/bin/env bash
# Installs what is missing, builds the program and its tests with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan/ and runs
# every test there: a leak, a bad access or undefined behaviour fails it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVT_SANITIZE=ON >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export LSAN_OPTIONS=suppressions=$PWD/../tests/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 900
