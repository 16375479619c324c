# A disk that fills up while the settings file is rewritten, stood in for by a limit on the size
# of the files the writing copy may make (the settings writer, through the program's own
# settings operations): the writes fail and say so, and the file keeps every entry, byte for
# byte. With room enough, the same writes go through.
source "$QUILLORA_E2E_LIB"

writer="$(dirname "$QUILLORA_PROBE")/settings_writer.exe"
dir="$(quillora_appdata)/Quillora"
ini="$dir/vop.ini"
before=$(mktemp)
trap 'stop_quillora; rm -f "$before"' EXIT

mkdir -p "$dir"
{
  printf '[VOP]\r\nontop=1\r\nzoom=3\r\n[COLORS]\r\n'
  for ((i = 0; i < 1500; i++)); do
    printf '0101%04d%06d=#123456 an entry of the file\r\n' $((2000 + i % 20)) "$i"
  done
} >"$ini"
cp "$ini" "$before"

# Files of at most 40 KB for the writer; the settings file has 70 KB. Past the limit a write
# fails (EFBIG) instead of ending the process.
limited() { (ulimit -f 40; trap '' XFSZ; wine "$writer" "$@" </dev/null 2>&1); }

out=$(limited zoom 7)
rc=$?
[ $rc -eq 103 ] || fail "a zoom write without room: exit $rc, not the settings error (103): $out"
echo "$out" | grep 'vop\.ini' >/dev/null || fail "the failed write does not name the file: $out"
cmp -s "$ini" "$before" || fail "the zoom write without room changed the file"

out=$(limited save 1 3)
rc=$?
[ $rc -eq 3 ] || fail "three saves without room: exit $rc, not 3 failed: $out"
cmp -s "$ini" "$before" || fail "the saves without room changed the file"
leftovers=$(ls -A "$dir" | grep -vx 'vop.ini')
[ -z "$leftovers" ] || fail "files left next to the settings file: $leftovers"

wine "$writer" zoom 7 </dev/null >/dev/null 2>&1 || fail "the zoom write with room failed"
wine "$writer" save 1 3 </dev/null >/dev/null 2>&1 || fail "the saves with room failed"
[ "$(grep -c '=#123456 an entry of the file' "$ini")" -eq 1500 ] || fail "entries were lost"
grep -q $'^zoom=7\r$' "$ini" || fail "the zoom is not in the file"
[ "$(grep -c '^01012101' "$ini")" -eq 3 ] || fail "the three saves are not in the file"
rm -f "$ini"
echo "PASS: without room the writes fail and the file keeps every entry"
