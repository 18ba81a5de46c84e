#!/usr/bin/env bash
# Writes the README's pictures of the desktop program, drawn off screen: the coloured
# sample map with the panels docked, and the map scaling dialog.
#   scripts/desk-screenshots.sh [BUILD_DIR]      (default: build/default)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/default}
out=docs/images
mkdir -p "$out"
# A preference store of its own, so the pictures show the commands' first-use settings.
prefs=$(mktemp -d)
trap 'rm -rf "$prefs"' EXIT
export QT_QPA_PLATFORM=offscreen
desk() { "$build/bin/cartovel-desk" --prefs "$prefs/preferences.json" "$@"; }
desk --screenshot "$out/desk-coloured.png" --run polygon-colouring --show-panels \
  examples/us-states.svg
desk --screenshot "$out/desk-scaling.png" --open-dialog map-scaling --show-panels \
  examples/us-states.svg
echo "wrote $out/desk-coloured.png and $out/desk-scaling.png"
