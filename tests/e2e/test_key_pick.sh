# Picking from the keyboard with the real keys and mouse: the hot key starts a pick, Enter
# takes the colour under the cursor and copies it (autocopy), Esc puts the old one back, and a
# 3x3 sample averages a checkerboard on the root window.
source "$QUILLORA_E2E_LIB"

ini="$(quillora_appdata)/Quillora/vop.ini"
mkdir -p "$(dirname "$ini")"
printf '[VOP]\r\nsample=3\r\nautocopy=4\r\n' >"$ini"
start_quillora

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
[ "$(shown_html)" = '#654321' ] || fail "the pick shows $(shown_html), expected #654321"
xdotool key Escape
sleep 0.5
[ "$(shown_html)" = '#123456' ] || fail "Esc left $(shown_html), expected the colour from before, #123456"
[ "$(x_clipboard)" != '#654321' ] || fail "a cancelled pick copied its colour"
echo "cancelled with Esc: $(shown_html) again"

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
