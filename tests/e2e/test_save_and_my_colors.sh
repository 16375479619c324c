# Saving the current colour with a comment through the menu, with the real mouse and keys; the
# line in the settings file; choosing it again in the favourite colours; the colour back on the
# clipboard.
source "$QUILLORA_E2E_LIB"

ini="$(quillora_appdata)/Quillora/vop.ini"
rm -f "$ini"
start_quillora
click_client 113 239   # green down twice: #FFFDFF
click_client 113 239

open_menu
xdotool key Down Down Return   # 保存颜色
probe wait TfrmSaveColor 10000 || fail "the save dialog did not open"
xdotool type --delay 20 'e2e; saved'
xdotool key Return
probe wait '#32770' 10000 || fail "no message after saving"
xdotool key Return
grep -aE '^[0-9]{14}=#FFFDFFe2e, saved' "$ini" || fail "the entry is not in the file: $(cat "$ini")"

click_client 113 205   # red down: #FEFDFF
open_menu
xdotool key Down Down Down Return   # 喜爱的颜色
probe wait TfrmMyColors 10000 || fail "the favourite colours did not open"
click_in TfrmMyColors 120 36   # the first row
click_in TfrmMyColors 263 304  # 确定
probe gone TfrmMyColors 10000 || fail "the dialog stayed open"

seed_clipboard
click_client 219 382
got=$(read_clipboard)
[ "$got" = '#FFFDFF' ] || fail "the chosen colour gave '$got'"
echo "PASS"
