# Sourced by run.sh, test.sh and the end-to-end tests: a virtual display and a private Wine
# prefix, both owned by the calling script and ended by its exit trap, never by name.

# quillora_start_display: starts Xvfb on a free display number, 1280 x 1024 unless
# QUILLORA_SCREEN says otherwise (e.g. 3840x2160x24); sets DISPLAY and QUILLORA_XVFB_PID.
quillora_start_display() {
  local fifo dir
  dir=$(mktemp -d)
  fifo="$dir/displayfd"
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${QUILLORA_SCREEN:-1280x1024x24}" -noreset -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  QUILLORA_XVFB_PID=$!
  local num=""
  if ! read -r -t 30 num <"$fifo" || [ -z "$num" ]; then
    echo "error: Xvfb did not report a display number within 30 s" >&2
    rm -rf "$dir"
    return 1
  fi
  rm -rf "$dir"
  export DISPLAY=":$num"
}

# quillora_make_prefix DIR [managed]: a fresh 32-bit prefix with the settings the tests need:
# no crash dialog, the Chinese font for 宋体, and unmanaged windows (without a window manager,
# every hide otherwise stalls), unless "managed" is given for a desktop that has one. Exports
# WINEPREFIX and the other Wine variables.
quillora_make_prefix() {
  local managed='"Managed"="N"'
  [ "${2:-}" = managed ] && managed='"Managed"="Y"'
  export WINEPREFIX="$1" WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  if ! timeout 180 wineboot -i >/dev/null 2>&1; then
    echo "error: wineboot could not create the prefix $WINEPREFIX" >&2
    return 1
  fi
  local reg="$WINEPREFIX/quillora.reg"
  {
    printf 'Windows Registry Editor Version 5.00\r\n\r\n'
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n%s\r\n\r\n' "$managed"
    printf '[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]\r\n"ShowCrashDialog"=dword:00000000\r\n\r\n'
    printf '[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]\r\n'
    printf '"宋体"="WenQuanYi Micro Hei"\r\n"SimSun"="WenQuanYi Micro Hei"\r\n\r\n'
  } | iconv -f UTF-8 -t UTF-16LE | { printf '\xff\xfe'; cat; } >"$reg"
  if ! wine regedit /S "$reg" >/dev/null 2>&1; then
    echo "error: could not import the Wine settings into $WINEPREFIX" >&2
    return 1
  fi
  wineserver -w
}

# The user's application-data folder inside the prefix (where the settings file lives).
quillora_appdata() {
  echo "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"
}

# quillora_cleanup: ends what this script started: the prefix's wineserver and Xvfb.
quillora_cleanup() {
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "${QUILLORA_XVFB_PID:-}" ]; then
    kill "$QUILLORA_XVFB_PID" 2>/dev/null || true
    wait "$QUILLORA_XVFB_PID" 2>/dev/null || true
  fi
}
