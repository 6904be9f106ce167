#!/usr/bin/env bash
# Builds everything in a configuration of CMakePresets.json (default: the
# Release build in build/; sanitize: build-sanitize/) and runs every test.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
preset="${1:-default}"
install_packages
build_preset "$preset"
# The launcher's terminal test needs a luit; failing to get one fails here
# rather than skipping that test unseen.
luit="${NANAREN_LUIT:-}"
[ -n "$luit" ] || luit="$("$root/scripts/luit.sh")"
say "running the tests"
cd "$root"
NANAREN_LUIT="$luit" ctest --preset "$preset" -j "$(nproc)"
