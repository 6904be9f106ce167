#!/usr/bin/env bash
# Builds nanaren-gtp and checks it against independent implementations from
# npm (gtp/test/): a real GTP client plays a whole game with undo and
# showboard and reads lz-analyze's lines, a real SGF parser reads the records
# it writes and writes records it reads, and an independent board replays the
# captures of 100 of its games. Installs what a fresh Debian machine lacks.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages
command -v npm >/dev/null || install_packages nodejs npm
build_preset default nanaren-gtp
cd "$root/gtp/test"
npm ci --no-audit --no-fund --loglevel=error
NANAREN_GTP="$root/build/gtp/nanaren-gtp" exec node --test --test-concurrency=1 \
    gtp.test.mjs sgf.test.mjs board.test.mjs
