# The command line, run as a script would run it while a copy of Quillora sits in the
# notification area: --pick over the probe's pad with its output in a file (Enter takes, Esc
# cancels), --convert in several formats and an own one, bad command lines; the running copy's
# window and the settings file stay as they were, byte for byte.
source "$QUILLORA_E2E_LIB"

INI="$(quillora_appdata)/Quillora/vop.ini"
mkdir -p "$(dirname "$INI")"
printf '[VOP]\r\nontop=0\r\n[FORMATS]\r\n1=Mine\t{r}/{g}/{b}\r\n' >"$INI"
trap 'stop_quillora; kill "$PAD_PID" 2>/dev/null; wait "$PAD_PID" 2>/dev/null' EXIT
start_quillora
wine "$QUILLORA_PROBE" clickpad 100 100 150000 &
PAD_PID=$!
probe wait ClickPad 10000 || fail "the probe's pad did not appear"
before_ini=$(md5sum <"$INI")
before_tray=$(probe info TfrmMain | field visible)
out=$(mktemp)

# Runs Quillora.exe with the arguments; its standard output goes to $out, the exit code to $rc.
run() { wine "$QUILLORA_EXE" "$@" >"$out" 2>"$out.err"; rc=$?; }
# The same as a pick: started in the background, the window awaited, then the key given.
pick_with_key() {  # key, arguments...
  local key=$1 windows i
  shift
  xdotool mousemove 150 150
  wine "$QUILLORA_EXE" "$@" >"$out" 2>"$out.err" &
  local pid=$!
  for ((i = 0; i < 100; i++)); do
    windows=$(xdotool search --onlyvisible --name '^Quillora$' 2>/dev/null | wc -l)
    ((windows >= 2)) && [[ $(status) == X:* ]] && break
    sleep 0.1
  done
  [[ $(status) == X:* ]] || fail "the command line's pick did not start"
  xdotool key "$key"
  wait "$pid"
  rc=$?
}

pick_with_key Return --pick --format OKLCH
[ "$rc" = 0 ] || fail "a taken pick ended with $rc"
[ "$(cat "$out")" = $'oklch(60.32% 0.1252 151.7)\r' ] || fail "the pick printed '$(cat -A "$out")'"
pick_with_key Escape --pick
[ "$rc" = 1 ] && [ ! -s "$out" ] || fail "a cancelled pick ended with $rc and printed '$(cat "$out")'"

while IFS='|' read -r text format expected; do
  run --convert "$text" --format "$format"
  [ "$rc" = 0 ] && [ "$(tr -d '\r' <"$out")" = "$expected" ] ||
    fail "--convert '$text' --format $format gave $rc '$(cat "$out")', expected '$expected'"
done <<'TABLE'
#FF8000|html|#FF8000
rgb(255, 128, 0)|delphi|$000080FF
darkorange|HEX-LOWER|#ff8c00
hsl(30, 100%, 50%)|name|darkorange
0x0080FF|mine|255/128/0
TABLE
for bad in "--convert nothing" "--pick --bogus" "--convert red --freeze" "--pick --format nosuch"; do
  run $bad
  [ "$rc" = 2 ] && [ ! -s "$out" ] && [ -s "$out.err" ] || fail "'$bad' ended with $rc"
done
run --version
[ "$rc" = 0 ] && [ "$(cat "$out")" = $'Quillora '"$QUILLORA_VERSION"$'\r' ] || fail "--version gave '$(cat "$out")'"

[ "$(md5sum <"$INI")" = "$before_ini" ] || fail "the settings file changed: $(cat -A "$INI")"
[ "$(probe info TfrmMain | field visible)" = "$before_tray" ] || fail "the running copy's window changed"
kill -0 "$APP_PID" || fail "the running copy is gone"
rm -f "$out" "$out.err"
echo "PASS"
