#!/usr/bin/env bash
# The man pages keep up with the programs: every subcommand, command and option that a
# program's help lists is described in its page.
#   tests/app/manpages.sh BIN_DIR PAGES_DIR (the pages as the build configured them)
set -euo pipefail
bin=$1
pages=$2
missing=0

# Option names (-o, --output) in the option lists of a help text.
options() {
    sed -nE 's/^  (-[A-Za-z],? ?)?(--[A-Za-z0-9-]+).*/\1 \2/p' | tr ', ' '\n\n' | grep -- '^-' || true
}

check() { # PAGE WORD...
    local page=$1 text
    shift
    text=$(sed 's/\\-/-/g; s/\\f[BIRP]//g' "$pages/$page")
    for word in "$@"; do
        if ! grep -qF -- "$word" <<<"$text"; then
            echo "manpages: $page does not describe $word"
            missing=1
        fi
    done
}

cli=$bin/cartovel
mapfile -t subcommands < <("$cli" --help | sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p')
mapfile -t commands < <("$cli" run --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z0-9-]*\): .*/\1/p')
((${#subcommands[@]} > 0 && ${#commands[@]} > 0)) || { echo "manpages: no help to read"; exit 1; }
words=("${subcommands[@]}" "${commands[@]}")
mapfile -t -O ${#words[@]} words < <("$cli" --help | options)
for sub in "${subcommands[@]}"; do
    mapfile -t -O ${#words[@]} words < <("$cli" "$sub" --help | options)
done
check cartovel.1 "${words[@]}"

if [ -x "$bin/cartovel-desk" ]; then
    mapfile -t words < <(QT_QPA_PLATFORM=offscreen "$bin/cartovel-desk" --help 2>/dev/null |
        options | grep -v -- '--help-all')
    ((${#words[@]} > 0)) || { echo "manpages: no cartovel-desk help to read"; exit 1; }
    check cartovel-desk.1 "${words[@]}"
fi
[ "$missing" -eq 0 ] && echo "manpages: every subcommand, command and option is described"
exit "$missing"
