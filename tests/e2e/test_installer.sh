# The per-user installer, silent: an older package, then this one over it (one entry left, of
# this version), the program started from the Start-menu shortcut's target on the user's own
# settings, then an uninstall that takes the program, the shortcut and the entry away and
# leaves the settings file as it was.
source "$QUILLORA_E2E_LIB"

msi="$QUILLORA_DIST/Quillora-$QUILLORA_VERSION.msi"
[ -f "$msi" ] || fail "no $msi: scripts/package.sh makes it"
suminfo=$(msiinfo suminfo "$msi") || fail "msiinfo cannot read $msi"
# Word count bit 8: no elevation needed; no ALLUSERS: a per-user install.
words=$(echo "$suminfo" | sed -n 's/^Source: \([0-9]*\).*/\1/p')
(( ${words:-0} & 8 )) || fail "the package asks for administrator rights (word count ${words:-none})"
msiinfo export "$msi" Property | grep '^ALLUSERS' >/dev/null && fail "the package sets ALLUSERS"

private_prefix
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;winemenubuilder.exe=d"  # no menu entries outside the prefix
old_dir="$PRIVATE_DIR/old"
"$(dirname "$QUILLORA_E2E_LIB")/../../scripts/package.sh" --version 1.0 --out "$old_dir" >/dev/null ||
  fail "could not make a package of version 1.0"

user_dir="$WINEPREFIX/drive_c/users/$(id -un)/AppData"
installed="$user_dir/Local/Programs/Quillora"
lnk="$(quillora_appdata)/Microsoft/Windows/Start Menu/Programs/Quillora.lnk"
ini="$(quillora_appdata)/Quillora/vop.ini"
mkdir -p "$(dirname "$ini")"
printf '[VOP]\r\nontop=0\r\n[COLORS]\r\n20261208120000=#123456kept\r\n' >"$ini"
cp "$ini" "$PRIVATE_DIR/vop.before"

# One line per entry named Quillora in the installed-programs list: version|publisher. (Wine
# keeps a per-user product's entry under HKLM; Windows shows it to its user alone.)
entries() {
  for root in HKCU HKLM; do
    wine reg query "$root\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall" /s 2>/dev/null
  done | tr -d '\r' | awk '/^HKEY/ { if (n == "Quillora") print v "|" p; n = "" }
    $1 == "DisplayName" { n = $3 } $1 == "DisplayVersion" { v = $3 } $1 == "Publisher" { p = $3 }
    END { if (n == "Quillora") print v "|" p }'
}

wine msiexec /i "$old_dir/Quillora-1.0.msi" /qn || fail "the silent install of 1.0 failed"
[ "$(entries)" = "1.0|Quillora" ] || fail "after installing 1.0 the list holds: $(entries)"
wine msiexec /i "$msi" /qn || fail "the silent install of $QUILLORA_VERSION failed"
[ "$(entries)" = "$QUILLORA_VERSION|Quillora" ] || fail "after the upgrade the list holds: $(entries)"
cmp -s "$installed/Quillora.exe" "$(dirname "$QUILLORA_EXE")/release/Quillora.exe" ||
  fail "$installed/Quillora.exe is not the release program (a package older than the build? scripts/package.sh)"
[ -f "$installed/README.txt" ] || fail "no README.txt in $installed"
grep -qF 'Copyright (c) 2026 Quillora contributors' "$installed/LICENSE.txt" ||
  fail "no LICENSE.txt with the copyright line in $installed"
icon=$(wine reg query 'HKCU\Software\Microsoft\Installer\Products' /s 2>/dev/null | tr -d '\r' |
       sed -n 's/^ *ProductIcon *REG_SZ *//p')
[ -n "$icon" ] && [ -f "$(winepath -u "$icon" 2>/dev/null)" ] || fail "no icon for the list's entry: '$icon'"

target=$(probe shortcut "$(winepath -w "$lnk")") || fail "no Start-menu shortcut at $lnk"
[ "$(winepath -u "$target" 2>/dev/null)" -ef "$installed/Quillora.exe" ] || fail "the shortcut starts $target"
QUILLORA_EXE=$target start_quillora
probe tree TfrmMain | grep '^Button "置顶".*checked=0' >/dev/null || fail "the installed program did not read vop.ini"
click_caption closebox
expect_exit 20

wine msiexec /x "$msi" /qn || fail "the silent uninstall failed"
[ ! -e "$installed" ] || fail "the uninstall left $(ls -A "$installed")"
[ ! -e "$lnk" ] || fail "the uninstall left the shortcut"
[ -z "$(entries)" ] || fail "the uninstall left the entry: $(entries)"
cmp -s "$ini" "$PRIVATE_DIR/vop.before" || fail "the settings file changed: $(cat "$ini")"
echo "PASS: installed over 1.0, started from its shortcut, uninstalled; vop.ini kept"
