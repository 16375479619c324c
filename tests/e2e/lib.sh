# Helpers for the end-to-end tests: they drive the real Quillora.exe under Wine from outside.
# test.sh provides DISPLAY, WINEPREFIX and the paths QUILLORA_EXE and QUILLORA_PROBE.
set -uo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }

probe() { wine "$QUILLORA_PROBE" "$@" | tr -d '\r'; }

# Value of KEY in the probe's key=value output.
field() { sed -n "s/^$1=//p"; }

# Starts the program; sets APP_PID. Waits (with a timeout) for its main window.
start_quillora() {
  wine "$QUILLORA_EXE" &
  APP_PID=$!
  probe wait TfrmMain 30000 || fail "the main window did not appear within 30 s"
}

# Waits until APP_PID has exited; fails after the timeout (seconds).
expect_exit() {
  local timeout=$1 i
  for ((i = 0; i < timeout * 10; i++)); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      wait "$APP_PID" 2>/dev/null
      return 0
    fi
    # An exited child can linger as a zombie: its wait status is the proof.
    if [ "$(ps -o stat= -p "$APP_PID" 2>/dev/null | cut -c1)" = Z ]; then
      wait "$APP_PID" 2>/dev/null
      return 0
    fi
    sleep 0.1
  done
  kill "$APP_PID" 2>/dev/null
  fail "Quillora did not exit within $timeout s"
}

# Ends a program this test started, if it still runs.
stop_quillora() {
  if [ -n "${APP_PID:-}" ] && kill -0 "$APP_PID" 2>/dev/null; then
    kill "$APP_PID" 2>/dev/null
    wait "$APP_PID" 2>/dev/null
  fi
}
trap stop_quillora EXIT
