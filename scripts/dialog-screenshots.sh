#!/bin/sh
# Saves pictures of the copy and publish dialogs and both About dialogs, in Japanese, to docs/.
# Needs xvfb-run and ImageMagick; with openbox installed the pictures show the title bars.
# Usage: scripts/dialog-screenshots.sh [build-folder]
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
cmake --build "$build" --target nerav_dialog_screenshots
demo=${TMPDIR:-/tmp}/nerav-demo
rm -rf "$demo"
trap 'rm -rf "$demo"' EXIT
for pair in copy:copy-dialog publish:publish-dialog program:about-program company:about-company; do
    xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
        if command -v openbox >/dev/null; then openbox & wm=$!; sleep 1; fi
        "$@"; status=$?
        [ -n "${wm:-}" ] && kill "$wm"
        exit $status' screenshot \
        "$build/tests/nerav_dialog_screenshots" "${pair%%:*}" "$root/docs/${pair##*:}.png" "$demo"
done
echo "saved docs/copy-dialog.png docs/publish-dialog.png docs/about-program.png docs/about-company.png"
