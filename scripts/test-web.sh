#!/usr/bin/env bash
# Builds the native game and the page, installs the browser driver, and plays
# the browser tests in headless Chromium. With --timing it times a
# 20000-playout move natively and in Chromium instead, then the coach's
# review and hint (--timing coach: the coach alone; --timing threads: the
# two-lane levels' moves on the threaded and the single-thread build).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages emscripten chromium fonts-ipafont-gothic
command -v npm >/dev/null || install_packages nodejs npm
build_preset default nanaren nanaren_seeded nanaren_reference nanaren-match
"$root/scripts/build-web.sh"
cd "$root/web"
npm ci --no-audit --no-fund --loglevel=error
if [ "${1:-}" = --timing ]; then
    exec node test/timing.mjs "${@:2}"
fi
# One file at a time: each starts its own server and browser.
exec node --test --test-concurrency=1 test/state.test.mjs test/record.test.mjs test/page.test.mjs test/app.test.mjs test/coach.test.mjs test/threads.test.mjs
