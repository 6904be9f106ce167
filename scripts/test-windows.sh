#!/usr/bin/env bash
# Cross-builds the game and every test for 64-bit Windows with MinGW-w64 in
# build-windows/, runs the tests under wine and packs nanaren.exe with the
# README into a .zip there. Installs what a fresh Debian machine lacks.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
build="$root/build-windows"
install_packages --no-install-recommends g++-mingw-w64-x86-64-posix wine64 wine googletest
build_preset windows

# A wine prefix of the build's own, without the .NET and HTML runtimes wine
# would offer to install. Its background services start here with their
# streams closed: started by the first test, they would hold ctest's output
# open and ctest would wait for them.
export WINEPREFIX="$build/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
wineserver -p
trap 'wineserver -k' EXIT
wine wineboot </dev/null >/dev/null 2>&1
# Now and then wine fails to start a test's process at all (no output, a
# failure after 0 s, seen once in many runs); such a test is run once more.
say "running the tests under wine"
cd "$root"
ctest --preset windows -j "$(nproc)" --repeat until-pass:2

cmake --build --preset windows --target package
