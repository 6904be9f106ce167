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
# The launcher's terminal test needs a luit; failing to get one fails here
# rather than skipping that test unseen.
luit="${NANAREN_LUIT:-}"
[ -n "$luit" ] || luit="$("$root/scripts/luit.sh")"
NANAREN_LUIT="$luit" ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
