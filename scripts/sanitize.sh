#!/bin/sh
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (Debug, build-sanitize/)
# and runs the whole suite there; the first error a sanitizer finds fails its test. Run it after
# `sh scripts/setup.sh test`, which installs what both need.
set -eu
cd "$(dirname "$0")/.."

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNERAV_SANITIZE=ON
cmake --build build-sanitize

# Leaks count too; the suppressions name the few that belong to Qt's and the system's own
# one-time set-up, never to the program.
ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:halt_on_error=1:strict_string_checks=1"
LSAN_OPTIONS="suppressions=$(pwd)/scripts/sanitize-leaks.supp:print_suppressions=0"
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j 2 --timeout 900
