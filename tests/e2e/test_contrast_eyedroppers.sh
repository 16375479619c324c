# The contrast dialog's eyedroppers with the real mouse: the foreground from the probe's pad
# (#3C965A), the background from the desktop (#767676), a failing pair; its suggestion for AA
# read back and clicked; the copied result read as an X program reads it.
source "$QUILLORA_E2E_LIB"

trap 'stop_quillora; kill "$PAD_PID" 2>/dev/null; wait "$PAD_PID" 2>/dev/null' EXIT
# Settings of its own: an earlier test may have left a colour space that converts picks.
INI="$(quillora_appdata)/Quillora/vop.ini"
mkdir -p "$(dirname "$INI")"
printf '[VOP]\r\nontop=1\r\n' >"$INI"
xsetroot -solid '#767676'
start_quillora
wine "$QUILLORA_PROBE" clickpad 100 100 150000 &
PAD_PID=$!
probe wait ClickPad 10000 || fail "the probe's pad did not appear"
before=$(shown_html)

open_menu
xdotool key k   # 对比度(&K)...
probe wait TfrmContrast 10000 || fail "the contrast dialog did not open"
edit_texts() { probe tree TfrmContrast | sed -n 's/^Edit "\(.*\)" .*/\1/p'; }
pick_with() {  # eyedropper's client x y, screen x y of the pixel, how it takes: click 1 | key Return
  click_in TfrmContrast "$1" "$2"
  for ((i = 0; i < 50; i++)); do [[ $(status) == X:* ]] && break; sleep 0.1; done
  [[ $(status) == X:* ]] || fail "the eyedropper at $1,$2 started no pick"
  xdotool mousemove "$3" "$4"
  sleep 0.3
  xdotool $5 $6
  for ((i = 0; i < 50; i++)); do [[ $(status) != X:* ]] && break; sleep 0.1; done
}
# A click on X's own desktop reaches no Windows program: the second pick is taken with Enter.
pick_with 119 19 150 150 click 1      # 从屏幕取前景色, over the pad
pick_with 119 48 40 900 key Return    # 从屏幕取背景色, over the desktop
texts=$(edit_texts)
echo "$texts" | grep -qx '#3C965A' || fail "the foreground is not the pad's colour: $texts"
echo "$texts" | grep -qx '#767676' || fail "the background is not the desktop's: $texts"
echo "$texts" | grep -qx '1.23:1' || fail "no ratio 1.23:1: $texts"
[ "$(shown_html)" = "$before" ] || fail "the main window took $(shown_html), expected $before"

suggestion=$(probe tree TfrmContrast | sed -n 's/^Button "前景 AA：\(#[0-9A-F]*\) \([0-9.]*:1\)" .*/\1 \2/p')
[ -n "$suggestion" ] || fail "no suggestion for 前景 AA: $(probe tree TfrmContrast)"
echo "suggestion 前景 AA: $suggestion"
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-contrast-eyedroppers.png"
import -window root "$shot" && echo "screenshot: $shot"
click_in TfrmContrast 302 266   # the swatch 前景 AA
for ((i = 0; i < 50; i++)); do edit_texts | grep -qx "${suggestion% *}" && break; sleep 0.1; done
edit_texts | grep -qx "${suggestion% *}" || fail "the suggestion did not become the foreground"
edit_texts | grep -qx "${suggestion#* }" || fail "the ratio is not the suggestion's ${suggestion#* }"

seed_clipboard
click_in TfrmContrast 298 346   # 复制结果
got=$(read_clipboard | tr -d '\r')
echo "$got" | head -3
[ "$(echo "$got" | sed -n 1p)" = "前景 ${suggestion% *}" ] || fail "the copied result starts '$got'"
[ "$(echo "$got" | sed -n 3p)" = "对比度 ${suggestion#* }" ] || fail "the copied ratio is not ${suggestion#* }"
xdotool key Escape
probe gone TfrmContrast 10000 || fail "Esc did not close the dialog"
xsetroot -solid '#123456'
echo "PASS"
