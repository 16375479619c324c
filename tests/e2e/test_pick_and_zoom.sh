# Picking from the real screen with the real mouse: a drag from the "+" icon onto the root
# window painted a known colour, the magnifier, and the zoom kept across a restart.
source "$QUILLORA_E2E_LIB"

ini="$(quillora_appdata)/Quillora/vop.ini"
rm -f "$ini"
xsetroot -solid '#123456'
start_quillora

# Press on the right-hand "+" icon (its panel is at 203,36, 38 x 38), drag onto the root
# window far from the program, release there.
p=$(client_point 222 55)
xdotool mousemove ${p% *} ${p#* } mousedown 1
xdotool mousemove 40 900
sleep 0.2
xdotool mousemove 44 905
sleep 0.2
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-drag.png"
import -window root "$shot" && echo "screenshot during the drag: $shot"
xdotool mouseup 1

seed_clipboard
click_client 219 382   # Html copy button
got=$(read_clipboard)
[ "$got" = '#123456' ] || fail "picked '$got', expected #123456"
echo "picked $got"

# A click into the magnifier takes the shown pixel: the middle of the picture (the image
# is at 9,81 of the window) shows the root colour, beyond the screen's edge it is black.
click_client 124 129
seed_clipboard
click_client 219 382
got=$(read_clipboard)
[ "$got" = '#123456' ] || fail "magnifier click gave '$got'"
click_client 20 129
seed_clipboard
click_client 219 382
got=$(read_clipboard)
[ "$got" = '#000000' ] || fail "a click on the black margin gave '$got'"

# Zoom 700%: open the list and click its seventh row; the open list shows all 20 rows.
click_client 140 18
probe wait ComboLBox 5000 || fail "the zoom list did not open"
list=$(probe info ComboLBox)
lt=$(echo "$list" | field window_top)
lh=$(echo "$list" | field window_height)
ll=$(echo "$list" | field window_left)
xdotool mousemove $((ll + 30)) $((lt + lh * 13 / 40)) click 1
for _ in $(seq 1 50); do grep -q '^zoom=7' "$ini" 2>/dev/null && break; sleep 0.1; done
grep -q '^zoom=7' "$ini" || fail "zoom=7 was not written: $(cat "$ini" 2>/dev/null)"

click_caption closebox
expect_exit 20
start_quillora
probe tree TfrmMain | grep '^ComboBox "Zoom 700%"' >/dev/null || fail "after a restart the list does not show Zoom 700%"
echo "PASS"
