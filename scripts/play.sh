#!/usr/bin/env bash
# Builds the game in build/ and starts it in the current directory, where it
# reads think.txt, through the launcher: on a UTF-8 terminal the Japanese text
# is shown through Debian's luit. --raw keeps the game's Shift-JIS bytes.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages
build_preset default nanaren
NANAREN_LUIT="${NANAREN_LUIT:-$("$root/scripts/luit.sh")}" exec "$root/build/nanaren-play" "$@"
