#!/bin/sh
# The module's folders include only downward: the ground (frame/) under the shared services
# (common/) under the tools under the wiring (plugin/), with the boundary (hostapi/) and the
# window system (platform/) and the names the resource script gives (resources/, made by
# the build) beneath them all. No tool includes another tool, and no module
# file includes the stand-in host or its programs.
#   scripts/check-layers.sh [SOURCE_DIR]
set -eu
cd "${1:-$(dirname "$0")/..}"

rank() {
    case $1 in
    hostapi | platform | resources) echo 0 ;;
    frame) echo 1 ;;
    common) echo 2 ;;
    maptools | layertools | transform | panels) echo 3 ;;
    plugin) echo 4 ;;
    *) echo 99 ;;
    esac
}

violations=$(
    for dir in frame common maptools layertools transform panels plugin; do
        own=$(rank "$dir")
        # Each quoted include that names a folder, as "file line folder".
        grep -rnoE '^#include "[a-z0-9_]+/' "$dir" --include='*.h' --include='*.cpp' |
            sed -E 's/^([^:]+):([0-9]+):#include "([a-z0-9_]+)\/$/\1 \2 \3/' |
            while read -r file line target; do
                [ "$target" = "$dir" ] && continue
                if [ "$(rank "$target")" -ge "$own" ]; then
                    echo "$file:$line: $dir/ must not include $target/ (only folders below it)"
                fi
            done
    done
)
if [ -n "$violations" ]; then
    echo "$violations"
    exit 1
fi
echo "layers: every module include runs downward"
