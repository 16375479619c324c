# The real program on a screen at 150 %: its window and controls at one and a half times their
# size, a drag that reads the physical pixel under the cursor, and the colour read back through
# a copy button found where the scaled layout puts it.
source "$QUILLORA_E2E_LIB"
private_prefix '[HKEY_CURRENT_USER\Control Panel\Desktop]' '"LogPixels"=dword:00000090'
at150() { echo $(( ($1 * 3 + 1) / 2 )); }  # a 96-DPI figure at 144 DPI, rounded to nearest

start_quillora
info=$(probe info TfrmMain)
size="$(echo "$info" | field client_width)x$(echo "$info" | field client_height)"
[ "$size" = 374x758 ] || fail "client area $size at 150 %, expected 374x758"

xsetroot -solid '#2468AC'
p=$(client_point "$(at150 222)" "$(at150 55)")
xdotool mousemove ${p% *} ${p#* } mousedown 1
xdotool mousemove 30 990
sleep 0.2
xdotool mousemove 37 1001
sleep 0.2
status=$(probe tree TfrmMain | grep '^msctls_statusbar32')
xdotool mouseup 1
[[ $status == *'"X:37 Y:1001"'* ]] || fail "the status during the drag: $status"

seed_clipboard
click_client "$(at150 219)" "$(at150 382)"
got=$(read_clipboard)
[ "$got" = '#2468AC' ] || fail "the Html copy button gave '$got', expected #2468AC"
echo "PASS"
