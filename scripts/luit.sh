#!/usr/bin/env bash
# Prints the path of a luit from Debian's luit package, which the launcher
# uses on UTF-8 terminals. When that package is not installed, its binary is
# unpacked into build/luit instead of installing it: the package replaces
# x11-utils, and apt would remove chromium and whatever else needs x11-utils.
set -euo pipefail
. "$(dirname "$0")/lib.sh"

if is_installed luit; then
    echo /usr/bin/luit
    exit 0
fi

luit="$root/build/luit/usr/bin/luit"
if [ ! -x "$luit" ]; then
    download="$(mktemp -d)"
    trap 'rm -rf "$download"' EXIT
    fetch() { (cd "$download" && apt-get download -qq -o APT::Sandbox::User="$(id -un)" luit); }
    if ! fetch 2>/dev/null; then
        as_root apt-get update -qq
        fetch
    fi
    mkdir -p "$root/build/luit"
    dpkg-deb -x "$download"/luit_*.deb "$root/build/luit"
fi
echo "$luit"
