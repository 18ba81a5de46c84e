#!/usr/bin/env bash
# Installs everything the build, the tests and the benchmarks need, from Debian's archive.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  libpugixml-dev nlohmann-json3-dev libcli11-dev libpolyclipping-dev
  libgtest-dev libgmock-dev libbenchmark-dev libjemalloc-dev
  librsvg2-bin libpng-dev libfast-float-dev libutfcpp-dev
  clang libclang-rt-14-dev
  qt6-base-dev fonts-ipafont-gothic
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix dpkg-dev wine64
  lintian
  inkscape python3-lxml python3-cssselect xvfb xauth libxml2-utils imagemagick
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -q
  $sudo apt-get install -y -q -o DPkg::Lock::Timeout=600 --no-install-recommends "${missing[@]}"
fi
echo "setup: all build dependencies are installed"
