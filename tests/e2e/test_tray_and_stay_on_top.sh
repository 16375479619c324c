# Minimising hides the real program in the notification area; a click on its icon there (Wine
# shows it in its "Wine System Tray" window at the top left) brings it back. The stay-on-top
# box writes its setting, and the next start follows it.
source "$QUILLORA_E2E_LIB"

ini="$(quillora_appdata)/Quillora/vop.ini"
rm -f "$ini"
start_quillora
grep -q '^ontop=1' "$ini" || fail "the first start did not write ontop=1"
probe tree TfrmMain | grep '^Button "置顶".*checked=1' >/dev/null || fail "the box is not checked at first"

click_caption minbox
expect_visible 0
info=$(probe info TfrmMain)
echo "$info" | grep '^owner_visible=0' >/dev/null || fail "the application window is still shown"
[ $(( $(echo "$info" | field owner_exstyle) & 0x80 )) = 128 ] || fail "the taskbar button is still there"
kill -0 "$APP_PID" || fail "the program ended"

xdotool search --name '^Wine System Tray$' >/dev/null || fail "no notification area window"
xdotool mousemove 13 32 click 1
expect_visible 1
echo "$(probe info TfrmMain)" | grep '^owner_visible=1' >/dev/null || fail "the application window did not come back"

# The stay-on-top box: a click clears it and writes ontop=0.
click_client 14 18
for _ in $(seq 1 50); do grep -q '^ontop=0' "$ini" && break; sleep 0.1; done
grep -q '^ontop=0' "$ini" || fail "clearing the box did not write ontop=0"
click_caption closebox
expect_exit 20
start_quillora
probe tree TfrmMain | grep '^Button "置顶".*checked=0' >/dev/null || fail "the next start checked the box"
grep -q '^ontop=0' "$ini" || fail "start-up rewrote the setting"
echo "PASS"
