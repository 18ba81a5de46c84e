#!/usr/bin/env bash
# Colours the US counties with our command and with mapshaper's non-adjacent
# classification, the two in turn round after round, and prints the median ratio of their
# whole-process CPU time, wall time and peak memory.
#
#   bench/colouring/compare-mapshaper.sh [BUILD_DIR] [ROUNDS]
#
# Needs npm: mapshaper 0.7.70 and the us-atlas 3.0.1 counties it colours are installed into
# a scratch folder. Needs a build with the cartovel program and the benchmarks.
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

rounds=${2:-9}
# Whole processes, ours and theirs in turn in every round; the ratio is taken round by round
# and its median reported, so that the machine's drift touches both sides alike.
"$build/bin/bench_table" --each "$rounds" \
  cartovel -- "$build/bin/cartovel" run polygon-colouring "$root/examples/us-counties.svg" \
  -o "$scratch/ours.svg" --prefs "$scratch/preferences.json" \
  --answer ok --answer cancel --answer cancel ';;' \
  mapshaper -- "$(command -v node)" "$scratch/node_modules/mapshaper/bin/mapshaper" "$counties" \
  -target counties -filter remove-empty -classify non-adjacent -o "$scratch/theirs.json" \
  >"$scratch/figures"
# A few counties of the atlas have no geometry, which the classifier cannot take (hence
# -filter remove-empty).
awk '
  NF == 5 { cpu[$1, $2] = $3; wall[$1, $2] = $4; peak[$1, $2] = $5; if ($1 > n) n = $1 }
  function median(a, k,   i, j, t) {
    for (i = 1; i <= k; i++) for (j = i + 1; j <= k; j++) if (a[j] < a[i]) { t = a[i]; a[i] = a[j]; a[j] = t }
    return a[int((k + 1) / 2)]
  }
  END {
    for (r = 1; r <= n; r++) {
      c[r] = cpu[r, "cartovel"] / cpu[r, "mapshaper"]
      w[r] = wall[r, "cartovel"] / wall[r, "mapshaper"]
      m[r] = peak[r, "cartovel"] / peak[r, "mapshaper"]
      printf "round %d: cartovel %.3f s CPU, mapshaper %.3f s CPU\n", r, cpu[r, "cartovel"], cpu[r, "mapshaper"]
    }
    printf "median ratio (cartovel / mapshaper) over %d rounds: CPU %.2f, wall %.2f, peak memory %.2f\n",
      n, median(c, n), median(w, n), median(m, n)
  }' "$scratch/figures"
