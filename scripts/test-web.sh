#!/usr/bin/env bash
# Builds the native game and the page, installs the browser driver, and plays
# the browser tests in headless Chromium. With --timing it times a
# 20000-playout move natively and in Chromium instead.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/setup.sh" emscripten chromium fonts-ipafont-gothic
command -v npm >/dev/null || "$root/scripts/setup.sh" nodejs npm
cmake -S "$root" -B "$root/build" >/dev/null
cmake --build "$root/build" --target nanaren_seeded -j "$(nproc)" >/dev/null
"$root/scripts/build-web.sh"
cd "$root/web"
npm ci --no-audit --no-fund --loglevel=error
if [ "${1:-}" = --timing ]; then
    exec node test/timing.mjs
fi
exec node --test test/page.test.mjs
