#!/usr/bin/env bash
# Builds the game in build/ and starts it in the current directory, where it
# reads think.txt, through the launcher, which shows the Japanese on a UTF-8
# terminal. The arguments go to the launcher: --raw keeps the game's
# Shift-JIS bytes, --lang en plays in English, --level K against level K.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages
build_preset default nanaren
exec "$root/build/nanaren-play" "$@"
