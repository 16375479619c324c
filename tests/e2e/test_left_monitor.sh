# Two monitors, the primary one on the right, so the left one has negative coordinates: a pick
# there with the real mouse, the magnifier black where no monitor is, a frozen keyboard pick
# there, the dialogs opened on the monitor that holds the main window, and the colour-blindness
# view over both. Runs in an X server of its own (Xephyr with two screens inside an Xvfb) with a
# copy of the prefix and that copy's own wineserver.
source "$QUILLORA_E2E_LIB"
command -v Xephyr >/dev/null || fail "Xephyr is missing: scripts/setup.sh installs xserver-xephyr"

# Wine makes the right-hand screen the primary monitor: (0,0)-(1024,768); the left one is
# (-800,0)-(0,600). Below the left one, from y 600 to 768, there is no monitor.
private_prefix '[HKEY_CURRENT_USER\Software\Wine\X11 Driver]' '"UseXRandR"="N"' '"PrimaryMonitor"="1"'
XEPHYR_PID=
private_cleanup() {
  [ -n "$XEPHYR_PID" ] && { kill "$XEPHYR_PID"; wait "$XEPHYR_PID"; } 2>/dev/null
  quillora_cleanup
}

quillora_start_display || fail "no outer display"
mkfifo "$PRIVATE_DIR/displayfd"
# Xephyr lays its screens out left to right: X's 0..800 and 800..1824. The wider one goes
# right: while a button is held on a window there, this nested server keeps the pointer's x
# below that screen's width.
Xephyr -displayfd 3 -screen 800x600 -screen 1024x768 +xinerama -noreset -nolisten tcp \
  3>"$PRIVATE_DIR/displayfd" >"$PRIVATE_DIR/xephyr.log" 2>&1 &
XEPHYR_PID=$!
read -r -t 30 num <"$PRIVATE_DIR/displayfd" || fail "Xephyr did not start: $(tail -n 3 "$PRIVATE_DIR/xephyr.log")"
export DISPLAY=":$num"
X_ORIGIN=800
xsetroot -solid '#654321'

start_quillora
info=$(probe info TfrmMain)
[ "$(echo "$info" | field window_left)" = $(( (1024 - $(echo "$info" | field window_width)) / 2 )) ] ||
  fail "the main window is not in the middle of the primary monitor: $info"

# Drag from the "+" icon to (-10, 590) on the left monitor, near the corner of the gap.
p=$(client_point 222 55)
xdotool mousemove ${p% *} ${p#* } mousedown 1
xdotool mousemove $((X_ORIGIN - 14)) 585
sleep 0.2
xdotool mousemove $((X_ORIGIN - 10)) 590
sleep 0.2
status=$(probe tree TfrmMain | grep '^msctls_statusbar32')
xdotool mouseup 1
[[ $status == *'"X:-10 Y:590"'* ]] || fail "the status during the drag: $status"

html() { seed_clipboard; click_client 219 382; read_clipboard; }
got=$(html)
[ "$got" = '#654321' ] || fail "picked '$got' on the left monitor, expected #654321"
# The magnifier at 100 % (the image at 9,81 of the window): to the lower left the gap, black;
# to the lower right the primary monitor.
for case in '94 159 #000000' '164 159 #654321'; do
  read -r x y want <<<"$case"
  click_client "$x" "$y"
  got=$(html)
  [ "$got" = "$want" ] || fail "the magnifier at $x,$y gave '$got', expected $want"
done

# A frozen keyboard pick there reads the picture's pixel, not what is painted since.
key_pick_at $((X_ORIGIN - 20)) 300 -20 300
xdotool key f
wait_pick_at -20 300 已冻结
xsetroot -solid '#0000FF'
xdotool mousemove $((X_ORIGIN - 30)) 310
wait_pick_at -30 310 已冻结
xdotool key Return
got=$(html)
[ "$got" = '#654321' ] || fail "the frozen pick on the left monitor took '$got', expected #654321"
xsetroot -solid '#654321'

# The main window dragged by its caption onto the left monitor; the dialogs open in that
# monitor's middle: Save colour as every form does, the palette a third from the top.
p=$(client_point 100 -10)
xdotool mousemove ${p% *} ${p#* } mousedown 1
xdotool mousemove 1000 50
sleep 0.2
xdotool mousemove 300 55
sleep 0.2
xdotool mouseup 1
for case in 'TfrmSaveColor 2 Down Down' '#32770 3 Down'; do
  read -r cls div keys <<<"$case"
  open_menu
  xdotool key $keys Return
  probe wait "$cls" 10000 || fail "$cls did not open"
  info=$(probe info "$cls")
  w=$(echo "$info" | field window_width)
  h=$(echo "$info" | field window_height)
  got="$(echo "$info" | field window_left),$(echo "$info" | field window_top)"
  want="$(( -800 + (800 - w) / 2 )),$(( (600 - h) / div ))"
  [ "$got" = "$want" ] || fail "$cls at $got, expected $want on the left monitor"
  xdotool key Escape
  probe gone "$cls" 10000 || fail "$cls did not close"
done

# The colour-blindness view covers both monitors and the gap below the left one.
open_menu
xdotool key b d
probe wait QuilloraVisionView 10000 || fail "the view did not open"
info=$(probe info QuilloraVisionView)
got=$(for f in left top width height; do echo "$info" | field "window_$f"; done | tr '\n' ' ')
[ "$got" = "-800 0 1824 768 " ] || fail "the view at $got, expected -800 0 1824 768"
xdotool key Escape
probe gone QuilloraVisionView 10000 || fail "Esc did not close the view"
echo "PASS"
