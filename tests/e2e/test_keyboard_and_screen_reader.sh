# The keyboard and a screen reader reach what the mouse does: F10 opens the colour menu with
# its first entry selected and its access keys work; the drawn buttons are elements a screen
# reader finds, and pressing "复制 Html" copies as a click does.
source "$QUILLORA_E2E_LIB"

start_quillora
# The focus starts on the check box: the context-menu key opens the menu, Enter takes its
# first entry, 调色板.
xdotool key Menu
probe wait '#32768' 10000 || fail "the context-menu key did not open the colour menu"
xdotool key Return
probe wait '#32770' 10000 || fail "Enter in the menu did not open the colour dialog"
xdotool key Escape
probe gone '#32770' 10000 || fail "Esc did not close the colour dialog"
click_client 100 300   # the RGB edit: F10 works with the focus in an edit
xdotool key F10
probe wait '#32768' 10000 || fail "F10 did not open the colour menu"
xdotool key k   # 对比度(&K)...
probe wait TfrmContrast 10000 || fail "the contrast dialog did not open from F10 and K"
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-keyboard.png"
import -window root "$shot" && echo "screenshot: $shot"
xdotool key Escape
probe gone TfrmContrast 10000 || fail "Esc did not close the dialog"

elements=$(probe accessible TfrmMain) || fail "the main window's object did not answer"
echo "$elements"
for name in 菜单 "复制 RGB" "复制 十进制" "复制 十六进制" "复制 Html" "复制 Delphi" "复制 VB" "复制 C/C++"; do
  echo "$elements" | grep -q "^role=43 name=$name at=[0-9-]*,[0-9-]* [0-9]*x2[0-9] action=按下$" ||
    fail "no push button '$name' with its place and action"
done
html=$(shown_html)
seed_clipboard
probe press TfrmMain "复制 Html" || fail "pressing 复制 Html failed"
got=$(read_clipboard)
[ "$got" = "$html" ] || fail "复制 Html pressed copied '$got', expected $html"
stop_quillora
echo "PASS"
