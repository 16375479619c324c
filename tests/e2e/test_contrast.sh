# The contrast dialog from the real menu: a grey picked from the screen on white reads 4.54:1.
source "$QUILLORA_E2E_LIB"

xsetroot -solid '#767676'
start_quillora
p=$(client_point 222 55)   # the right-hand "+" icon
xdotool mousemove ${p% *} ${p#* } mousedown 1
xdotool mousemove 40 900
sleep 0.2
xdotool mousemove 41 900
sleep 0.2
xdotool mouseup 1

open_menu
xdotool key k   # 对比度(&K)...
probe wait TfrmContrast 10000 || fail "the contrast dialog did not open"
tree=$(probe tree TfrmContrast)
echo "$tree" | grep '^Edit "#767676"' >/dev/null || fail "the foreground is not the picked grey: $tree"
echo "$tree" | grep '^Edit "4.54:1"' >/dev/null || fail "no ratio 4.54:1: $tree"
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-contrast.png"
import -window root "$shot" && echo "screenshot of the dialog: $shot"
xdotool key Escape
probe gone TfrmContrast 10000 || fail "Esc did not close the dialog"
xsetroot -solid '#123456'
echo "PASS"
