# The real program starts, shows its main window titled "Quillora" with a client area of
# 249 x 505, and ends when its close box is clicked.
source "$QUILLORA_E2E_LIB"

start_quillora
info=$(probe info TfrmMain)
echo "$info"
[ "$(echo "$info" | field title)" = Quillora ] || fail "main window title is not Quillora"
[ "$(echo "$info" | field client_width)" = 249 ] || fail "client width is not 249"
[ "$(echo "$info" | field client_height)" = 505 ] || fail "client height is not 505"
[ "$(echo "$info" | field owner_title)" = Quillora ] || fail "the owner is not the application window"
[ $(( $(echo "$info" | field owner_exstyle) & ~0x108 )) = 0 ] || fail "the application window is still a tool window"
xdotool search --name '^Quillora$' >/dev/null || fail "no X window named Quillora"

click_caption closebox
expect_exit 20
probe gone TfrmMain 5000 || fail "the main window is still there"
echo "PASS"
