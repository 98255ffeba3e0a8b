#!/bin/sh
# Checks the layers of the program: every folder is a layer of its own, and a file includes only
# headers of its own folder or of the folders below it, so no two folders can include each other
# (directly or round a loop). The schedule document includes no Qt at all. Prints each include
# that breaks this and exits 1 if there is one.
#     sh scripts/check-includes.sh
set -eu
cd "$(dirname "$0")/.."

# The folders, lowest first: the document, the system seams, files on disk, the media files,
# publishing, the words, the settings, the models over the document, shared widgets, the
# dialogs (the entry editor opens the copy dialog), the main window, the program's start, and
# nrvtool.
LAYERS="src/document src/platform src/storage src/media src/publish src/text src/shell src/model
src/widgets src/dialogs/copy src/dialogs/about src/dialogs/advanceeditor src/dialogs/calendar
src/dialogs/duplicatedays src/dialogs/entryeditor src/dialogs/publish src/mainwindow src/app
tools"

# The layer of a file, from its folder; the higher the number, the higher the layer. Empty for a
# file outside every layer.
layer() {
    number=0
    for folder in $LAYERS; do
        case "$1" in
        "$folder"/*)
            echo "$number"
            return
            ;;
        esac
        number=$((number + 1))
    done
    echo ""
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
        if [ -z "$own" ] || [ -z "$theirs" ]; then
            echo "$file or $header lies outside every layer"
            echo up >>"$headers.up"
        elif [ "$theirs" -gt "$own" ]; then
            echo "$file includes $header, a layer above it"
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
