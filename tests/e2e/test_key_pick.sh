# Picking from the keyboard with the real keys and mouse: the hot key starts a pick, Enter
# takes the colour under the cursor and copies it (autocopy), Esc puts the old one back, and a
# 3x3 sample averages a checkerboard on the root window.
source "$QUILLORA_E2E_LIB"

ini="$(quillora_appdata)/Quillora/vop.ini"
mkdir -p "$(dirname "$ini")"
printf '[VOP]\r\nsample=3\r\nautocopy=4\r\n' >"$ini"
start_quillora

status() { probe tree TfrmMain | sed -n 's/^msctls_statusbar32 "\(.*\)" .*/\1/p'; }
html() { probe tree TfrmMain | grep -o '^Edit "#[0-9A-F]*"' | tr -d '"' | cut -d' ' -f2; }

# The hot key reaches a Wine program only while a Wine window has the keyboard: a click on
# the status bar gives the main window the focus. The pick is on once the status shows the
# cursor's place.
key_pick_at() {  # x y
  click_client 100 495
  xdotool key ctrl+alt+p
  xdotool mousemove "$1" "$2"
  local i
  for ((i = 0; i < 50; i++)); do [ "$(status)" = "X:$1 Y:$2" ] && return 0; sleep 0.1; done
  fail "no pick at $1,$2 after the hot key; the status shows '$(status)'"
}

xsetroot -solid '#123456'
seed_clipboard
key_pick_at 40 900
xdotool key Return
got=$(read_clipboard)
[ "$got" = '#123456' ] || fail "Enter copied '$got', expected #123456"
echo "taken with Enter and copied: $got"

xsetroot -solid '#654321'
seed_clipboard
key_pick_at 60 880
[ "$(html)" = '#654321' ] || fail "the pick shows $(html), expected #654321"
xdotool key Escape
sleep 0.5
[ "$(html)" = '#123456' ] || fail "Esc left $(html), expected the colour from before, #123456"
[ "$(x_clipboard)" != '#654321' ] || fail "a cancelled pick copied its colour"
echo "cancelled with Esc: $(html) again"

# White where x + y is even: around a white pixel five of nine are white, 5 * 255 / 9 = 141.7.
xsetroot -bitmap "$(dirname "$QUILLORA_E2E_LIB")/checker.xbm" -fg '#FFFFFF' -bg '#000000'
for spot in '100 100 #8E8E8E' '101 100 #717171'; do
  set -- $spot
  seed_clipboard
  key_pick_at "$1" "$2"
  xdotool key Return
  got=$(read_clipboard)
  [ "$got" = "$3" ] || fail "3x3 around $1,$2 gave '$got', expected $3"
  echo "3x3 around $1,$2: $got"
done
xsetroot -solid '#123456'
echo "PASS"
