# The zip: one folder with the lean release program, the user's README and the licence.
# Unpacked with a file named "portable" beside the program, the copy keeps vop.ini in its own
# folder and nothing in the application-data folder; where that file cannot be written, the
# usual write error shows.
source "$QUILLORA_E2E_LIB"

zip="$QUILLORA_DIST/Quillora-$QUILLORA_VERSION-win32.zip"
release="$(dirname "$QUILLORA_EXE")/release/Quillora.exe"
[ -f "$zip" ] || fail "no $zip: scripts/package.sh makes it"
expected="Quillora/ Quillora/LICENSE.txt Quillora/Quillora.exe Quillora/README.txt "
[ "$(unzip -Z1 "$zip" | LC_ALL=C sort | tr '\n' ' ')" = "$expected" ] ||
  fail "the zip holds: $(unzip -Z1 "$zip" | tr '\n' ' ')"

dir=$(mktemp -d /tmp/quillora-zip.XXXXXX)
trap 'stop_quillora; rm -rf "$dir"' EXIT
unzip -q "$zip" -d "$dir" || fail "cannot unpack $zip"
copy="$dir/Quillora"
cmp -s "$copy/Quillora.exe" "$release" || fail "the zip's program is not $release (a package older than the build? scripts/package.sh)"
sections=$(i686-w64-mingw32-objdump -h "$copy/Quillora.exe")
echo "$sections" | grep ' \.debug_' >/dev/null && fail "the zip's program carries debug information"
echo "$sections" | grep ' \.gnu_debuglink' >/dev/null || fail "the zip's program has no debug link"
grep -q $'^Copyright (c) 2026 Quillora contributors\r$' "$copy/LICENSE.txt" ||
  fail "LICENSE.txt has no copyright line with CRLF"
for text in "Quillora $QUILLORA_VERSION" '%APPDATA%\Quillora\vop.ini' 'named "portable"' '语言 / Language > English'; do
  grep -qF "$text" "$copy/README.txt" || fail "README.txt does not say: $text"
done

appdata_ini="$(quillora_appdata)/Quillora/vop.ini"
rm -f "$appdata_ini"
touch "$copy/portable"
QUILLORA_EXE="$copy/Quillora.exe" start_quillora
grep -q '^ontop=1' "$copy/vop.ini" || fail "the portable copy wrote no vop.ini beside itself"
[ ! -e "$appdata_ini" ] || fail "the portable copy wrote $appdata_ini"
click_caption closebox
expect_exit 20

# A folder in the settings file's place: no write there can succeed.
rm -f "$copy/vop.ini"
mkdir "$copy/vop.ini"
wine "$copy/Quillora.exe" &
APP_PID=$!
probe wait '#32770' 30000 || fail "no message for the failed write"
probe tree '#32770' | grep -F "无法写入到Z:${copy//\//\\}\\vop.ini" >/dev/null ||
  fail "the message is not the write error for the copy's vop.ini: $(probe tree '#32770')"
xdotool key Return
probe wait TfrmMain 30000 || fail "the main window did not appear after the message"
kill -0 "$APP_PID" || fail "the program ended after the failed write"
[ ! -e "$appdata_ini" ] || fail "the failed write went to $appdata_ini instead"
click_caption closebox
expect_exit 20
echo "PASS: the zip's contents; a portable copy keeps vop.ini beside itself"
