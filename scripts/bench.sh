#!/usr/bin/env bash
# Builds and runs the benchmarks on a virtual display in a private Wine prefix and prints
# their figures:
#   scripts/bench.sh picks [PICKS]                    the cost of one pick, split into its parts
#   scripts/bench.sh longrun [PICKS] [DIALOGS] [CYCLES]  objects and memory over a long session
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
case "${1:-picks}" in
  picks) wine build/windows/tests/pick_bench.exe "${2:-2000}" | tr -d '\r' ;;
  longrun) wine build/windows/tests/long_run.exe "${2:-100000}" "${3:-500}" "${4:-200}" | tr -d '\r' ;;
  *) echo "usage: scripts/bench.sh picks [PICKS] | longrun [PICKS] [DIALOGS] [CYCLES]" >&2; exit 2 ;;
esac
