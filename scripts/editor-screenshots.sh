#!/bin/sh
# Saves pictures of the entry editor (showing a video it makes, with the video's thumbnail and
# facts) and of the date/time editor, in Japanese as docs/entry-editor.png and
# docs/advance-editor.png and in English as docs/entry-editor-en.png and
# docs/advance-editor-en.png. Needs xvfb-run and the IPAGothic font.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build}
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target editor_screenshots -j 2
mkdir -p "$root/docs"
for language in ja en; do
    QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$build/tests/editor_screenshots" "$root/docs" "$language"
done
echo "saved $root/docs/entry-editor.png, advance-editor.png and their -en.png in English"
