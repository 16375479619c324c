# More notations and paste with the real menu and another program's clipboard: a colour in X's
# clipboard pasted into the editors, one entry of "复制为" read back, a refused text changing
# nothing but the status.
source "$QUILLORA_E2E_LIB"

XCLIP_PID=
# Offers a text in X's clipboard as another X program does, until this test ends.
offer_x_text() {
  stop_offer
  printf '%s' "$1" | xclip -quiet -selection clipboard -i >/dev/null 2>&1 &
  XCLIP_PID=$!
  sleep 0.3
}
stop_offer() { [ -n "$XCLIP_PID" ] && kill "$XCLIP_PID" 2>/dev/null; XCLIP_PID=; }
trap 'stop_offer; stop_quillora' EXIT

editors() { probe tree TfrmMain | sed -n 's/^Edit "\([0-9]*\)" .*/\1/p' | head -3 | tr '\n' ' '; }

start_quillora
offer_x_text '  RGB(255 128 0)  '
open_menu
xdotool key p   # 粘贴颜色(&P)
for _ in $(seq 1 50); do [ "$(editors)" = '255 128 0 ' ] && break; sleep 0.1; done
[ "$(editors)" = '255 128 0 ' ] || fail "the pasted colour is not in the RGB editors: $(editors)"
echo "pasted: $(editors)"

# 复制为(&C) opens its submenu; the screenshot shows it with each text for #FF8000.
open_menu
xdotool key c
sleep 0.5
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-copy-as.png"
import -window root "$shot" && echo "screenshot of the open submenu: $shot"
stop_offer
seed_clipboard
xdotool key n   # 颜色名称(&N)
got=$(read_clipboard)
[ "$got" = 'darkorange' ] || fail "颜色名称 copied '$got', expected darkorange"
echo "copied as a name: $got"

offer_x_text 'rgb(256, 0, 0)'
open_menu
xdotool key p
for _ in $(seq 1 50); do [ "$(status)" = '剪贴板中没有可识别的颜色' ] && break; sleep 0.1; done
[ "$(status)" = '剪贴板中没有可识别的颜色' ] || fail "a refused text gave the status '$(status)'"
[ "$(editors)" = '255 128 0 ' ] || fail "a refused text changed the editors: $(editors)"
echo "refused, the colour stays: $(editors)"
echo "PASS"
