#!/usr/bin/env bash
# Builds the libFuzzer targets (the fuzz preset, clang) and runs each on its corpus and
# dictionary. scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]; default 600 s each, all
# three targets. New inputs go to build/fuzz/corpus/TARGET (the seeds in fuzz/corpus stay
# as they are); a crash leaves its input in build/fuzz/crashes and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-600}"
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(svg_reader list_file preferences)
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/crashes
for target in "${targets[@]}"; do
    work="build/fuzz/corpus/$target"
    mkdir -p "$work"
    echo "== fuzz_$target: ${seconds}s"
    "build/fuzz/bin/fuzz_$target" "$work" "fuzz/corpus/$target" \
        -dict="fuzz/$target.dict" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="build/fuzz/crashes/$target-" \
        2>&1 | grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units|stat::peak_rss|==[0-9]+==|SUMMARY)|cov:' | tail -4
done
