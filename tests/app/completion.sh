#!/usr/bin/env bash
# bash completion of cartovel and cartovel-desk: each line, completed at its end, offers
# the words given (and, for a line marked "only", nothing else).
#   tests/app/completion.sh BIN_DIR SOURCE_DIR
set -uo pipefail
bin=$1
source "$2/packaging/cartovel.bash-completion"
source "$2/packaging/cartovel-desk.bash-completion"
cd "$2/examples" || exit 1
failed=0

# Completes LINE as readline would hand it over: words split at blanks and at '='.
complete_line() {
    COMP_LINE=$1
    COMP_POINT=${#1}
    local split=${1//=/ = }
    read -ra COMP_WORDS <<<"$split"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    local program=${COMP_WORDS[0]##*/}
    "_${program//-/_}" 2>/dev/null
    printf '%s\n' "${COMPREPLY[@]}"
}

expect() { # LINE [only] WORD...
    local line=$1 only=0
    shift
    [[ ${1:-} == only ]] && { only=1; shift; }
    local got
    got=$(complete_line "$line" | sort)
    for word in "$@"; do
        grep -qxF -- "$word" <<<"$got" ||
            { echo "completion: '$line' does not offer '$word' (offers: ${got//$'\n'/ })"; failed=1; }
    done
    if ((only)) && [[ $(wc -l <<<"$got") -ne $# ]]; then
        echo "completion: '$line' offers more than '$*' (offers: ${got//$'\n'/ })"
        failed=1
    fi
}

cli=$bin/cartovel
expect "$cli " only run info menus about help
expect "$cli --" --help --version --plugin
expect "$cli --plugin x.so r" only run
expect "$cli run " polygon-colouring map-scaling move-to-layer text-origin
expect "$cli run map-s" only map-scaling
expect "$cli help layer-n" only layer-numbering
expect "$cli run map-scaling --" --output --out-dir --set --answer --prefs
expect "$cli run map-scaling --set " mode= target-scale= selection-only=
expect "$cli run map-scaling --set target-s" only target-scale=
expect "$cli run map-scaling --set mode=" only scale ratio paper
expect "$cli run map-scaling --set mode=r" only ratio
expect "$cli run map-scaling --set scale-fonts=" only on off
expect "$cli run scale-bar --prefs p.json --set u" only unit=
expect "$cli run scale-bar us-states.svg -o out.svg --set unit=" only km m
expect "$cli run polygon-colouring --answer " ok cancel yes no
expect "$cli run polygon-colouring us-c" only us-counties.svg
expect "$cli info us-s" only us-states.svg
if [ -x "$bin/cartovel-desk" ]; then
    expect "$bin/cartovel-desk --" --prefs --plugin --screenshot --run --open-dialog
    expect "$bin/cartovel-desk --run map-" only map-scaling
    expect "$bin/cartovel-desk us-s" only us-states.svg
fi

[ "$failed" -eq 0 ] && echo "completion: every line offers what it should"
exit "$failed"
