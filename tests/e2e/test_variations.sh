# The variations dialog from the real menu and keys: #00C8FF pasted, the dialog opened with
# its access key, the selection moved with the arrows, copied with Ctrl+C and taken with Enter;
# Esc after a move changes nothing.
source "$QUILLORA_E2E_LIB"

start_quillora
probe setclipboard '#00C8FF' >/dev/null
open_menu
xdotool key p   # 粘贴颜色(&P)
for ((i = 0; i < 50; i++)); do [ "$(shown_html)" = '#00C8FF' ] && break; sleep 0.1; done
[ "$(shown_html)" = '#00C8FF' ] || fail "the pasted colour is $(shown_html)"

open_variations() {
  open_menu
  xdotool key v   # 色彩变化(&V)...
  probe wait TfrmVariations 10000 || fail "the variations dialog did not open"
}
# The dialog's first text, the selected colour's #RRGGBB, awaited for up to 5 s.
selected() { probe tree TfrmVariations | grep -o '^Edit "#[0-9A-F]*"' | head -1 | tr -d '"' | cut -d' ' -f2; }
expect_selected() {  # colour what-was-done
  local i
  for ((i = 0; i < 50; i++)); do [ "$(selected)" = "$1" ] && return 0; sleep 0.1; done
  fail "$2 selected $(selected), expected $1"
}

open_variations
[ "$(selected)" = '#00C8FF' ] || fail "the dialog opened on $(selected), expected the colour itself"
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-variations.png"
import -window root "$shot" && echo "screenshot of the dialog: $shot"
# The complement row is shorter: Down from the middle takes its last swatch, and Up keeps
# that place in the shades.
xdotool key Down
expect_selected '#FF955E' "Down"
xdotool key Up
expect_selected '#003648' "Up"
xdotool key Escape
probe gone TfrmVariations 10000 || fail "Esc did not close the dialog"
[ "$(shown_html)" = '#00C8FF' ] || fail "Esc changed the current colour to $(shown_html)"

# Right: 20 % towards white; Down: the complement again.
open_variations
xdotool key Right
expect_selected '#63D4FF' "Right"
xdotool key Down
seed_clipboard
xdotool key ctrl+c
got=$(read_clipboard)
[ "$got" = '#FF955E' ] || fail "Ctrl+C copied '$got', expected #FF955E"
xdotool key Return
probe gone TfrmVariations 10000 || fail "Enter did not close the dialog"
[ "$(shown_html)" = '#FF955E' ] || fail "Enter made $(shown_html) the current colour"
echo "PASS"
