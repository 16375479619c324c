#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillora in a Wine prefix of its own under
# build/, made once with the Chinese font for 宋体 (your own Wine prefix is never touched).
# With DISPLAY set it opens there (prefix build/wineprefix-display); without one it starts a
# virtual display (prefix build/wineprefix), saves a screenshot to build/screenshot.png and
# keeps running until interrupted.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

./scripts/setup.sh
./scripts/build.sh
exe="$root/build/windows/Quillora.exe"
source scripts/wine-env.sh

# use_prefix DIR [managed]: the prefix, prepared the first time (a marker says it was prepared
# to the end, so an interrupted preparation is made again).
use_prefix() {
  if [ -f "$1/.quillora-ready" ]; then
    export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
    return
  fi
  echo "run.sh: preparing a Wine prefix in ${1#"$root"/} (once)"
  quillora_make_prefix "$1" "${2:-}"
  touch "$1/.quillora-ready"
}

if [ -n "${DISPLAY:-}" ]; then
  # Your desktop's window manager frames and moves the windows, as it does every program's.
  use_prefix "$root/build/wineprefix-display" managed
  exec wine "$exe"
fi

trap 'quillora_cleanup' EXIT
trap 'exit 130' INT TERM
quillora_start_display
use_prefix "$root/build/wineprefix"

wine "$exe" &
pid=$!
for _ in $(seq 1 300); do
  if xdotool search --name '^Quillora$' >/dev/null 2>&1 && \
     [ "$(xdotool search --name '^Quillora$' | wc -l)" -ge 2 ]; then
    break
  fi
  kill -0 "$pid" 2>/dev/null || { echo "run.sh: Quillora exited early" >&2; exit 1; }
  sleep 0.1
done
sleep 1  # let the first paint finish
import -window root "$root/build/screenshot.png"
echo "run.sh: Quillora runs on the virtual display $DISPLAY; screenshot: build/screenshot.png"
echo "run.sh: press Ctrl+C to stop"
wait "$pid"
