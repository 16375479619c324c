# Saved colours out to a GIMP palette through the real menu and file dialog, checked byte for
# byte; in again from a JSON file, which adds what is new; a damaged file adds nothing.
source "$QUILLORA_E2E_LIB"

ini="$(quillora_appdata)/Quillora/vop.ini"
dir=$(mktemp -d /tmp/quillora-palette.XXXXXX)
trap 'stop_quillora; rm -rf "$dir"' EXIT
windir="Z:${dir//\//\\}"
mkdir -p "$(dirname "$ini")"
printf '[COLORS]\r\n07032026140509=#FF8000sky, warm\r\n01012020101011=#00FF00\r\n' >"$ini"
start_quillora

# Runs a colour-menu entry by its letter, types the path into the file dialog and confirms it.
through_dialog() {  # letter path
  open_menu
  xdotool key "$1"
  probe wait '#32770' 10000 || fail "no file dialog for '$1'"
  sleep 0.5
  xdotool type --delay 10 "$2"
  xdotool key Return
}

# Waits for the message box holding the text, then closes it.
expect_message() {
  local i
  for ((i = 0; i < 100; i++)); do
    if probe tree '#32770' 2>/dev/null | grep -F "$1" >/dev/null; then
      xdotool key Return
      return 0
    fi
    sleep 0.1
  done
  fail "no message '$1'; the dialog shows: $(probe tree '#32770' 2>/dev/null | grep Static)"
}

through_dialog e "$windir\\fav"
for ((i = 0; i < 100; i++)); do [ -s "$dir/fav.gpl" ] && break; sleep 0.1; done
printf 'GIMP Palette\nName: Quillora\nColumns: 0\n#\n255 128   0\tsky, warm\n  0 255   0\t01/01/2020 10:10:11\n' |
  cmp - "$dir/fav.gpl" || fail "the exported palette differs: $(od -c "$dir/fav.gpl" | head)"

cat >"$dir/in.json" <<'JSON'
[
  {"color": "#FF8000", "comment": "sky, warm", "saved": "2026-07-03T14:05:09"},
  {"color": "#123456", "comment": "night", "saved": "2024-02-29T23:59:59"}
]
JSON
through_dialog i "$windir\\in.json"
expect_message "导入了 1 个颜色，跳过 1 个"
grep -aqx $'02292024235959=#123456night\r' "$ini" || fail "the imported entry is not in the file: $(cat "$ini")"

printf 'GIMP Palette\n1 2 3 fine\n1 2\n' >"$dir/bad.gpl"
before=$(md5sum <"$ini")
through_dialog i "$windir\\bad.gpl"
expect_message "无法读取文件"
[ "$(md5sum <"$ini")" = "$before" ] || fail "a damaged file changed the settings: $(cat "$ini")"
echo "PASS"
