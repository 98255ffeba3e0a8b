#!/bin/sh
# Saves a picture of the calendar window with a December sample schedule, shown in Japanese,
# as docs/calendar.png, or in English as docs/calendar-en.png. Needs xvfb-run and the IPAGothic
# font.
#     sh scripts/calendar-screenshot.sh [ja|en]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
language=${1:-ja}
case "$language" in
ja) output=calendar.png ;;
en) output=calendar-en.png ;;
*) echo "usage: sh scripts/calendar-screenshot.sh [ja|en]" >&2; exit 2 ;;
esac
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target calendar_screenshot -j 2
mkdir -p "$root/docs"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/calendar_screenshot" "$root/docs" "$language"
echo "saved $root/docs/$output"
