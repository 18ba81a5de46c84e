#!/usr/bin/env bash
# Runs the DLL's smoke test under Wine, headless on a virtual X display, in a Wine prefix
# inside build/win64 (made on the first run, which takes a while). Needs the win64 preset
# built.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/win64
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[[ -x $wine ]] || { echo "win64-smoke: Wine is not installed (scripts/setup.sh)" >&2; exit 1; }
export WINEPREFIX=$PWD/$build/wineprefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
xvfb-run -a "$wine" "$build/bin/cartovel-dll-smoke.exe" "$build/plugins/cartovel.dll"
