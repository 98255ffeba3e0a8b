#!/bin/sh
# Builds the benchmarks (Release, build-bench/) and prints one line per figure with its goal.
# Every figure is a ratio against a baseline measured in the same run. A report, not a gate:
# it exits 0 whatever the figures are.
#     sh scripts/bench.sh                (1 GiB copy, 7 start-up runs of each program)
#     RUNS=3 COPY_MIB=256 sh scripts/bench.sh
#     PUBLISH_FILES=50 PUBLISH_MAX_MIB=8 sh scripts/bench.sh publish   (a smaller publish only)
#     RUNS=3 sh scripts/bench.sh probe   (reading 200 media files' facts; against ffprobe when
#                                         it is installed)
# The publish figures need root for a loop-mounted medium; without it they use the same disk.
set -eu
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build-bench}

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DNERAV_BENCH=ON >/dev/null
cmake --build "$build" --target nerav-bench nerav-bench-program nerav-bench-bare -j 2 >/dev/null

# Files go on the same disk as the build; they are removed afterwards.
work=$(mktemp -d "$PWD/$build/bench-work.XXXXXX")
trap 'rm -rf "$work"' EXIT INT TERM
df -h "$work" | awk 'NR == 2 { print "disk: " $1 ", " $4 " free" }'
echo "machine: $(nproc) cores, $(uname -sr), $(date -u '+%Y-%m-%d %H:%M UTC')"

# The real xcb platform on a virtual display, with the program's Japanese font.
unset QT_QPA_PLATFORM
xvfb-run -a -s "-screen 0 2560x1200x24" \
    "$build/nerav-bench" --work "$work" --runs "${RUNS:-7}" --copy-mib "${COPY_MIB:-1024}" \
    --publish-files "${PUBLISH_FILES:-200}" --publish-max-mib "${PUBLISH_MAX_MIB:-20}" "$@" \
    || echo "bench: the benchmark program stopped early"
exit 0
