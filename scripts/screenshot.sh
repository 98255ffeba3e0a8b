#!/bin/sh
# Shows the main window with a small sample schedule and its media files on a virtual display
# (Japanese font installed) and saves it as docs/main-window.png, or in English as
# docs/main-window-en.png.
#     sh scripts/screenshot.sh            (uses the build folder build/)
#     sh scripts/screenshot.sh en         (the English interface)
#     BUILD_DIR=other sh scripts/screenshot.sh
set -eu
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
language=${1:-ja}
case "$language" in
ja) output=docs/main-window.png title=ネラブスケジューラー ;;
en) output=docs/main-window-en.png title="Nerav Schedule Generator" ;;
*) echo "usage: sh scripts/screenshot.sh [ja|en]" >&2; exit 2 ;;
esac

cmake --build "$build" --target nerav-schedule-generator make_sample_schedule

# A throw-away copy of the program: it keeps SystemInfo.txt and opens nerav.nrv beside itself,
# its media folder (by default the same folder) holds the schedule's files in media/, and the
# shipped player profile lies beside it as in the build folder.
work=$(mktemp -d /tmp/nerav-screenshot.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/NeravSchedules/profiles" "$work/runtime" "$work/config" "$work/cache"
chmod 700 "$work/runtime"
cp "$build/nerav-schedule-generator" "$work/NeravSchedules/"
cp "$build/profiles/default.json" "$work/NeravSchedules/profiles/"
# Modules the program loads from lib/ beside itself (the media reader), where the build has them.
if [ -d "$build/lib" ]; then cp -R "$build/lib" "$work/NeravSchedules/"; fi
"$build/tests/make_sample_schedule" "$work/NeravSchedules/" nerav.nrv "$work/NeravSchedules/media"

cat >"$work/shoot.sh" <<'SHOOT'
#!/bin/sh
set -eu
"$1/NeravSchedules/nerav-schedule-generator" --language "$3" &
program=$!
window=""
for _ in $(seq 1 100); do
    window=$(xwininfo -root -tree 2>/dev/null | awk -v title="$4" 'index($0, title) { print $1; exit }')
    [ -n "$window" ] && break
    sleep 0.1
done
# Time to read the media files too.
sleep 2
if [ -n "$window" ]; then
    import -window "$window" "$2"
else
    echo "the main window did not appear" >&2
fi
kill "$program"
wait "$program" 2>/dev/null || true
[ -n "$window" ]
SHOOT

# Its own runtime and settings folders, so a running copy elsewhere does not count as a second
# instance and a language chosen in the menu does not matter.
XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache" \
    xvfb-run -a -s "-screen 0 1280x1024x24" \
    sh "$work/shoot.sh" "$work" "$work/shot.png" "$language" "$title"
mkdir -p docs
cp "$work/shot.png" "$output"
echo "saved $output"
