#!/bin/sh
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer (Debug, build-sanitize/)
# and runs the whole suite there; the first error a sanitizer finds fails its test. Run it after
# `sh scripts/setup.sh test`, which installs what both need.
set -eu
cd "$(dirname "$0")/.."

cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DNERAV_SANITIZE=ON
cmake --build build-sanitize

# Leaks count too: the suite runs clean under LeakSanitizer (what Qt and fontconfig keep for
# the whole run stays reachable and is not reported), so nothing is suppressed.
ASAN_OPTIONS="detect_leaks=1:halt_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1"
UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export ASAN_OPTIONS UBSAN_OPTIONS
QT_QPA_PLATFORM=offscreen ctest --test-dir build-sanitize --output-on-failure -j 2 --timeout 900
