#!/bin/sh
# Checks the layers of the program: a file includes only headers of its own layer or of the
# layers below it (and not those of a folder of its layer it must not use), and the schedule
# document includes no Qt at all. Prints each include that breaks this and exits 1 if there is
# one.
#     sh scripts/check-includes.sh
set -eu
cd "$(dirname "$0")/.."

# The layer of a file, from its folder; the higher the number, the higher the layer.
layer() {
    case "$1" in
    src/document/*) echo 0 ;;
    src/platform/* | src/shell/* | src/text/* | src/storage/* | src/publish/* | src/media/*) echo 1 ;;
    src/model/*) echo 2 ;;
    tools/*) echo 2 ;;
    src/widgets/*) echo 3 ;;
    src/dialogs/*) echo 4 ;;
    src/mainwindow/*) echo 5 ;;
    src/app/*) echo 6 ;;
    *) echo "" ;;
    esac
}

# Within one layer, folders that must not include each other's headers: the publish check reads
# media facts, so the media layer knows nothing of publishing.
forbidden() {
    case "$1:$2" in
    src/media/*:src/publish/*) return 0 ;;
    esac
    return 1
}

headers=$(mktemp)
trap 'rm -f "$headers" "$headers.up"' EXIT
find src tools -name '*.h' >"$headers"

status=0
for file in $(find src tools -name '*.h' -o -name '*.cpp' | sort); do
    own=$(layer "$file")
    grep -o '^#include "[^"]*"' "$file" | sed 's/^#include "\(.*\)"$/\1/' | while read -r name; do
        header=$(grep -m 1 "/$name\$" "$headers" || true)
        [ -n "$header" ] || continue
        theirs=$(layer "$header")
        if [ "$theirs" -gt "$own" ]; then
            echo "$file includes $header, a layer above it"
            echo up >>"$headers.up"
        elif forbidden "$file" "$header"; then
            echo "$file includes $header, which its folder must not use"
            echo up >>"$headers.up"
        fi
    done
done
if grep -n '^#include <Q' src/document/*; then
    echo "the schedule document includes Qt"
    status=1
fi
if [ -e "$headers.up" ]; then
    rm -f "$headers.up"
    status=1
fi
[ "$status" -eq 0 ] && echo "includes: every include stays in its layer or below"
exit "$status"
