#!/usr/bin/env bash
# Builds the game in build/ and starts it in the current directory, where it
# reads think.txt. Any arguments are a command that starts the game, e.g.
# "luit -encoding SJIS" to see its Shift-JIS text on a UTF-8 terminal.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh"
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target nanaren -j "$(nproc)" >/dev/null
exec "$@" "$root/build/nanaren"
