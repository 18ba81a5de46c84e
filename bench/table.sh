#!/usr/bin/env bash
# Every figure of the speed table in one run: whole processes, side by side and interleaved
# round by round (median CPU time, wall time and peak memory of each), and their ratios.
#
#   bench/table.sh [BUILD_DIR] [ROUNDS]
#
# Needs a build with the cartovel program, svg_resave and the benchmarks (the default
# preset).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/default}
rounds=${2:-7}
bin=$build/bin
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

counties=$root/examples/us-counties.svg
cells=$scratch/cells-64000.svg
"$bin/bench_make_cells" 64000 "$cells"
tiny=$scratch/tiny.svg
"$bin/bench_make_cells" 1 "$tiny"
prefs=$scratch/preferences.json

cartovel() { # NAME COMMAND INPUT [ARGS...]: a cartovel run as a task of bench_table
  local name=$1 command=$2 input=$3
  shift 3
  printf '%s\n' "$name" -- "$bin/cartovel" run "$command" "$input" -o "$scratch/$name.svg" \
    --prefs "$prefs" "$@" ';;'
}
floor() { # NAME INPUT: the plain XML parse and write of a file
  printf '%s\n' "$1" -- "$bin/bench_xml_floor" "$2" "$scratch/$1.svg" ';;'
}
# A layer name replacement whose text no name holds reads and writes the document and
# changes nothing (fast move with nothing selected is refused and writes nothing).
nochange=(layer-replace --set search=cv-no-such-name --set replacement=x)
mapfile -t tasks < <(
  floor floor-counties "$counties"
  cartovel rw-counties "${nochange[0]}" "$counties" "${nochange[@]:1}"
  cartovel colour-counties polygon-colouring "$counties" --answer ok --answer cancel --answer cancel
  cartovel scale-counties map-scaling "$counties" --set target-scale=50000 --set scale-strokes=on
  floor floor-cells "$cells"
  cartovel rw-cells "${nochange[0]}" "$cells" "${nochange[@]:1}"
  cartovel colour-cells polygon-colouring "$cells" --answer ok --answer cancel --answer cancel
  cartovel rw-tiny "${nochange[0]}" "$tiny" "${nochange[@]:1}"
)
"$bin/bench_table" "$rounds" "${tasks[@]}" >"$scratch/figures"

size_counties=$(stat -c %s "$counties")
size_cells=$(stat -c %s "$cells")
awk -v sc="$size_counties" -v sx="$size_cells" -v rounds="$rounds" '
  function row(label, ratio, aim) { printf "%-52s %8.2f %6s\n", label, ratio, aim }
  { cpu[$1] = $2; wall[$1] = $3; peak[$1] = $4 * 1024 }
  END {
    printf "medians of %d interleaved rounds (cpu s, wall s, peak MiB)\n", rounds
    for (k in cpu) printf "  %-16s %7.3f %7.3f %8.1f\n", k, cpu[k], wall[k], peak[k] / 1048576
    printf "\n%-52s %8s %6s\n", "row", "ratio", "aim"
    row("read + write US counties, CPU vs XML floor", cpu["rw-counties"] / cpu["floor-counties"], "2")
    row("read + write 64,000 cells, CPU vs XML floor", cpu["rw-cells"] / cpu["floor-cells"], "2")
    row("read + write 64,000 cells, peak memory vs XML floor",
      peak["rw-cells"] / peak["floor-cells"], "-")
    row("peak memory, 64,000 cells, vs file size", peak["rw-cells"] / sx, "6")
    row("  the same less a tiny document'"'"'s peak", (peak["rw-cells"] - peak["rw-tiny"]) / sx, "6")
    row("colouring US counties, CPU vs XML floor",
      cpu["colour-counties"] / cpu["floor-counties"], "4")
    row("colouring 64,000 cells, CPU vs XML floor", cpu["colour-cells"] / cpu["floor-cells"], "4")
    row("map scaling US counties, wall vs our read + write",
      wall["scale-counties"] / wall["rw-counties"], "1.3")
  }' "$scratch/figures"
