# Colour-managed picking with a monitor profile in the prefix: the profile that swaps red and
# green is the monitor's; a patch of #3C965A is picked natively and into sRGB (red and green
# swap back), the status names the space, and the menu names the profile. An inverted colour
# filter's keys in the registry (the screen itself is not filtered under Wine) are detected,
# named and undone. A profile replaced while the program runs counts from the next pick on.
source "$QUILLORA_E2E_LIB"

profile=/usr/share/color/icc/colord/SwappedRedAndGreen.icc
[ -f "$profile" ] || fail "no $profile: scripts/setup.sh installs colord-data"
color_dir="$WINEPREFIX/drive_c/windows/system32/spool/drivers/color"
mkdir -p "$color_dir"
cp "$profile" "$color_dir/"
wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\ICM\mntr' /v SwappedRedAndGreen.icc /t REG_SZ /d SwappedRedAndGreen.icc /f >/dev/null 2>&1
cleanup_profile() {
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\ICM\mntr' /v SwappedRedAndGreen.icc /f >/dev/null 2>&1
  wine reg delete 'HKCU\Software\Microsoft\ColorFiltering' /f >/dev/null 2>&1
  wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\ICM\mntr' /v DisplayP3.icm /f >/dev/null 2>&1
  rm -f "$color_dir/SwappedRedAndGreen.icc" "$color_dir/DisplayP3.icm"
}

trap 'stop_with_pad; cleanup_profile' EXIT
start_with_pad

pick() {  # -> the copied Html notation
  seed_clipboard
  key_pick_at 150 150
  xdotool key Return
  read_clipboard
}
near() {  # hex1 hex2: every channel within 1
  local i a b
  [[ $1 =~ ^#[0-9A-F]{6}$ ]] || return 1
  for i in 1 3 5; do
    a=$((16#${1:i:2})) b=$((16#${2:i:2}))
    ((a - b <= 1 && b - a <= 1)) || return 1
  done
}

got=$(pick)
[ "$got" = '#3C965A' ] || fail "native values gave $got, expected #3C965A"
open_menu
xdotool key g s   # 色彩空间(&G) > sRGB(&S)
for _ in $(seq 1 30); do grep -qi '^colorspace=srgb' "$INI" && break; sleep 0.1; done
grep -qi '^colorspace=srgb' "$INI" || fail "the choice was not written: $(cat "$INI")"
got=$(pick)
near "$got" '#963C5A' || fail "sRGB through the swapping profile gave $got, expected about #963C5A"
echo "native #3C965A, sRGB $got"

# An inverted colour filter is undone. The screen here is not inverted, so the pick gets the
# inverse of the patch, with red and green swapped back, and the status names the filter.
wine reg add 'HKCU\Software\Microsoft\ColorFiltering' /v Active /t REG_DWORD /d 1 /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Microsoft\ColorFiltering' /v FilterType /t REG_DWORD /d 1 /f >/dev/null 2>&1
seed_clipboard
key_pick_at 150 150
[ "$(status)" = 'X:150 Y:150  sRGB  注意：反色已还原' ] || fail "the status during the pick: '$(status)'"
xdotool key Return
got=$(read_clipboard)
near "$got" '#69C3A5' || fail "the undone inversion gave $got, expected about #69C3A5"
echo "inverted filter undone: $got"
open_menu
xdotool key g
sleep 0.5
shot="${QUILLORA_SHOT_DIR:-/tmp}/quillora-color-space.png"
import -window root "$shot" && echo "screenshot of the open submenu: $shot"
xdotool key Escape Escape

# The monitor's profile replaced while the program runs, between picks into Display P3: each
# pick converts through the profile registered when it starts. A P3 monitor's values are P3
# already; with no profile, or one that cannot be read, the monitor counts as sRGB, and
# #3C965A in sRGB is #559460 in P3 (lcms2's transicc, relative colorimetric: 85.26 148.06 95.60).
wine reg delete 'HKCU\Software\Microsoft\ColorFiltering' /f >/dev/null 2>&1
wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\ICM\mntr' /v SwappedRedAndGreen.icc /f >/dev/null 2>&1
open_menu
xdotool key g p   # 色彩空间(&G) > Display P3(&P)
for _ in $(seq 1 30); do grep -qi '^colorspace=p3' "$INI" && break; sleep 0.1; done
register_p3() {  # [the file's bytes instead of the profile's]
  if [ -n "${1:-}" ]; then printf '%s' "$1" >"$color_dir/DisplayP3.icm"
  else cp /usr/share/color/argyll/ref/DisplayP3.icm "$color_dir/"; fi
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\ICM\mntr' /v DisplayP3.icm /t REG_SZ /d "" /f >/dev/null 2>&1
}
unregister_p3() { wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\ICM\mntr' /v DisplayP3.icm /f >/dev/null 2>&1; }
for state in "wide-gamut|register_p3|#3C965A" "none|unregister_p3|#559460" \
             "damaged|register_p3 not-a-profile|#559460" "wide-gamut again|register_p3|#3C965A"; do
  IFS='|' read -r name change want <<<"$state"
  $change
  got=$(pick)
  near "$got" "$want" || fail "with the profile $name, the pick gave $got, expected about $want"
  echo "profile $name: $got"
done
echo "PASS"
