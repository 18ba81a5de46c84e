#!/usr/bin/env bash
# Fails when a C or C++ source is not formatted as .clang-format says.
set -euo pipefail
cd "$(dirname "$0")/.."
files=$(git ls-files '*.h' '*.hpp' '*.c' '*.cpp')
[ -z "$files" ] && exit 0
# shellcheck disable=SC2086
clang-format --dry-run --Werror $files
