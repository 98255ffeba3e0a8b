#!/bin/sh
# Builds the program in Release form in build-pkg/ and makes the Debian package there
# (build-pkg/nerav-schedule-generator_<version>_<arch>.deb). Needs dpkg-dev for the
# dependency list (dpkg-shlibdeps) and the build flags; scripts/setup.sh installs the rest.
set -eu
cd "$(dirname "$0")/.."

if ! command -v dpkg-shlibdeps >/dev/null 2>&1; then
    echo "dpkg-shlibdeps is missing: apt-get install dpkg-dev" >&2
    exit 1
fi

# Debian's hardening flags (fortified functions, read-only relocations, bind now), as every
# Debian package is built with.
CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS)
CXXFLAGS="$(dpkg-buildflags --get CXXFLAGS) $CPPFLAGS"
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS LDFLAGS

# Only what is installed is built, not the tests.
cmake -S . -B build-pkg -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON
cmake --build build-pkg --target nerav-schedule-generator nrvtool nerav-docs -j "${JOBS:-2}"
(cd build-pkg && cpack -G DEB)
ls build-pkg/*.deb
