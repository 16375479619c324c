#!/usr/bin/env bash
# Configures (once) and builds both halves: the Linux build of the core and its tests in
# build/host, the Windows program and its tests in build/windows.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc 2>/dev/null || echo 2)

configure() {  # dir, extra args...
  local dir=$1; shift
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  fi
}
configure build/host
configure build/windows -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake"
cmake --build build/host -j "$jobs"
cmake --build build/windows -j "$jobs"
