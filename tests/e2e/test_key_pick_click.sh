# A keyboard pick ended by a real click on another program's window (the probe's pad): the
# mouse hook takes the press and its release, so the pad receives neither, while the click
# ends the pick: the right button puts the old colour back, the left one takes the pad's
# colour. Before and after the picks the same clicks do reach the pad.
source "$QUILLORA_E2E_LIB"

trap stop_with_pad EXIT
start_with_pad

pad() { probe info ClickPad | field title; }
expect_pad() {  # counts
  local i
  for ((i = 0; i < 20; i++)); do [ "$(pad)" = "$1" ] && return 0; sleep 0.1; done
  fail "the pad counted '$(pad)', expected '$1'"
}

xdotool mousemove 150 150 click 1
expect_pad 'down=1 up=1'
for case in '3 cancels' '1 takes'; do
  read -r button how <<<"$case"
  before=$(shown_html)
  seed_clipboard
  key_pick_at 150 150
  [ "$(shown_html)" = '#3C965A' ] || fail "the pick over the pad shows $(shown_html)"
  xdotool click "$button"
  for ((i = 0; i < 50; i++)); do [[ $(status) != X:* ]] && break; sleep 0.1; done
  [[ $(status) != X:* ]] || fail "button $button did not end the pick"
  if [ "$how" = takes ]; then
    got=$(read_clipboard)
    [ "$got" = '#3C965A' ] || fail "the left click copied '$got', expected #3C965A"
  else
    [ "$(shown_html)" = "$before" ] || fail "the right click left $(shown_html), expected $before"
    [ "$(x_clipboard)" = quillora-sentinel ] || fail "a cancelled pick copied '$(x_clipboard)'"
  fi
  sleep 0.5   # time for a release that got through
  expect_pad 'down=1 up=1'
  echo "button $button $how the pick; the pad got neither its press nor its release"
done
# The hook is gone with the pick: the next click reaches the pad again.
xdotool mousemove 160 160 click 1
expect_pad 'down=2 up=2'
echo "PASS"
