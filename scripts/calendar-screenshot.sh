#!/bin/sh
# Saves a picture of the calendar window with a December sample schedule, shown in Japanese,
# as docs/calendar.png. Needs xvfb-run and the IPAGothic font.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target calendar_screenshot -j 2
mkdir -p "$root/docs"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/calendar_screenshot" "$root/docs"
echo "saved $root/docs/calendar.png"
