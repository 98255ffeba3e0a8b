#!/bin/sh
# Saves pictures of the entry editor and the date/time editor, shown in Japanese, as
# docs/entry-editor.png and docs/advance-editor.png. Needs xvfb-run and the IPAGothic font.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target editor_screenshots -j 2
mkdir -p "$root/docs"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/tests/editor_screenshots" "$root/docs"
echo "saved $root/docs/entry-editor.png and $root/docs/advance-editor.png"
