#!/usr/bin/env bash
# Builds the page with emscripten into build-web/site: static files that any
# web server can host.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages emscripten
# em++'s optimiser finds its node modules (acorn) only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
# emcmake echoes its command line; show what it says only when it fails.
if ! log="$(cd "$root" && emcmake cmake --preset web 2>&1)"; then
    echo "$log" >&2
    exit 1
fi
say "building the page with emscripten"
(cd "$root" && cmake --build --preset web --target nanaren_web nanaren_web_threads -j "$(nproc)" >/dev/null)
