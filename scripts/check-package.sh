#!/usr/bin/env bash
# Builds the Debian packages from a build tree and checks them with lintian (errors fail,
# warnings are printed), unpacks the command-line package into a scratch root (no root
# rights, nothing installed on the machine) and colours the bundled sample map with the
# unpacked program, which must find its module on its own. Then installs the build tree
# with `cmake --install`, under a prefix and with DESTDIR, and colours the sample with
# each installed program the same way. The desktop package, when built, opens the sample.
#   scripts/check-package.sh [BUILD_DIR]      (default: build/default)
set -euo pipefail
build=$(cd "${1:-build/default}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "check-package: $*"
    exit 1
}

# Colours the sample with an installed program and checks that neighbours got colours.
colour_sample() { # PROGRAM SAMPLE WHAT
    local out="$scratch/coloured.svg"
    rm -f "$out"
    env -u CARTOVEL_PLUGIN "$1" run polygon-colouring "$2" -o "$out" --answer ok \
        --prefs "$scratch/preferences.json" || fail "$3: cartovel failed with status $?"
    fills=$(grep -o 'fill="[^"]*"' "$out" | sort -u | wc -l)
    [ "$fills" -gt 2 ] || fail "$3: the coloured sample has $fills fills; expected more than 2"
}

(cd "$build" && cpack -G DEB -B "$scratch/package" >"$scratch/cpack.log") ||
    { cat "$scratch/cpack.log"; exit 1; }
deb=$(find "$scratch/package" -maxdepth 1 -name 'cartovel_*.deb' | head -n 1)
[ -n "$deb" ] || fail "cpack made no cartovel .deb"

command -v lintian >/dev/null || fail "lintian is missing (scripts/setup.sh installs it)"
status=0
lintian --fail-on error "$scratch/package"/*.deb >"$scratch/lintian.log" 2>&1 || status=$?
grep -v 'running with root privileges' "$scratch/lintian.log" ||
    echo "check-package: lintian has nothing to say"
[ "$status" -eq 0 ] || fail "lintian reports errors"

dpkg-deb -x "$deb" "$scratch/root"
for file in usr/share/man/man1/cartovel.1.gz usr/share/bash-completion/completions/cartovel \
    usr/share/doc/cartovel/copyright; do
    [ -f "$scratch/root/$file" ] || fail "$(basename "$deb") has no $file"
done
colour_sample "$scratch/root/usr/bin/cartovel" \
    "$scratch/root/usr/share/cartovel/examples/us-states.svg" "$(basename "$deb")"
echo "check-package: $(basename "$deb") is lintian-clean and unpacks, and its cartovel" \
    "colours the sample ($fills fills)"

# The desktop package, unpacked beside it, opens the sample with the same module.
desk=$(find "$scratch/package" -maxdepth 1 -name 'cartovel-desk_*.deb' | head -n 1)
if [ -n "$desk" ]; then
    dpkg-deb -x "$desk" "$scratch/root"
    env -u CARTOVEL_PLUGIN QT_QPA_PLATFORM=offscreen "$scratch/root/usr/bin/cartovel-desk" \
        --prefs "$scratch/preferences.json" --screenshot "$scratch/desk.png" \
        "$scratch/root/usr/share/cartovel/examples/us-states.svg" 2>"$scratch/desk.log" ||
        { cat "$scratch/desk.log"; fail "$(basename "$desk"): cartovel-desk failed"; }
    [ -s "$scratch/desk.png" ] || fail "$(basename "$desk"): cartovel-desk drew no picture"
    echo "check-package: $(basename "$desk") unpacks, and its cartovel-desk opens the sample"
fi

cmake --install "$build" --prefix "$scratch/prefix/usr" >/dev/null
colour_sample "$scratch/prefix/usr/bin/cartovel" \
    "$scratch/prefix/usr/share/cartovel/examples/us-states.svg" "cmake --install --prefix"
prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")
DESTDIR="$scratch/destdir" cmake --install "$build" >/dev/null
colour_sample "$scratch/destdir$prefix/bin/cartovel" \
    "$scratch/destdir$prefix/share/cartovel/examples/us-states.svg" "DESTDIR=... cmake --install"
echo "check-package: installed with --prefix and with DESTDIR, cartovel colours the sample"
