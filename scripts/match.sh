#!/usr/bin/env bash
# Builds nanaren-match in build/ and runs it with the given arguments, e.g.
# --playouts 1000,5000 --games 200 (see nanaren-match without arguments).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target nanaren-match -j "$(nproc)" >/dev/null
exec "$root/build/tools/nanaren-match" "$@"
