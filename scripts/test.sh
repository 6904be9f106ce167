#!/usr/bin/env bash
# Builds everything in build/ (or the directory given as $1, with any further
# arguments passed to cmake) and runs every test.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
[ $# -gt 0 ] && shift
"$root/scripts/setup.sh"
cmake -S "$root" -B "$build" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
NANAREN_LUIT="${NANAREN_LUIT:-$("$root/scripts/luit.sh")}" \
    ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
