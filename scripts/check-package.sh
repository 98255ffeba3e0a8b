#!/bin/sh
# Builds the Debian package (scripts/package.sh) and checks it as Debian and the desktops do:
# lintian on the package, appstreamcli on the AppStream metadata and desktop-file-validate on
# the menu entry. Installs the three checkers when they are missing. Exits non-zero when a
# checker reports an error or a warning. Run as root from a checkout.
set -eu
cd "$(dirname "$0")/.."

missing=""
for package in lintian appstream desktop-file-utils dpkg-dev; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" ||
        missing="$missing $package"
done
if [ -n "$missing" ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    # shellcheck disable=SC2086
    apt-get install -y --no-install-recommends $missing
fi

sh scripts/package.sh
version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb=build-pkg/nerav-schedule-generator_${version}_$(dpkg --print-architecture).deb

status=0
echo "== lintian $deb"
# lintian refuses to run as root unless told it may.
lintian --allow-root --fail-on error,warning "$deb" || status=1
echo "== appstreamcli validate --no-net"
appstreamcli validate --no-net packaging/*.metainfo.xml || status=1
echo "== desktop-file-validate"
desktop-file-validate packaging/nerav-schedule-generator.desktop || status=1
if [ "$status" -eq 0 ]; then
    echo "package checks passed: $deb"
fi
exit "$status"
