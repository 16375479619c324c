# The colour-blindness view with the real menu and keys: patches of known colours, shown as
# red-blind and then as mono vision see them, compared pixel by pixel with the simulation of
# those colours; Esc closes the view.
source "$QUILLORA_E2E_LIB"

# Red, blue and green side by side at 600,100, shown by an X program of their own.
convert -size 60x60 xc:'#C83C28' xc:'#2850B4' xc:'#3C965A' +append png:- | display -geometry +600+100 png:- &
PATCH_PID=$!
trap 'stop_quillora; kill $PATCH_PID 2>/dev/null; wait $PATCH_PID 2>/dev/null' EXIT
start_quillora
pixel() { import -window root -crop 1x1+$1+$2 -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'; }
until_patches() {  # expected colours of the three patches, left to right
  local i got
  for ((i = 0; i < 50; i++)); do
    got="$(pixel 630 130) $(pixel 690 130) $(pixel 750 130)"
    [ "$got" = "$*" ] && return 0
    sleep 0.1
  done
  fail "the patches show $got, expected $*"
}
until_patches '#C83C28' '#2850B4' '#3C965A'

open_menu
xdotool key b p   # 色觉模拟(&B) > 红色盲(&P)
probe wait QuilloraVisionView 10000 || fail "the view did not open"
until_patches '#655B24' '#005EB7' '#968A56'
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-vision-protan.png"
import -window root "$shot" && echo "screenshot of the view: $shot"
xdotool key 5   # 全色盲, the same picture
until_patches '#6E6E6E' '#575757' '#858585'
import -window root "${QUILLORA_SHOT_DIR:-/tmp}/quillora-vision-mono.png"
xdotool key Escape
probe gone QuilloraVisionView 10000 || fail "Esc did not close the view"
until_patches '#C83C28' '#2850B4' '#3C965A'
echo "PASS"
