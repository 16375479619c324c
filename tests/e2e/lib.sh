# Helpers for the end-to-end tests: they drive the real Quillora.exe under Wine from outside.
# test.sh provides DISPLAY, WINEPREFIX and the paths QUILLORA_EXE and QUILLORA_PROBE.
set -uo pipefail
# grep -q leaves at the first match; under pipefail the writer's broken pipe then fails the
# whole pipeline now and then, so pipelines end in grep PATTERN >/dev/null, which reads to the end.
source "$(dirname "$QUILLORA_E2E_LIB")/../../scripts/wine-env.sh"

fail() {
  local shot="${TMPDIR:-/tmp}/quillora-fail-$(basename "$0" .sh).png"
  import -window root "$shot" 2>/dev/null && echo "screenshot of the failure: $shot" >&2
  echo "FAIL: $*" >&2
  exit 1
}

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

# X's x for Windows' x = 0: more than 0 where a monitor lies left of the primary one.
X_ORIGIN=0

# Screen point (for xdotool) of a point in the main window's client area.
client_point() {  # x y -> "X Y"
  local info
  info=$(probe info TfrmMain)
  echo "$(( X_ORIGIN + $(echo "$info" | field client_left) + $1 )) $(( $(echo "$info" | field client_top) + $2 ))"
}

# Clicks the left button at a point of the main window's client area.
click_client() {  # x y
  local p
  p=$(client_point "$1" "$2")
  xdotool mousemove ${p% *} ${p#* } click 1
}

# The X clipboard's text; an owner that does not answer counts as no text.
x_clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }

# Puts a sentinel on the clipboard, so that a stale value cannot pass for a copy. It goes in
# from the Windows side: a sentinel an X client owns is imported by Wine some time later, and
# an import that lands after the program's copy would replace that copy.
seed_clipboard() {
  timeout 20 wine "$QUILLORA_PROBE" setclipboard quillora-sentinel || fail "could not seed the clipboard"
  local i
  for ((i = 0; i < 50; i++)); do
    [ "$(x_clipboard)" = quillora-sentinel ] && return 0
    sleep 0.1
  done
  fail "the seeded clipboard did not reach X"
}

# Waits until the clipboard no longer holds the sentinel and prints its text, as an X program
# reads it. Wine hands the Windows clipboard to X through a thread of its own that now and then
# stalls on a busy machine: after 10 s without a change on the X side, the Windows side is
# read, so that the program's copy is still checked, and the stall is reported.
read_clipboard() {
  local i text
  for ((i = 0; i < 300; i++)); do
    text=$(x_clipboard)
    if [ "$text" != quillora-sentinel ]; then
      printf '%s' "$text"
      return 0
    fi
    if ((i >= 100)); then
      text=$(timeout 20 wine "$QUILLORA_PROBE" getclipboard | tr -d '\r')
      if [ -n "$text" ] && [ "$text" != quillora-sentinel ]; then
        echo "note: X still showed the sentinel after 10 s; read the Windows clipboard" >&2
        printf '%s' "$text"
        return 0
      fi
    fi
    sleep 0.1
  done
  probe wait '#32770' 0 && echo "a message box is open" >&2
  fail "the clipboard still holds the sentinel after 30 s"
}

# Clicks a caption button of the main window: closebox or minbox.
click_caption() {
  local x y
  read -r x y < <(probe "$1" TfrmMain | field '[xy]' | tr '\n' ' ')
  [ -n "$x" ] && [ -n "$y" ] || fail "no $1 on the main window"
  xdotool mousemove $((X_ORIGIN + x)) "$y" click 1
}

# Waits until the main window's visibility is the given one (1 or 0).
expect_visible() {
  local i
  for ((i = 0; i < 100; i++)); do
    [ "$(probe info TfrmMain | field visible)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "the main window's visibility did not become $1"
}

# Clicks a point of a window's client area, the window found by its class.
click_in() {  # class x y
  local info
  info=$(probe info "$1")
  xdotool mousemove $(( X_ORIGIN + $(echo "$info" | field client_left) + $2 )) $(( $(echo "$info" | field client_top) + $3 )) click 1
}

# The main window's status text, and the Html notation it shows.
status() { probe tree TfrmMain | sed -n 's/^msctls_statusbar32 "\(.*\)" .*/\1/p'; }
shown_html() { probe tree TfrmMain | grep -o '^Edit "#[0-9A-F]*"' | tr -d '"' | cut -d' ' -f2; }

# Starts a keyboard pick with the hot key and moves the real mouse to X,Y. The hot key reaches
# a Wine program only while a Wine window has the keyboard: a click on the status bar gives the
# main window the focus. The pick is on once the status shows the cursor's place.
key_pick_at() {  # x y [the point in Windows' coordinates, when X's differ]
  click_client 100 495
  xdotool key ctrl+alt+p
  xdotool mousemove "$1" "$2"
  wait_pick_at "${3:-$1}" "${4:-$2}"
}

wait_pick_at() {  # x y [what the status shows after the position]
  local i
  for ((i = 0; i < 50; i++)); do
    case "$(status)" in
      "X:$1 Y:$2  ${3:-}"*) return 0 ;;
      "X:$1 Y:$2") [ -z "${3:-}" ] && return 0 ;;
    esac
    sleep 0.1
  done
  fail "no pick at $1,$2; the status shows '$(status)'"
}

# Opens the colour menu with the 菜单 button and waits until it shows.
open_menu() {
  click_client 219 18
  probe wait '#32768' 10000 || fail "the colour menu did not open"
}

# Moves this test onto a copy of the run's prefix with its own wineserver, with the registry
# lines given (UTF-8, one per argument) imported and read anew, and its exit trap ending that
# wineserver and removing the copy. Sets PRIVATE_DIR, a folder the test may use.
private_prefix() {
  PRIVATE_DIR=$(mktemp -d /tmp/quillora-private.XXXXXX)
  cp -a "$WINEPREFIX" "$PRIVATE_DIR/prefix" || fail "could not copy the prefix"
  export WINEPREFIX="$PRIVATE_DIR/prefix"
  trap 'stop_quillora; wineserver -k 2>/dev/null; timeout 10 wineserver -w; private_cleanup; rm -rf "$PRIVATE_DIR"' EXIT
  { printf 'Windows Registry Editor Version 5.00\r\n\r\n'; printf '%s\r\n' "$@"; } |
    iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$PRIVATE_DIR/settings.reg"
  wine regedit /S "$PRIVATE_DIR/settings.reg" || fail "could not import $*"
  wineserver -k; timeout 10 wineserver -w   # the next start reads them anew
  rm -f "$(quillora_appdata)/Quillora/vop.ini"
}
private_cleanup() { :; }  # a test that starts more (an X server) redefines it

# Starts the program copying the Html notation after each pick (INI holds vop.ini's path), and
# the probe's pad: a 100 x 100 window of #3C965A at 100,100 that counts the clicks reaching it.
# Sets PAD_PID; the caller's exit trap ends both (stop_with_pad).
start_with_pad() {
  INI="$(quillora_appdata)/Quillora/vop.ini"
  mkdir -p "$(dirname "$INI")"
  printf '[VOP]\r\nautocopy=4\r\n' >"$INI"
  start_quillora
  wine "$QUILLORA_PROBE" clickpad 100 100 150000 &
  PAD_PID=$!
  probe wait ClickPad 10000 || fail "the probe's pad did not appear"
}
stop_with_pad() { stop_quillora; kill "$PAD_PID" 2>/dev/null; wait "$PAD_PID" 2>/dev/null; }
