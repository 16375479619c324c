# Picking from the keyboard with the real keys and mouse: the hot key starts a pick, Enter
# takes the colour under the cursor and copies it (autocopy), Esc puts the old one back, and a
# 3x3 sample averages a checkerboard on the root window. F freezes the screen: a colour painted
# during the pick is not taken until F again, and the menu's entry starts every pick frozen.
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

# The patch changes during the pick; with F pressed first, the pick takes what was there.
for case in 'f #123456' 'none #ABCDEF'; do
  read -r keys want <<<"$case"
  xsetroot -solid '#123456'
  seed_clipboard
  key_pick_at 40 900
  [ "$keys" = none ] || { xdotool key $keys; wait_pick_at 40 900 已冻结; }
  xsetroot -solid '#ABCDEF'
  xdotool mousemove 45 905
  wait_pick_at 45 905
  [ "$keys" = none ] || import -window root "${QUILLORA_SHOT_DIR:-/tmp}/quillora-frozen.png"
  xdotool key Return
  got=$(read_clipboard)
  [ "$got" = "$want" ] || fail "keys '$keys' took '$got', expected $want"
  probe gone QuilloraFrozenScreen 5000 || fail "the still picture stayed after the pick"
done
open_menu
xdotool key z   # 冻结屏幕取色(&Z)
for _ in $(seq 1 30); do grep -q '^freeze=1' "$ini" && break; sleep 0.1; done
grep -q '^freeze=1' "$ini" || fail "the entry did not write freeze=1: $(cat "$ini")"
key_pick_at 40 900
[[ $(status) == *已冻结 ]] || fail "a pick with the entry checked did not start frozen: '$(status)'"
xdotool key f
for _ in $(seq 1 30); do [ "$(status)" = 'X:40 Y:900' ] && break; sleep 0.1; done
[ "$(status)" = 'X:40 Y:900' ] || fail "F did not go back to the live screen: '$(status)'"
xdotool key Escape
echo "F and the entry freeze the screen for a pick"

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
