#!/usr/bin/env bash
# Builds everything in a configuration of CMakePresets.json (default: the
# Release build in build/; sanitize: build-sanitize/) and runs every test.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
preset="${1:-default}"
install_packages
build_preset "$preset"
say "running the tests"
cd "$root"
ctest --preset "$preset" -j "$(nproc)"
