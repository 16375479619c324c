#!/usr/bin/env bash
# Builds and runs the pick benchmark on a virtual display in a private Wine prefix and prints
# its figures. Usage: scripts/bench.sh [PICKS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
./scripts/setup.sh
./scripts/build.sh >/dev/null
source scripts/wine-env.sh
work=$(mktemp -d /tmp/quillora-bench.XXXXXX)
trap 'quillora_cleanup; rm -rf "$work"' EXIT
quillora_start_display
quillora_make_prefix "$work/prefix"
wineserver -p
wine build/windows/tests/probe.exe gone NoSuchWindowClass 0 </dev/null >/dev/null 2>&1
wine build/windows/tests/pick_bench.exe "${1:-2000}" | tr -d '\r'
