# Each copy button of the real program puts its notation on the clipboard, as another program
# reads it; a click on a spin arrow changes the colour and the notations follow.
source "$QUILLORA_E2E_LIB"

# Copy button centres in the main window: x 219, one row per notation.
copy_and_expect() {  # row-top expected
  seed_clipboard
  click_client 219 $(( $1 + 11 ))
  local got
  got=$(read_clipboard)
  [ "$got" = "$2" ] || fail "copy button at y $1 gave '$got', expected '$2'"
  echo "copied $got"
}

start_quillora
copy_and_expect 289 '255, 255, 255'
copy_and_expect 316 '16777215'
copy_and_expect 344 'FFFFFF'
copy_and_expect 371 '#FFFFFF'
copy_and_expect 399 '$00FFFFFF'
copy_and_expect 426 '&H00FFFFFF&'
copy_and_expect 454 '0xFFFFFF'

# The down arrow of the green editor: its lower half, at the right end of the edit.
click_client 113 239
copy_and_expect 371 '#FFFEFF'
copy_and_expect 289 '255, 254, 255'
echo "PASS"
