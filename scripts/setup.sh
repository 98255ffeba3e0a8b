#!/bin/sh
# Installs what is missing, builds, then starts the program ("run") or runs every test ("test").
set -eu
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in
run | test) ;;
*)
    echo "usage: sh scripts/setup.sh run|test" >&2
    exit 2
    ;;
esac

packages="build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libssl-dev libgtest-dev
    clang libclang-rt-14-dev xvfb xauth fonts-ipafont-gothic qt6-translations-l10n
    libavformat-dev libavcodec-dev libavutil-dev libswscale-dev dbus-daemon
    dosfstools exfatprogs fusefat exfat-fuse fuse3 mount"
missing=""
for package in $packages; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing="$missing $package"
done
if [ -n "$missing" ]; then
    # Only the package installs need root: an ordinary user's go through sudo, the rest of the
    # set-up runs as that user.
    if [ "$(id -u)" -eq 0 ]; then
        as_root=""
    elif command -v sudo >/dev/null 2>&1; then
        as_root="sudo"
        echo "Installing the missing packages with sudo (the build runs as $(id -un)):$missing"
    else
        echo "setup.sh: these packages are missing and need root to install, but this is not root and sudo is not there:$missing" >&2
        echo "setup.sh: install them as root (apt-get install$missing), or run this as root" >&2
        exit 1
    fi
    # shellcheck disable=SC2086
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get update
    # shellcheck disable=SC2086
    $as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $missing
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build

if [ "$mode" = test ]; then
    QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j 2
elif [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/nerav-schedule-generator
else
    # No desktop session: show the window on a virtual display.
    exec xvfb-run -a ./build/nerav-schedule-generator
fi
