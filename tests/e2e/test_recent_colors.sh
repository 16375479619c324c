# The recent colours with the real mouse and keys: three picks enter the list newest first;
# the menu's second entry becomes the current colour without a copy; kept in [RECENT] of the
# settings file, the list comes back after a restart; 清除 empties it and the file's section.
source "$QUILLORA_E2E_LIB"

red='#C83C28' blue='#2850B4' green='#3C965A'   # green is the probe's pad
# Red beside blue at 300,100, right of the pad, shown by an X program of its own.
convert -size 50x100 "xc:$red" "xc:$blue" +append png:- | display -geometry +300+100 png:- &
PATCH_PID=$!
trap 'stop_with_pad; kill $PATCH_PID 2>/dev/null; wait $PATCH_PID 2>/dev/null' EXIT
start_with_pad

until_true() {  # condition message: both evaluated, the message once the 5 s are over
  local i
  for ((i = 0; i < 50; i++)); do eval "$1" && return 0; sleep 0.1; done
  eval "fail \"$2\""
}
# [RECENT]'s key=value lines in order, on one line.
recent() { tr -d '\r' <"$INI" | sed -n '/^\[RECENT\]$/,/^\[/{/^[0-9]/p}' | tr '\n' ' '; }
# Opens 菜单 > 最近的颜色 and presses the keys given there.
recent_keys() { open_menu; xdotool key r "$@"; }

# Three finished picks, each copied: a drag onto the pad, then two keyboard picks.
seed_clipboard
p=$(client_point 222 55)
xdotool mousemove ${p% *} ${p#* } mousedown 1 mousemove 140 140 sleep 0.2 mousemove 150 150 sleep 0.2 mouseup 1
got=$(read_clipboard)
[ "$got" = "$green" ] || fail "the drag onto the pad copied '$got', expected $green"
for spot in "325 $red" "375 $blue"; do
  set -- $spot
  until_true "import -window root -crop 1x1+$1+125 -depth 8 txt:- | grep '$2' >/dev/null" "the patch at $1,125 is not $2"
  seed_clipboard
  key_pick_at "$1" 125
  xdotool key Return
  got=$(read_clipboard)
  [ "$got" = "$2" ] || fail "the pick at $1,125 copied '$got', expected $2"
done
echo "picked $green, $red, $blue"

# The second entry, the second-newest pick, is taken with its access key; nothing is copied.
seed_clipboard
recent_keys 2
until_true '[ "$(shown_html)" = "$red" ]' 'entry 2 gave $(shown_html), expected $red'
got=$(probe getclipboard)
[ "$got" = quillora-sentinel ] || fail "choosing a recent colour copied '$got'"

# Kept: the file holds the list, the chosen colour now first.
recent_keys k
want="1=$red 2=$blue 3=$green "
until_true 'grep -q "^keeprecent=1" "$INI" && [ "$(recent)" = "$want" ]' \
  'the file after 保留到下次启动: $(cat "$INI")'
click_caption closebox
expect_exit 20
start_quillora
[ "$(shown_html)" != "$green" ] || fail "the program started with $green already"
recent_keys
sleep 0.5
import -window root "${QUILLORA_SHOT_DIR:-/tmp}/quillora-recent.png"
xdotool key 3
until_true '[ "$(shown_html)" = "$green" ]' 'after a restart entry 3 gave $(shown_html), expected $green'
echo "kept across a restart: $(recent)"

# 清除: no key left in the section, and key 1 in the emptied list changes nothing.
recent_keys c
until_true '[ -z "$(recent)" ]' '清除 left [RECENT] as: $(recent)'
click_client 113 239   # green down: a colour that is no recent one
until_true '[ "$(shown_html)" = "#3C955A" ]' 'the green button gave $(shown_html)'
recent_keys 1
sleep 0.5
import -window root "${QUILLORA_SHOT_DIR:-/tmp}/quillora-recent-cleared.png"
xdotool key Escape Escape
probe gone '#32768' 5000 || fail "the menu did not close"
[ "$(shown_html)" = '#3C955A' ] || fail "key 1 in the cleared list gave $(shown_html)"
echo "PASS"
