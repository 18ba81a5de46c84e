#!/usr/bin/env bash
# Takes the README's Inkscape pictures under a virtual display: the colouring extension's
# dialog over the test map, and the map after the extension ran.
# Usage: scripts/inkscape-screenshots.sh [BUILD_DIR]
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build/default}
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
mkdir -p "$profile/extensions"
ln -s "$build/share/inkscape/extensions/cartovel" "$profile/extensions/cartovel"
export INKSCAPE_PROFILE_DIR=$profile
out=$here/docs/images
map=$here/tests/inkscape/map.svg

shot() { # ACTIONS PNG
  xvfb-run -a -s "-screen 0 1100x720x24" bash -c '
    inkscape --with-gui --actions="$1" "$2" & pid=$!
    sleep 20; import -window root "$3"; kill $pid' _ "$1" "$map" "$2"
}
shot "org.cartovel.polygon-colouring" "$profile/dialog.png"
shot "org.cartovel.polygon-colouring.noprefs" "$profile/coloured.png"
convert "$profile/dialog.png" -fuzz 2% -trim +repage -resize 75% -colors 64 "$out/inkscape-dialog.png"
convert "$profile/coloured.png" -fuzz 2% -trim +repage -resize 75% -colors 64 "$out/inkscape-coloured.png"
