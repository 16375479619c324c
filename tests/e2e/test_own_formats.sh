# Own formats with the real keys and mouse: one made in "自定义格式" through 复制为 > 编辑格式,
# copied from 复制为 and with Ctrl+8 after a pick of the probe's patch, and stored in [FORMATS].
source "$QUILLORA_E2E_LIB"
trap stop_with_pad EXIT
start_with_pad

seed_clipboard
key_pick_at 150 150
xdotool key Return
[ "$(read_clipboard)" = '#3C965A' ] || fail "the pick of the patch did not take #3C965A"

open_menu
xdotool key c t   # 复制为(&C) > 编辑格式(&T)...
probe wait TfrmFormats 10000 || fail "the formats dialog did not open"
xdotool key alt+n   # 新建(&N): "格式 1", its name selected
xdotool type Vec
xdotool key Tab End $(printf 'BackSpace %.0s' 1 2 3 4 5 6)   # the template "#{hex}" cleared
xdotool type 'vec3({rf}, {gf}, {bf})'
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-own-formats.png"
import -window root "$shot" && echo "screenshot of the dialog: $shot"
xdotool key Return   # 确定
probe gone TfrmFormats 10000 || fail "确定 did not close the dialog"
grep -q $'^1=Vec\tvec3({rf}, {gf}, {bf})' "$INI" || fail "the format was not stored: $(cat "$INI")"

seed_clipboard
open_menu
xdotool key c Up Up Return   # from the first entry up past 编辑格式 to the own format
got=$(read_clipboard)
[ "$got" = 'vec3(0.235, 0.588, 0.353)' ] || fail "the own format copied '$got'"
echo "copied through the own format: $got"

seed_clipboard
click_client 100 495   # the main window takes the keys
xdotool key ctrl+8     # the first own format
[ "$(read_clipboard)" = "$got" ] || fail "Ctrl+8 did not copy the first own format"
echo "PASS"
