#!/usr/bin/env bash
# Colours the US counties with our command and with mapshaper's non-adjacent
# classification, in one run, and prints the whole-process times side by side.
#
#   bench/colouring/compare-mapshaper.sh [BUILD_DIR]
#
# Needs npm (mapshaper 0.7.70 and the us-atlas 3.0.1 counties it colours are installed into
# a scratch folder) and a build with bench_colouring.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/default}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$scratch" && npm install --silent --no-audit --no-fund mapshaper@0.7.70 us-atlas@3.0.1 >/dev/null)
counties="$scratch/node_modules/us-atlas/counties-albers-10m.json"

best() { # best wall time of 5 runs of a command, in seconds
  local best=999
  for _ in 1 2 3 4 5; do
    local start end t
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    t=$(echo "$end - $start" | bc)
    best=$(echo "if ($t < $best) $t else $best" | bc)
  done
  echo "$best"
}

ours=$(best "$build/bin/cartovel" run polygon-colouring "$root/examples/us-counties.svg" \
  -o "$scratch/ours.svg" --answer ok --answer cancel --answer cancel)
theirs=$(best "$scratch/node_modules/.bin/mapshaper" "$counties" -target counties \
  -classify non-adjacent -o "$scratch/x.json")
printf 'cartovel polygon-colouring  %.3f s\nmapshaper -classify         %.3f s\nratio (ours / mapshaper)    %.2f\n' \
  "$ours" "$theirs" "$(echo "$ours / $theirs" | bc -l)"
