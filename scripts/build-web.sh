#!/usr/bin/env bash
# Builds the page with emscripten into build-web/site: static files that any
# web server can host.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" emscripten
# em++'s optimiser finds its node modules (acorn) only through NODE_PATH.
export NODE_PATH=/usr/share/nodejs
# emcmake echoes its command line; show what it says only when it fails.
if ! log="$(emcmake cmake -S "$root" -B "$root/build-web" -DNANAREN_BUILD_TESTS=OFF \
                -DNANAREN_BUILD_BENCHMARKS=OFF 2>&1)"; then
    echo "$log" >&2
    exit 1
fi
cmake --build "$root/build-web" --target nanaren_web -j "$(nproc)" >/dev/null
