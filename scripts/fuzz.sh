#!/bin/sh
# Builds the schedule reader's fuzz target with clang, ASan and UBSan (document core only, in
# build-fuzz/) and runs it for the given number of seconds (default 300) on a copy of the seed
# corpus in fuzz/corpus/, with inputs up to the largest file the reader accepts
# (MaxScheduleFileSize in src/document/ScheduleCodec.h). Findings go to build-fuzz/findings/.
set -eu
cd "$(dirname "$0")/.."

seconds=${1:-300}
# 50 + 257 + 30 * 255 + 255 * (17 + 30 * 255): the header, the longest key block, 255 basic
# entries and 255 advance schedules of 255 entries each.
max_len=1963042
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DNERAV_DOCUMENT_ONLY=ON -DNERAV_FUZZ=ON
cmake --build build-fuzz --target schedule_reader_fuzzer

# New inputs go to a working corpus, so the seeds in the repository stay small and chosen.
mkdir -p build-fuzz/corpus build-fuzz/findings
cp fuzz/corpus/* build-fuzz/corpus/
exec ./build-fuzz/schedule_reader_fuzzer -max_total_time="$seconds" -max_len="$max_len" \
    -print_final_stats=1 -artifact_prefix=build-fuzz/findings/ build-fuzz/corpus
