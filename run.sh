#!/usr/bin/env bash
# Installs what is missing, builds, and starts Quillora. With DISPLAY set it opens there (in
# your own Wine prefix); without one it starts a virtual display and a prefix under build/,
# saves a screenshot to build/screenshot.png and keeps running until interrupted.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

./scripts/setup.sh
./scripts/build.sh
exe="$root/build/windows/Quillora.exe"

if [ -n "${DISPLAY:-}" ]; then
  exec wine "$exe"
fi

source scripts/wine-env.sh
trap 'quillora_cleanup' EXIT
trap 'exit 130' INT TERM
quillora_start_display
if [ ! -f build/wineprefix/system.reg ]; then
  echo "run.sh: preparing a Wine prefix in build/wineprefix (once)"
  quillora_make_prefix "$root/build/wineprefix"
else
  export WINEPREFIX="$root/build/wineprefix" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fi

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
