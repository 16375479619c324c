# English from the settings file, and Chinese again through the menu: the main window read
# from outside, "Copy As" taken with the Chinese entries' access keys (Wine keeps a menu's
# entries inside its process; the screenshot shows them).
source "$QUILLORA_E2E_LIB"

ini="$(quillora_appdata)/Quillora/vop.ini"
mkdir -p "$(dirname "$ini")"
printf '[VOP]\r\nlanguage=en\r\n' >"$ini"
box() { probe tree TfrmMain | sed -n 's/^Button "\([^"]*\)".*/\1/p'; }

start_quillora
[ "$(box)" = 'On top' ] || fail "the English window's box reads: $(box)"
[ "$(status)" = 'To pick color, please drag "+" icon.' ] || fail "the status reads: $(status)"
open_menu
xdotool key c
sleep 0.5
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-english.png"
import -window root "$shot" && echo "screenshot of Copy As in English: $shot"
seed_clipboard
xdotool key n   # Color &Name
got=$(read_clipboard)
[ "$got" = white ] || fail "Color Name copied '$got', expected white"

open_menu
xdotool key l c   # 语言 / Language(&L), 中文(&C)
for _ in $(seq 1 50); do grep '^language=zh' "$ini" >/dev/null && break; sleep 0.1; done
grep '^language=zh' "$ini" >/dev/null || fail "the choice was not written: $(cat "$ini")"
[ "$(box)" = '置顶' ] || fail "the Chinese window's box reads: $(box)"
echo "PASS"
