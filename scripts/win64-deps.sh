#!/usr/bin/env bash
# Builds the third-party libraries of the Windows build from Debian's source packages, with
# Debian's mingw-w64, into build/win64-deps/prefix (the toolchain file looks there). Source
# packages come through an apt configuration of its own, kept in build/win64-deps: the
# machine's own sources and package lists stay as they are. A library already built is
# kept, so a second run costs nothing.
#   scripts/win64-deps.sh [DEPS_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
project=$(pwd)
deps=$(mkdir -p "${1:-build/win64-deps}" && cd "${1:-build/win64-deps}" && pwd)
prefix="$deps/prefix"
toolchain="$project/cmake/toolchains/mingw-w64-x86_64.cmake"
jobs=$(nproc)

# The same archive and release the machine installs from, as source lines.
apt_root="$deps/apt"
mkdir -p "$apt_root/lists/partial" "$apt_root/cache/archives/partial" "$deps/src"
uri=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
[ -n "$uri" ] || uri=$(awk '$1 == "deb" {print $2; exit}' /etc/apt/sources.list 2>/dev/null || true)
[ -n "$uri" ] || uri=http://deb.debian.org/debian
release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
echo "deb-src $uri $release main" >"$apt_root/sources.list"
apt_options=(-o "Dir::Etc::SourceList=$apt_root/sources.list" -o "Dir::Etc::SourceParts=-"
  -o "Dir::State::Lists=$apt_root/lists" -o "Dir::Cache=$apt_root/cache"
  -o "APT::Sandbox::User=root" -o "Debug::NoLocking=1")

fetch() { # PACKAGE: the unpacked source folder on standard output
  local package=$1 folder
  folder=$(find "$deps/src" -maxdepth 1 -mindepth 1 -type d -name "$package-*" | head -n 1)
  if [ -z "$folder" ]; then
    [ -f "$apt_root/updated" ] || { apt-get "${apt_options[@]}" -q update >&2 && touch "$apt_root/updated"; }
    (cd "$deps/src" && apt-get "${apt_options[@]}" -q source "$package" >&2)
    folder=$(find "$deps/src" -maxdepth 1 -mindepth 1 -type d -name "$package-*" | head -n 1)
  fi
  echo "$folder"
}

build() { # NAME SOURCE_DIR [CMAKE_ARGS...]
  local name=$1 source=$2
  shift 2
  [ -f "$deps/built-$name" ] && return 0
  [ -d "$source" ] || { echo "win64-deps: no source for $name" >&2; exit 1; }
  echo "win64-deps: building $name" >&2
  cmake -S "$source" -B "$deps/build/$name" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCARTOVEL_WIN64_PREFIX="$prefix" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$deps/build-$name.log"
  cmake --build "$deps/build/$name" -j "$jobs" >>"$deps/build-$name.log"
  cmake --install "$deps/build/$name" >>"$deps/build-$name.log"
  touch "$deps/built-$name"
}

build pugixml "$(fetch pugixml)"
build polyclipping "$(fetch libpolyclipping)/cpp" -DCMAKE_POLICY_VERSION_MINIMUM=3.5
build nlohmann-json "$(fetch nlohmann-json3)" -DJSON_BuildTests=OFF
build cli11 "$(fetch cli11)" -DCLI11_BUILD_TESTS=OFF -DCLI11_BUILD_EXAMPLES=OFF \
  -DCLI11_BUILD_DOCS=OFF
build googletest "$(fetch googletest)" -Dgtest_disable_pthreads=OFF
echo "win64-deps: the libraries are in $prefix"
