#!/usr/bin/env bash
# Builds the game in build/ and starts it in the current directory, where it
# reads think.txt.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target nanaren -j "$(nproc)" >/dev/null
exec "$root/build/nanaren"
