#!/bin/sh
# Draws the program's PNG icons again (packaging/nerav-schedule-generator-<size>.png, 16 to 256
# pixels) from the badge the About windows draw, after a change to the badge. Needs a build/
# configured as the set-up does.
set -eu
cd "$(dirname "$0")/.."

cmake --build build --target nerav-icon-render
QT_QPA_PLATFORM=offscreen ./build/nerav-icon-render packaging
ls packaging/*.png
