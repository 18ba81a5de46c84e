#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a scratch root (no root
# rights, nothing installed on the machine) and colours the bundled sample map with the
# unpacked program, which must find its module on its own.
#   scripts/check-package.sh [BUILD_DIR]      (default: build/default)
set -euo pipefail
build=$(cd "${1:-build/default}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log") ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(find "$scratch/package" -maxdepth 1 -name '*.deb' | head -n 1)
[ -n "$deb" ] || { echo "check-package: cpack made no .deb"; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"

cartovel="$scratch/root/usr/bin/cartovel"
sample="$scratch/root/usr/share/cartovel/examples/us-states.svg"
env -u CARTOVEL_PLUGIN "$cartovel" run polygon-colouring "$sample" -o "$scratch/coloured.svg" \
  --answer ok --prefs "$scratch/preferences.json"
fills=$(grep -o 'fill="[^"]*"' "$scratch/coloured.svg" | sort -u | wc -l)
if [ "$fills" -le 2 ]; then
  echo "check-package: the coloured sample has $fills fills; expected more than 2"
  exit 1
fi
echo "check-package: $(basename "$deb") unpacks, and its cartovel colours the sample ($fills fills)"
