#!/usr/bin/env bash
# Fails every host call of every command in turn (CI tries every 10th), under the
# sanitizer build unless a preset is named: scripts/fault-sweep.sh [asan|default]
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-asan}"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target test_fault_sweep
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
CARTOVEL_SWEEP_STRIDE=1 "build/$preset/bin/test_fault_sweep" | grep -E '^\[ sweep|FAILED|PASSED'
