#!/usr/bin/env bash
# Fits the learned move priors to the games in tools/priors/games/ and writes
# src/players/move_prior_table.cpp, the weights the strong player reads (see
# tools/priors/README.md). A minute; rebuild afterwards.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
install_packages
build_preset default nanaren-train-priors
cd "$root"
build/tools/nanaren-train-priors --players "$(cat tools/priors/players.txt)" \
    --out src/players/move_prior_table.cpp tools/priors/games/*.csv
say "wrote src/players/move_prior_table.cpp"
