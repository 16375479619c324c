#!/usr/bin/env bash
# Checks the include layers and the workflow files, installs what is missing, builds, makes the
# packages (dist/), and runs every test layer: the core on Linux, the real windows under Wine in
# a virtual display, and the real program and its packages driven from outside.
set -uo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

# The layers first: a forbidden include fails the run, yet every test layer still runs.
echo "== layers"
./scripts/check-layers.sh
layers_status=$?
# docs/texts.md is made from app/Texts.def: a doc that differs fails the run the same way.
./scripts/texts-doc.sh --check || layers_status=1
# The workflow files too, where a validator is installed (npm's @action-validator/cli); the
# project needs none, so a machine without one skips this.
if command -v action-validator >/dev/null; then
  workflows_status=0
  for f in .github/workflows/*.yml; do
    action-validator "$f" || { echo "action-validator: $f is not a valid workflow" >&2; workflows_status=1; }
  done
  [ $workflows_status -eq 0 ] && echo "workflows: OK (action-validator)" || layers_status=1
else
  echo "workflows: not checked (no action-validator installed)"
fi

./scripts/setup.sh || exit 1
./scripts/build.sh || { echo "test.sh: the build failed" >&2; exit 1; }
echo "== packages"
./scripts/package.sh || { echo "test.sh: packaging failed" >&2; exit 1; }

source scripts/wine-env.sh
work=$(mktemp -d /tmp/quillora-test.XXXXXX)
trap 'quillora_cleanup; rm -rf "$work"' EXIT
trap 'exit 130' INT TERM

echo "== core on Linux"
ctest --test-dir build/host --output-on-failure -j 2 >"$work/host.log" 2>&1
host_status=$?
tail -n 3 "$work/host.log"
[ $host_status -eq 0 ] || cat "$work/host.log"

echo "== Windows program under Wine"
quillora_start_display || exit 1
quillora_make_prefix "$work/prefix" || exit 1
# One wineserver for the whole run: each test process starts in a fraction of a second.
# Its helper processes (services, the desktop with the notification area) start now, with no
# terminal attached, so that none of them holds a test's output open.
wineserver -p
wine "$root/build/windows/tests/probe.exe" gone NoSuchWindowClass 0 </dev/null >/dev/null 2>&1
ctest --test-dir build/windows --output-on-failure --timeout 180
win_status=$?

echo "== summary: layers $([ $layers_status -eq 0 ] && echo passed || echo FAILED)," \
     "core on Linux $([ $host_status -eq 0 ] && echo passed || echo FAILED)," \
     "Windows and end-to-end $([ $win_status -eq 0 ] && echo passed || echo FAILED)"
[ $layers_status -eq 0 ] && [ $host_status -eq 0 ] && [ $win_status -eq 0 ]
