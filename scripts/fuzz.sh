#!/usr/bin/env bash
# Builds the fuzz targets (clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) in build-fuzz/ and runs each for SECONDS
# (default 60), starting from its seeds in fuzz/corpus/. What a run learns
# stays in build-fuzz/corpus/; an input that fails is written to
# build-fuzz/artifacts/ and the run stops with its log.
set -euo pipefail
. "$(dirname "$0")/lib.sh"
seconds="${1:-60}"
build="$root/build-fuzz"
install_packages clang libclang-rt-dev
build_preset fuzz nanaren_fuzz_targets

mkdir -p "$build/artifacts"
# Every target that was built, with its seeds and dictionary where it has them.
for target in "$build"/fuzz/nanaren_fuzz_*; do
    name="${target##*/nanaren_fuzz_}"
    dictionary=()
    [ -f "$root/fuzz/$name.dict" ] && dictionary=(-dict="$root/fuzz/$name.dict")
    seeds=()
    [ -d "$root/fuzz/corpus/$name" ] && seeds=("$root/fuzz/corpus/$name")
    mkdir -p "$build/corpus/$name"
    log="$build/fuzz-$name.log"
    if ! "$target" -max_total_time="$seconds" -timeout=60 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" "${dictionary[@]}" \
        "$build/corpus/$name" "${seeds[@]}" >"$log" 2>&1; then
        tail -n 60 "$log"
        echo "fuzz target $name failed; its input is in $build/artifacts/" >&2
        exit 1
    fi
    echo "$name: $(grep -m1 -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$') inputs, no failure"
done
