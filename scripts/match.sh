#!/usr/bin/env bash
# Builds nanaren-match in build/ and runs it with the given arguments, e.g.
# --playouts 1000,5000 --games 200 (see nanaren-match without arguments).
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages
build_preset default nanaren-match
exec "$root/build/tools/nanaren-match" "$@"
