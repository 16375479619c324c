# Measuring in the magnifier: the grid at 600 % over the probe's pad, a mark set with M in a
# keyboard pick, arrow steps away from it, and the distance read from the status bar.
source "$QUILLORA_E2E_LIB"

INI="$(quillora_appdata)/Quillora/vop.ini"
mkdir -p "$(dirname "$INI")"
printf '[VOP]\r\nzoom=6\r\ngrid=1\r\n' >"$INI"
trap 'stop_quillora; kill "$PAD_PID" 2>/dev/null; wait "$PAD_PID" 2>/dev/null' EXIT
xsetroot -solid '#E8E8E8'
start_quillora
wine "$QUILLORA_PROBE" clickpad 100 100 150000 &
PAD_PID=$!
probe wait ClickPad 10000 || fail "the probe's pad did not appear"

key_pick_at 198 150          # at the pad's right edge: the light desktop beside its dark green
xdotool key m
wait_pick_at 198 150 'Δx 0, Δy 0, 0.0 px'
xdotool key shift+Right Right Right shift+Up shift+Up Up Up Up Up
wait_pick_at 210 126 'Δx 12, Δy -24, 26.8 px'
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-magnifier-grid.png"
import -window root "$shot" && echo "screenshot: $shot"
xdotool key m
wait_pick_at 210 126
[[ $(status) == 'X:210 Y:126' ]] || fail "M again should take the mark away: '$(status)'"
xdotool key m Escape
for ((i = 0; i < 50; i++)); do [[ $(status) != X:* ]] && break; sleep 0.1; done
[[ $(status) != X:* ]] || fail "Esc did not end the pick"
xsetroot -solid '#123456'
echo "PASS"
