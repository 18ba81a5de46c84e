#!/usr/bin/env bash
# Colours the US counties with our command and with mapshaper's non-adjacent
# classification, in one run, and prints the whole-process times side by side.
#
#   bench/colouring/compare-mapshaper.sh [BUILD_DIR]
#
# Needs npm: mapshaper 0.7.70 and the us-atlas 3.0.1 counties it colours are installed into
# a scratch folder. Needs a build with the cartovel program.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$root/build/default}
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# mapshaper 0.7.70 asks for a 2024 release of one dependency that the registry no longer
# serves; the current release has the same interface.
cat >"$scratch/package.json" <<'JSON'
{ "private": true,
  "dependencies": { "mapshaper": "0.7.70", "us-atlas": "3.0.1" },
  "overrides": { "geotiff-geokeys-to-proj4": "2026.11.15" } }
JSON
(cd "$scratch" && npm install --silent --no-audit --no-fund --omit=optional >/dev/null)
counties="$scratch/node_modules/us-atlas/counties-albers-10m.json"

best_ns() { # best wall time of 5 runs of a command, in nanoseconds; fails if the command does
  local best=0
  for _ in 1 2 3 4 5; do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; return 1; }
    end=$(date +%s%N)
    if ((best == 0 || end - start < best)); then best=$((end - start)); fi
  done
  echo "$best"
}

ours=$(best_ns "$build/bin/cartovel" run polygon-colouring "$root/examples/us-counties.svg" \
  -o "$scratch/ours.svg" --answer ok --answer cancel --answer cancel)
# A few counties of the atlas have no geometry, which the classifier cannot take.
theirs=$(best_ns "$scratch/node_modules/.bin/mapshaper" "$counties" -target counties \
  -filter remove-empty -classify non-adjacent -o "$scratch/theirs.json")
awk -v o="$ours" -v t="$theirs" 'BEGIN {
  printf "cartovel polygon-colouring  %.3f s\nmapshaper -classify         %.3f s\nratio (ours / mapshaper)    %.2f\n",
    o / 1e9, t / 1e9, o / t }'
